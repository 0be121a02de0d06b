// The naming assistant's hot paths: a graded generation of 27,000 candidates, the good-names filter
// and the order by marks over them, and one keystroke in a kana box (the whole kana file read and
// matched), beside a plain read of the same file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "naming/naming.h"
#include "text/cp932.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using namespace kadelo::naming;

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
        const std::vector<std::u32string> entries = shownEntries(list.nlist, order);
        shown = order.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["candidates"] = list.ncount;
    state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_FilterAndOrder27000)->ArgNames({"goodOnly", "byMarks"})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// ---- A keystroke in a kana box ----------------------------------------------------------------

struct KanaFile {
    std::filesystem::path path;
    std::u32string reading; // the reading with the most entries: the costliest keystroke
    std::size_t lines = 0;
    bool standIn = false;
};

// The supplied かな.dat, or, while it is not there, a stand-in of 20,000 lines in a temporary folder.
const KanaFile& kanaFile()
{
    static const KanaFile file = [] {
        KanaFile f;
        f.path = std::filesystem::path(KADELO_DATA_DIR) / std::filesystem::path(U"かな.dat");
        if (!std::filesystem::exists(f.path)) {
            f.standIn = true;
            // Removed again when the program ends.
            static struct StandInFolder {
                std::filesystem::path path = std::filesystem::temp_directory_path() / "kadelo-naming-bench";
                ~StandInFolder()
                {
                    std::error_code ec;
                    std::filesystem::remove_all(path, ec);
                }
            } standIn;
            const std::filesystem::path& folder = standIn.path;
            std::filesystem::create_directories(folder);
            f.path = folder / std::filesystem::path(U"かな.dat");
            std::mt19937 random(1);
            const std::u32string kana = text::fromUtf8("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん");
            std::u32string content;
            for (int n = 0; n < 20000; ++n) {
                std::u32string reading;
                const int length = 1 + static_cast<int>(random() % 3);
                for (int c = 0; c < length; ++c)
                    reading.push_back(kana[random() % kana.size()]);
                const char32_t kanji = static_cast<char32_t>(0x4E00 + random() % 0x4000);
                content += U"\"" + reading + U"\",\"" + std::u32string(1, kanji) + U"\"," + text::numberField(1 + random() % 24) + U"\r\n";
            }
            std::ofstream(f.path, std::ios::binary) << text::encodeCp932(content).bytes;
        }
        const std::optional<std::string> bytes = text::readFileBytes(f.path);
        std::map<std::string, std::size_t> counts;
        if (bytes)
            text::forEachLine(*bytes, [&](const text::FieldList& fields) {
                ++f.lines;
                if (fields.size() >= 3)
                    ++counts[std::string(fields[0])];
            });
        std::size_t best = 0;
        for (const auto& [reading, count] : counts)
            if (count > best) {
                best = count;
                f.reading = text::fieldText(reading);
            }
        return f;
    }();
    return file;
}

void describe(benchmark::State& state, const KanaFile& file)
{
    state.SetLabel((file.standIn ? "stand-in " : "data/") + text::toUtf8(U"かな.dat") + ", reading "
        + text::toUtf8(file.reading));
    state.counters["lines"] = static_cast<double>(file.lines);
}

// Resolution of one box and the possible count, as every keystroke does.
void BM_KanaKeystroke(benchmark::State& state)
{
    const KanaFile& file = kanaFile();
    const KanaDictionary dictionary(file.path);
    KanaBoxes boxes;
    for (auto _ : state) {
        boxes[0] = resolveKanaBox(file.reading, dictionary);
        benchmark::DoNotOptimize(possibleCount(boxes));
    }
    describe(state, file);
    state.counters["hits"] = boxes[0].hits;
}
BENCHMARK(BM_KanaKeystroke)->Unit(benchmark::kMicrosecond);

// The floor under a keystroke: reading the file's bytes and nothing else.
void BM_KanaFilePlainRead(benchmark::State& state)
{
    const KanaFile& file = kanaFile();
    std::size_t size = 0;
    for (auto _ : state) {
        const std::optional<std::string> bytes = text::readFileBytes(file.path);
        size = bytes ? bytes->size() : 0;
        benchmark::DoNotOptimize(size);
    }
    describe(state, file);
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_KanaFilePlainRead)->Unit(benchmark::kMicrosecond);

} // namespace
