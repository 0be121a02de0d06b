// The supplied かな.dat: layout, agreement with 漢字.dat, what is left out, and the order of the
// kanji of a reading, of which the naming assistant takes only the first 30.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "data/data_files.h"
#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_dictionary.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

struct Entry {
    std::u32string reading;
    char32_t kanji;
    std::int16_t strokes;
};

std::string u8(std::u32string_view s)
{
    return text::toUtf8(s);
}

std::string u8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

class KanaData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bytes_ = datatest::suppliedBytes(text::kanaFileName());
        text::forEachLine(bytes_, [](const text::FieldList& fields) {
            if (fields.size() != 3)
                return; // reported by the layout test
            const std::optional<char32_t> kanji = text::decodeSingleCharacter(fields[1]);
            const std::optional<std::int16_t> strokes = text::fieldInt16(fields[2]);
            entries_.push_back({text::fieldText(fields[0]), kanji.value_or(0), strokes.value_or(0)});
        });
    }

    static std::string bytes_;
    static std::vector<Entry> entries_;
};

std::string KanaData::bytes_;
std::vector<Entry> KanaData::entries_;

TEST_F(KanaData, EveryLineIsAHiraganaReadingAKanjiAndACountInCp932WithCrLf)
{
    std::string fault;
    const std::vector<std::string_view> lines = datatest::crlfLines(bytes_, fault);
    ASSERT_EQ(fault, "");
    ASSERT_GT(lines.size(), 8000u);

    std::size_t index = 0;
    text::forEachLine(bytes_, [&](const text::FieldList& fields) {
        const std::string_view raw = lines.at(index++);
        ASSERT_EQ(fields.size(), 3u) << raw;
        const std::u32string reading = text::fieldText(fields[0]);
        ASSERT_FALSE(reading.empty()) << raw;
        for (char32_t c : reading)
            EXPECT_TRUE((c >= U'ぁ' && c <= U'ん') || c == U'ー') << raw;
        const std::optional<char32_t> kanji = text::decodeSingleCharacter(fields[1]);
        ASSERT_TRUE(kanji.has_value()) << raw;
        const std::optional<std::int16_t> strokes = text::fieldInt16(fields[2]);
        ASSERT_TRUE(strokes.has_value()) << raw;
        const std::u32string line = text::quotedField(reading) + U"," + text::quotedField(std::u32string(1, *kanji)) + U","
            + text::numberField(*strokes);
        EXPECT_EQ(text::encodeCp932(line).bytes, std::string(raw));
    });
    EXPECT_EQ(index, lines.size());
    EXPECT_EQ(entries_.size(), lines.size());
}

TEST_F(KanaData, EachReadingKanjiPairOnceAndEveryCountAsInTheStrokeFile)
{
    std::map<char32_t, std::int16_t> strokes;
    ASSERT_TRUE(StrokeDictionary(datatest::suppliedFolder() / text::strokeFileName())
                    .forEachEntry([&](std::optional<char32_t> c, std::int16_t n) {
                        if (c)
                            strokes.emplace(*c, n);
                    }));

    std::set<std::pair<std::u32string, char32_t>> pairs;
    for (const Entry& e : entries_) {
        EXPECT_TRUE(pairs.emplace(e.reading, e.kanji).second) << u8(e.reading) << " " << u8(e.kanji);
        const auto found = strokes.find(e.kanji);
        ASSERT_NE(found, strokes.end()) << u8(e.kanji);
        EXPECT_EQ(e.strokes, found->second) << u8(e.kanji);
    }
}

TEST_F(KanaData, LeavesOutUnsuitableKanjiAndFragmentsOfInflectedWords)
{
    std::set<char32_t> kanji;
    std::set<std::pair<std::u32string, char32_t>> pairs;
    for (const Entry& e : entries_) {
        kanji.insert(e.kanji);
        pairs.emplace(e.reading, e.kanji);
    }
    for (char32_t c : std::u32string_view(U"死病毒殺苦悪呪鬼魔罪獄貧敗拉弄誰詫狼蝋籠"))
        EXPECT_FALSE(kanji.count(c)) << u8(c);

    // Stems of inflected words: うつく.しい, やさ.しい, すぐ.れる, たの.しい, ある.く.
    const std::pair<std::u32string, char32_t> fragments[] = {
        {U"うつく", U'美'}, {U"やさ", U'優'}, {U"すぐ", U'優'}, {U"たの", U'楽'}, {U"ある", U'歩'}};
    for (const auto& [reading, c] : fragments)
        EXPECT_FALSE(pairs.count({reading, c})) << u8(reading) << " " << u8(c);

    // A stem that is also a name reading stays: ひろ of 広 (ひろ.い), と of 翔 (と.ぶ), あき of 明.
    const std::pair<std::u32string, char32_t> names[] = {{U"ひろ", U'広'}, {U"と", U'翔'}, {U"あき", U'明'}};
    for (const auto& [reading, c] : names)
        EXPECT_TRUE(pairs.count({reading, c})) << u8(reading) << " " << u8(c);

    // Readings of all three kinds: on (in hiragana), kun without okurigana, nanori.
    EXPECT_TRUE(pairs.count({U"さん", U'山'}));
    EXPECT_TRUE(pairs.count({U"やま", U'山'}));
    EXPECT_TRUE(pairs.count({U"のぶ", U'信'}));
}

