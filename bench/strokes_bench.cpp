// One keystroke in a name box: a three-character lookupStrokes over the whole stroke dictionary,
// beside a plain read of the same file into memory.
//
// Uses the supplied 漢字.dat when it is there; otherwise a stand-in of the same size (about 6,700
// kanji, one entry a line) written to a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "dictionary/stroke_lookup.h"
#include "judgement/fortunes.h"
#include "text/cp932.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

namespace fs = std::filesystem;
using namespace kadelo;

// A stand-in dictionary of 6,700 kanji (JIS levels 1 and 2, then the extension rows) with made-up
// counts, in code order, CR LF after each line.
// The temporary folder of the stand-in, removed when the program ends.
struct StandInFolder {
    fs::path path = fs::temp_directory_path() / ("kadelo-bench-" + std::to_string(std::random_device{}()));
    StandInFolder() { fs::create_directories(path); }
    ~StandInFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

fs::path writeStandIn()
{
    static const StandInFolder standIn;
    const fs::path& folder = standIn.path;
    const fs::path path = folder / "stand-in.dat";
    std::string bytes;
    int lines = 0;
    for (unsigned lead = 0x88; lead <= 0xFC && lines < 6700; ++lead) {
        if (!text::isCp932LeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC && lines < 6700; ++trail) {
            const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
            if (!text::decodeSingleCharacter(ch))
                continue;
            bytes += '"' + ch + "\"," + std::to_string(1 + lines % 29) + "\r\n";
            ++lines;
        }
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

const fs::path& dictionaryPath()
{
    static const fs::path path = [] {
        const fs::path supplied = fs::path(KADELO_DATA_DIR) / text::fromUtf8("漢字.dat");
        return fs::exists(supplied) ? supplied : writeStandIn();
    }();
    return path;
}

void describe(benchmark::State& state)
{
    const auto bytes = text::readFileBytes(dictionaryPath());
    int lines = 0;
    if (bytes)
        text::forEachLine(*bytes, [&](const text::FieldList&) { ++lines; });
    state.counters["lines"] = lines;
    state.counters["bytes"] = bytes ? static_cast<double>(bytes->size()) : 0;
    state.SetLabel(dictionaryPath().filename().string() == "stand-in.dat" ? "stand-in" : "supplied 漢字.dat");
}

void BM_ReadFileBytes(benchmark::State& state)
{
    for (auto _ : state) {
        auto bytes = text::readFileBytes(dictionaryPath());
        benchmark::DoNotOptimize(bytes);
    }
    describe(state);
}
BENCHMARK(BM_ReadFileBytes);

void BM_LookupStrokesThreeCharacters(benchmark::State& state)
{
    const StrokeDictionary dictionary(dictionaryPath());
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"佐藤子", StrokeLookup(dictionary.path()), true);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}
BENCHMARK(BM_LookupStrokesThreeCharacters);

// A given name in hiragana, which a kanji dictionary mostly lacks: every character is searched to
// the end of the file.
void BM_LookupStrokesKanaName(benchmark::State& state)
{
    const StrokeDictionary dictionary(dictionaryPath());
    for (auto _ : state) {
        NameHalf half = lookupStrokes(U"さとこ", StrokeLookup(dictionary.path()), false);
        benchmark::DoNotOptimize(half);
    }
    describe(state);
}
BENCHMARK(BM_LookupStrokesKanaName);

// Every entry decoded in turn, as other readers of the dictionary see it.
void BM_ForEachEntry(benchmark::State& state)
{
    const StrokeDictionary dictionary(dictionaryPath());
    for (auto _ : state) {
        int sum = 0;
        dictionary.forEachEntry([&](std::optional<char32_t> c, std::int16_t strokes) { sum += c ? strokes : 0; });
        benchmark::DoNotOptimize(sum);
    }
    describe(state);
}
BENCHMARK(BM_ForEachEntry);

} // namespace
