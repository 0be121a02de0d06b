// The naming assistant's hot paths: a graded generation of 27,000 candidates, the good-names filter
// and the order by marks over them, and one keystroke in a kana box, beside a plain read of the same
// file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/grown_data.h"
#include "naming/naming.h"
#include "text/cp932.h"
#include "text/file_cache.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using namespace kadelo::naming;
namespace kb = kadelo::bench;

// Three readings of 30 kanji each, as a kana box resolution leaves them.
KanaBoxes fullBoxes()
{
    const std::u32string kanji = text::fromUtf8("一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日");
    KanaBoxes boxes;
    const char32_t* readings[3] = {U"あ", U"い", U"う"};
    for (int b = 0; b < 3; ++b) {
        std::vector<KanaMatch> matches;
        for (std::size_t n = 0; n < kanji.size(); ++n)
            matches.push_back({std::u32string(1, kanji[n]), static_cast<std::int16_t>(1 + (n * 7 + b) % 24)});
        boxes[b] = slotsFromMatches(readings[b], matches);
    }
    return boxes;
}

Grading yamada()
{
    Grading g;
    g.sei = {3, 5, 0};
    g.surnameLength = 2;
    g.boy = true;
    return g;
}

// The list kept by the screen: refilled in place on every run.
void BM_GradedGeneration27000(benchmark::State& state)
{
    const KanaBoxes boxes = fullBoxes();
    const Grading grading = yamada();
    CandidateList list;
    for (auto _ : state) {
        generateInto(list, boxes, true, grading);
        benchmark::DoNotOptimize(list.nlist.data());
    }
    state.counters["candidates"] = list.ncount;
}
BENCHMARK(BM_GradedGeneration27000)->Unit(benchmark::kMillisecond);

// A first run: every entry allocated afresh.
void BM_GradedGeneration27000FreshList(benchmark::State& state)
{
    const KanaBoxes boxes = fullBoxes();
    const Grading grading = yamada();
    for (auto _ : state) {
        CandidateList list = generateCandidates(boxes, true, grading);
        benchmark::DoNotOptimize(list.nlist.data());
    }
}
BENCHMARK(BM_GradedGeneration27000FreshList)->Unit(benchmark::kMillisecond);

void BM_UngradedGeneration27000(benchmark::State& state)
{
    const KanaBoxes boxes = fullBoxes();
    const Grading grading = yamada();
    CandidateList list;
    for (auto _ : state) {
        generateInto(list, boxes, false, grading);
        benchmark::DoNotOptimize(list.nlist.data());
    }
}
BENCHMARK(BM_UngradedGeneration27000)->Unit(benchmark::kMillisecond);