TEST_F(KanaData, WellKnownNameKanjiStandWithinTheFirst30OfTheirReading)
{
    // Looked up as the naming assistant does, through the program's own reader.
    const KanaDictionary kana(datatest::suppliedFolder() / text::kanaFileName(),
        datatest::suppliedFolder() / text::strokeFileName());
    const std::pair<std::u32string_view, char32_t> names[] = {
        {U"こう", U'浩'}, {U"こう", U'康'}, {U"こう", U'幸'}, {U"こう", U'航'}, {U"こう", U'光'}, {U"こう", U'宏'},
        {U"ゆう", U'優'}, {U"ゆう", U'悠'}, {U"ゆう", U'祐'}, {U"ゆう", U'勇'}, {U"ゆう", U'雄'}, {U"ゆう", U'裕'},
        {U"と", U'翔'}, {U"と", U'斗'}, {U"と", U'人'}, {U"な", U'菜'}, {U"な", U'奈'}, {U"み", U'美'},
        {U"み", U'実'}, {U"はる", U'春'}, {U"はる", U'陽'}, {U"はる", U'晴'}, {U"ひろ", U'広'}, {U"ひろ", U'浩'},
        {U"ひろ", U'大'}, {U"ひろ", U'博'}, {U"た", U'太'}, {U"ろう", U'郎'}, {U"ろう", U'朗'}, {U"あ", U'愛'},
        {U"あい", U'愛'}, {U"しょう", U'翔'}, {U"しょう", U'将'}, {U"そう", U'颯'}, {U"そう", U'蒼'}, {U"か", U'花'},
        {U"か", U'香'}, {U"か", U'佳'}, {U"き", U'樹'}, {U"き", U'希'}, {U"り", U'莉'}, {U"り", U'理'},
        {U"こ", U'子'}, {U"さ", U'咲'}, {U"さ", U'紗'}, {U"ま", U'真'}, {U"ま", U'麻'}, {U"ゆ", U'結'},
        {U"ゆい", U'結'}, {U"れん", U'蓮'}, {U"りん", U'凛'}, {U"だい", U'大'}, {U"すけ", U'介'}, {U"すけ", U'佑'},
        {U"や", U'也'}, {U"や", U'哉'}, {U"たか", U'貴'}, {U"まさ", U'正'}, {U"よし", U'義'}, {U"けん", U'健'},
        {U"しん", U'真'}, {U"じゅん", U'潤'}, {U"たく", U'拓'}, {U"かず", U'和'}, {U"とも", U'智'}, {U"あき", U'明'},
        {U"ひで", U'英'}, {U"え", U'恵'}, {U"い", U'衣'}, {U"ほ", U'穂'}, {U"の", U'乃'}, {U"せい", U'誠'},
        {U"りょう", U'涼'}, {U"けい", U'恵'}, {U"よう", U'陽'}, {U"き", U'輝'}, {U"し", U'志'}, {U"じ", U'治'},
    };
    ASSERT_GE(std::size(names), 40u);
    for (const auto& [reading, c] : names) {
        const std::vector<KanaMatch> found = kana.find(reading);
        const auto at = std::find_if(found.begin(), found.end(),
            [c = c](const KanaMatch& m) { return m.character == std::u32string(1, c); });
        ASSERT_NE(at, found.end()) << u8(reading) << " " << u8(c) << " is missing";
        EXPECT_LT(at - found.begin(), 30) << u8(reading) << " " << u8(c) << " stands at " << (at - found.begin() + 1)
                                          << " of " << found.size();
    }
}

TEST_F(KanaData, WholeWordNameReadingsComeFirstForTheKanjiNamesUseMost)
{
    std::map<std::u32string, std::u32string> byReading;
    for (const Entry& e : entries_)
        byReading[e.reading].push_back(e.kanji);
    // The reading, the kanji that must lead it, and kanji that must follow within the first 30.
    const std::tuple<std::u32string_view, char32_t, std::u32string_view> names[] = {
        {U"のぞみ", U'希', U"望"},   // のぞ.む
        {U"めぐみ", U'愛', U"恵"},   // めぐ.む, めぐ.み
        {U"はるか", U'遥', U"遙"},   // はる.か
        {U"しずか", U'静', U""},     // しず.か
        {U"あかり", U'灯', U"明"},   // あ.かり
        {U"ひかり", U'光', U""},     // ひか.る
        {U"みのり", U'実', U"稔"},   // みの.る
        {U"かおり", U'香', U"薫"},   // かお.り
        {U"ゆい", U'結', U""},       // ゆ.う
        {U"ここ", U'心', U""},       // the hand-kept list
        {U"かなで", U'奏', U""},
    };
    for (const auto& [reading, first, others] : names) {
        const std::u32string& kanji = byReading[std::u32string(reading)];
        ASSERT_FALSE(kanji.empty()) << u8(reading);
        EXPECT_EQ(kanji.front(), first) << u8(reading) << ": " << u8(kanji);
        for (char32_t c : others)
            EXPECT_LT(kanji.find(c), 30u) << u8(reading) << ": " << u8(kanji);
    }
    // A verb or adjective form is a reading only where KANJIDIC2 gives it as a name (ひかる 輝): not
    // のぞむ 望, ひかる 光, はれる 晴, あたらしい 新, and no noun form of the ichidan みる (みり 見).
    const std::pair<std::u32string_view, char32_t> words[] = {
        {U"のぞむ", U'望'}, {U"ひかる", U'光'}, {U"はれる", U'晴'}, {U"あたらしい", U'新'}, {U"みり", U'見'}};
    for (const auto& [word, c] : words)
        EXPECT_EQ(byReading[std::u32string(word)].find(c), std::u32string::npos) << u8(word);
}

TEST_F(KanaData, ReadingsWithMoreThan30KanjiExistSoTheOrderMatters)
{
    std::map<std::u32string, int> perReading;
    for (const Entry& e : entries_)
        ++perReading[e.reading];
    EXPECT_GT(perReading[U"こう"], 30);
    EXPECT_GT(perReading[U"しょう"], 30);
    EXPECT_GT(perReading[U"よし"], 30);
}

} // namespace
} // namespace kadelo
