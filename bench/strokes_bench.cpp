// Keystrokes in the name boxes against 漢字.dat as supplied and grown 10× and 100× (the argument),
// each beside a plain read of the same file into memory, which is the floor the goals are set
// against: the judgement box (three kanji, first entry wins), the naming surname box (山田, last
// entry wins), plain ASCII typed into the judgement box, and the first keystroke after the file
// changed (grown by a line, or rewritten at its start; and one replaced a while before).
#include <benchmark/benchmark.h>

#include "bench/grown_data.h"
#include "dictionary/stroke_lookup.h"
#include "judgement/fortunes.h"
#include "naming/naming.h"
#include "text/file_cache.h"

namespace {

using namespace kadelo;
namespace kb = kadelo::bench;

kb::fs::path strokeFile(const benchmark::State& state)
{
    return kb::grownFile("漢字.dat", static_cast<int>(state.range(0)));
}

// Both stroke files of a grown folder, as the screens look counts up (the UTF-8 one is absent).
StrokeLookup lookupOf(const benchmark::State& state)
{
    const kb::fs::path path = strokeFile(state);
    return StrokeLookup(path, path.parent_path() / kb::fs::path(text::fromUtf8("漢字UTF8.dat")));
}

void describe(benchmark::State& state)
{
    const kb::fs::path path = strokeFile(state);
    state.counters["lines"] = static_cast<double>(kb::lineCount(path));
    state.counters["bytes"] = static_cast<double>(kb::fs::file_size(path));
}

void BM_StrokeFileRawRead(benchmark::State& state)
{
    kb::timeRawReads(state, strokeFile(state));
    describe(state);
}

// The same read right after each change of the file: the floor of the keystrokes after a change.
void BM_StrokeFileRawReadAfterRewrite(benchmark::State& state)
{
    kb::timeRawReadsAfterRewrite(state, strokeFile(state));
    describe(state);
}

void BM_JudgementKeystroke(benchmark::State& state)
{
    const StrokeLookup dictionary = lookupOf(state);
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"佐藤子", dictionary, true);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}

void BM_JudgementKeystrokeAscii(benchmark::State& state)
{
    const StrokeLookup dictionary = lookupOf(state);
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"abc", dictionary, false);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}

void BM_NamingSurnameKeystroke(benchmark::State& state)
{
    const StrokeLookup dictionary = lookupOf(state);
    naming::SurnameCounts sei{};
    for (auto _ : state) {
        naming::resolveSurname(U"山田", dictionary, sei);
        benchmark::DoNotOptimize(sei);
    }
    describe(state);
}

// The first keystroke after a kanji was registered: the file has grown by one line.
void BM_JudgementKeystrokeAfterAppend(benchmark::State& state)
{
    const kb::fs::path path = strokeFile(state);
    const StrokeLookup dictionary = lookupOf(state);
    const std::string line = text::encodeCp932(U"\"川\",3\r\n").bytes;
    for (auto _ : state) {
        state.PauseTiming();
        kb::appendLine(path, line);
        state.ResumeTiming();
        NameHalf half = lookupStrokes(U"佐藤子", dictionary, true);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}

// The first keystroke after an edit of the file's first line: every line indexed again.
void BM_JudgementKeystrokeAfterRewrite(benchmark::State& state)
{
    const kb::fs::path path = strokeFile(state);
    const StrokeLookup dictionary = lookupOf(state);
    for (auto _ : state) {
        state.PauseTiming();
        kb::rewriteFirstLine(path);
        state.ResumeTiming();
        NameHalf half = lookupStrokes(U"佐藤子", dictionary, true);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}

// The first keystroke in a dictionary that was replaced a while ago: no index is kept of it, so the
// lookup scans the bytes and leaves the index to the worker (waited for between keystrokes, outside
// the timing, as a person types more slowly than the worker indexes).
void BM_JudgementKeystrokeAfterQuietRewrite(benchmark::State& state)
{
    const std::vector<kb::fs::path>& copies = kb::quietCopies("漢字.dat", static_cast<int>(state.range(0)));
    std::size_t turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kb::finishIndexBuilds();
        const kb::fs::path& path = copies[turn++ % copies.size()];
        const StrokeLookup dictionary(path, path.parent_path() / kb::fs::path(text::fromUtf8("漢字UTF8.dat")));
        state.ResumeTiming();
        NameHalf half = lookupStrokes(U"佐藤子", dictionary, true);
        benchmark::DoNotOptimize(half);
    }
    text::waitForFileIndexBuilds();
    describe(state);
}

// A plain read of those replaced copies in the same turn: the floor of that keystroke, which meets
// bytes no cache of the processor holds yet.
void BM_StrokeFileRawReadInTurn(benchmark::State& state)
{
    kb::timeRawReadsInTurn(state, kb::quietCopies("漢字.dat", static_cast<int>(state.range(0))));
    describe(state);
}

// Every entry decoded in turn, as other readers of the dictionary see it (no index).
void BM_ForEachEntry(benchmark::State& state)
{
    const StrokeDictionary dictionary(strokeFile(state));
    for (auto _ : state) {
        int sum = 0;
        dictionary.forEachEntry([&](std::optional<char32_t> c, std::int16_t strokes) { sum += c ? strokes : 0; });
        benchmark::DoNotOptimize(sum);
    }
    describe(state);
}

#define KADELO_SCALES ->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_StrokeFileRawRead) KADELO_SCALES;
BENCHMARK(BM_JudgementKeystroke) KADELO_SCALES;
BENCHMARK(BM_JudgementKeystrokeAscii) KADELO_SCALES;
BENCHMARK(BM_NamingSurnameKeystroke) KADELO_SCALES;
BENCHMARK(BM_ForEachEntry) KADELO_SCALES;
// After the keystrokes in unchanged files: from here on each case changes the files.
BENCHMARK(BM_StrokeFileRawReadAfterRewrite) KADELO_SCALES->Iterations(50);
BENCHMARK(BM_JudgementKeystrokeAfterRewrite) KADELO_SCALES->Iterations(50);
BENCHMARK(BM_JudgementKeystrokeAfterAppend) KADELO_SCALES->Iterations(200); // it grows the files
// Last: the indexes the worker builds of the copies stay in memory.
BENCHMARK(BM_StrokeFileRawReadInTurn) KADELO_SCALES;
BENCHMARK(BM_JudgementKeystrokeAfterQuietRewrite) KADELO_SCALES->Iterations(50);

} // namespace
