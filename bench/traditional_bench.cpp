// One keystroke in a name box counted the traditional way (旧字体.dat, and its UTF-8 companion for
// characters Shift-JIS cannot hold), beside plain reads of the same files into memory.
//
// Reads the supplied data folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "dictionary/counting.h"
#include "judgement/fortunes.h"
#include "text/data_folder.h"
#include "text/file_io.h"

namespace {

namespace fs = std::filesystem;
using namespace kadelo;

const fs::path kData = KADELO_DATA_DIR;
const CountingChoice kTraditional{CountingWay::Traditional, true};

void BM_ReadTraditionalFile(benchmark::State& state)
{
    for (auto _ : state) {
        auto bytes = text::readFileBytes(kData / text::traditionalStrokeFileName());
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadTraditionalFile);

void BM_ReadBothTraditionalFiles(benchmark::State& state)
{
    for (auto _ : state) {
        auto bytes = text::readFileBytes(kData / text::traditionalStrokeFileName());
        auto wide = text::readFileBytes(kData / text::traditionalWideFileName());
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(wide);
    }
}
BENCHMARK(BM_ReadBothTraditionalFiles);

// A surname of three kanji, one of them a numeral counted by its value.
void BM_TraditionalKeystrokeKanji(benchmark::State& state)
{
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"渡辺三", kTraditional, true, kData);
        benchmark::DoNotOptimize(half);
    }
}
BENCHMARK(BM_TraditionalKeystrokeKanji);

// A given name in hiragana.
void BM_TraditionalKeystrokeKana(benchmark::State& state)
{
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"さとこ", kTraditional, false, kData);
        benchmark::DoNotOptimize(half);
    }
}
BENCHMARK(BM_TraditionalKeystrokeKana);

// An old form Shift-JIS cannot hold (槪), found in the UTF-8 companion.
void BM_TraditionalKeystrokeWide(benchmark::State& state)
{
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"槪子", kTraditional, false, kData);
        benchmark::DoNotOptimize(half);
    }
}
BENCHMARK(BM_TraditionalKeystrokeWide);

// The derivations shown as tooltips after each keystroke.
void BM_FindDerivations(benchmark::State& state)
{
    const std::u32string wanted = U"渡辺清";
    for (auto _ : state) {
        auto found = findDerivations(std::span<const char32_t>(wanted.data(), wanted.size()), kData / text::derivationFileName());
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindDerivations);

} // namespace