// "吉名のみ" and "評価順" over a graded list of 27,000: the order of the shown entries and the copy of
// them that the list box, the file and the hand-over use.
void BM_FilterAndOrder27000(benchmark::State& state)
{
    const KanaBoxes boxes = fullBoxes();
    CandidateList list;
    generateInto(list, boxes, true, yamada());
    const ListChoice choice{state.range(0) != 0, state.range(1) != 0};
    std::size_t shown = 0;
    for (auto _ : state) {
        const std::vector<int> order = shownOrder(list.nlist, list.ncount, choice);
        const CandidateSlots entries = shownEntries(list.nlist, order);
        shown = order.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["candidates"] = list.ncount;
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_FilterAndOrder27000)->ArgNames({"goodOnly", "byMarks"})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// ---- A keystroke in a kana box ----------------------------------------------------------------
// Against かな.dat as supplied and grown 10× and 100× (the argument), beside a plain read of it.

kb::fs::path kanaFile(const benchmark::State& state)
{
    return kb::grownFile("かな.dat", static_cast<int>(state.range(0)));
}

void describe(benchmark::State& state)
{
    const kb::fs::path path = kanaFile(state);
    state.counters["lines"] = static_cast<double>(kb::lineCount(path));
    state.counters["bytes"] = static_cast<double>(kb::fs::file_size(path));
}

void BM_KanaFileRawRead(benchmark::State& state)
{
    kb::timeRawReads(state, kanaFile(state));
    describe(state);
}

// The same read right after each change of the file: the floor of the keystrokes after a change.
void BM_KanaFileRawReadAfterRewrite(benchmark::State& state)
{
    kb::timeRawReadsAfterRewrite(state, kanaFile(state));
    describe(state);
}

// Resolution of one box holding こう and the possible count, as every keystroke does.
void BM_KanaKeystroke(benchmark::State& state)
{
    const KanaDictionary dictionary(kanaFile(state));
    KanaBoxes boxes;
    for (auto _ : state) {
        boxes[0] = resolveKanaBox(U"こう", dictionary);
        benchmark::DoNotOptimize(possibleCount(boxes));
    }
    describe(state);
    state.counters["hits"] = boxes[0].hits;
}

// The first keystroke after a reading was registered: the file has grown by one line. The line is
// of another reading than the one typed, so that a thousand runs do not pile a thousand more hits
// onto the one looked up.
void BM_KanaKeystrokeAfterAppend(benchmark::State& state)
{
    const kb::fs::path path = kanaFile(state);
    const KanaDictionary dictionary(path);
    const std::string line = text::encodeCp932(U"\"ゆう\",\"友\",4\r\n").bytes;
    KanaBoxes boxes;
    for (auto _ : state) {
        state.PauseTiming();
        kb::appendLine(path, line);
        state.ResumeTiming();
        boxes[0] = resolveKanaBox(U"こう", dictionary);
        benchmark::DoNotOptimize(possibleCount(boxes));
    }
    describe(state);
}

// The first keystroke after an edit of the file's first line: every line indexed again.
void BM_KanaKeystrokeAfterRewrite(benchmark::State& state)
{
    const kb::fs::path path = kanaFile(state);
    const KanaDictionary dictionary(path);
    KanaBoxes boxes;
    for (auto _ : state) {
        state.PauseTiming();
        kb::rewriteFirstLine(path);
        state.ResumeTiming();
        boxes[0] = resolveKanaBox(U"こう", dictionary);
        benchmark::DoNotOptimize(possibleCount(boxes));
    }
    describe(state);
}

// A plain read of those replaced copies in the same turn: the floor of that keystroke.
void BM_KanaFileRawReadInTurn(benchmark::State& state)
{
    kb::timeRawReadsInTurn(state, kb::quietCopies("かな.dat", static_cast<int>(state.range(0))));
    describe(state);
}

// The first keystroke in a かな.dat that was replaced a while ago (see the stroke benchmarks).
void BM_KanaKeystrokeAfterQuietRewrite(benchmark::State& state)
{
    const std::vector<kb::fs::path>& copies = kb::quietCopies("かな.dat", static_cast<int>(state.range(0)));
    std::size_t turn = 0;
    KanaBoxes boxes;
    for (auto _ : state) {
        state.PauseTiming();
        kb::finishIndexBuilds();
        const KanaDictionary dictionary(copies[turn++ % copies.size()]);
        state.ResumeTiming();
        boxes[0] = resolveKanaBox(U"こう", dictionary);
        benchmark::DoNotOptimize(possibleCount(boxes));
    }
    text::waitForFileIndexBuilds();
    describe(state);
}

#define KADELO_SCALES ->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_KanaFileRawRead) KADELO_SCALES;
BENCHMARK(BM_KanaKeystroke) KADELO_SCALES;
// After the keystrokes in unchanged files: from here on each case changes the files.
BENCHMARK(BM_KanaFileRawReadAfterRewrite) KADELO_SCALES->Iterations(50);
BENCHMARK(BM_KanaKeystrokeAfterRewrite) KADELO_SCALES->Iterations(50);
BENCHMARK(BM_KanaKeystrokeAfterAppend) KADELO_SCALES->Iterations(200); // it grows the files
// Last: the indexes the worker builds of the copies stay in memory.
BENCHMARK(BM_KanaFileRawReadInTurn) KADELO_SCALES;
BENCHMARK(BM_KanaKeystrokeAfterQuietRewrite) KADELO_SCALES->Iterations(50);

} // namespace
