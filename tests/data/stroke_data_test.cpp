// The supplied 漢字.dat: layout, each character once, and its counts.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data/data_files.h"
#include "dictionary/stroke_dictionary.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

std::string u8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

TEST(StrokeData, EveryLineIsAQuotedCharacterAndACountInCp932WithCrLf)
{
    const std::string bytes = datatest::suppliedBytes(text::strokeFileName());
    std::string fault;
    const std::vector<std::string_view> lines = datatest::crlfLines(bytes, fault);
    ASSERT_EQ(fault, "");

    std::size_t index = 0;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        const std::string_view raw = lines.at(index++);
        ASSERT_EQ(fields.size(), 2u) << raw;
        const std::optional<char32_t> c = text::decodeSingleCharacter(fields[0]);
        ASSERT_TRUE(c.has_value()) << raw;
        const std::optional<std::int16_t> n = text::fieldInt16(fields[1]);
        ASSERT_TRUE(n.has_value()) << raw;
        EXPECT_GE(*n, 1) << raw;
        EXPECT_LE(*n, 64) << raw;
        // Written back by the program's own writer, the entry gives the very same bytes: no stray
        // quote, comma, space or leading zero anywhere.
        const std::u32string line = text::quotedField(std::u32string(1, *c)) + U"," + text::numberField(*n);
        EXPECT_EQ(text::encodeCp932(line).bytes, std::string(raw));
    });
    EXPECT_EQ(index, lines.size());
}

TEST(StrokeData, HoldsEachCharacterOnceAndAboutTheShiftJisKanjiOfKanjidic)
{
    std::map<char32_t, int> seen;
    std::size_t entries = 0;
    ASSERT_TRUE(StrokeDictionary(datatest::suppliedFolder() / text::strokeFileName())
                    .forEachEntry([&](std::optional<char32_t> c, std::int16_t) {
                        ++entries;
                        if (c)
                            ++seen[*c];
                    }));
    EXPECT_EQ(seen.size(), entries);
    for (const auto& [c, times] : seen)
        EXPECT_EQ(times, 1) << u8(c);
    // JIS X 0208 has 6,355 kanji and the vendor rows of CP932 some 360 more; the kana come on top.
    EXPECT_GT(entries, 6600u);
    EXPECT_LT(entries, 7100u);
}

TEST(StrokeData, HasEveryKanaAndTheMarks)
{
    std::set<char32_t> seen;
    StrokeDictionary(datatest::suppliedFolder() / text::strokeFileName())
        .forEachEntry([&](std::optional<char32_t> c, std::int16_t) {
            if (c)
                seen.insert(*c);
        });
    for (char32_t c = U'ぁ'; c <= U'ん'; ++c)
        EXPECT_TRUE(seen.count(c)) << u8(c);
    for (char32_t c = U'ァ'; c <= U'ヶ'; ++c)
        EXPECT_TRUE(seen.count(c)) << u8(c);
    for (char32_t c : std::u32string_view(U"々〆ーゝゞヽヾ"))
        EXPECT_TRUE(seen.count(c)) << u8(c);
}

TEST(StrokeData, CountsOfKnownCharacters)
{
    const StrokeDictionary dictionary(datatest::suppliedFolder() / text::strokeFileName());
    const std::pair<std::u32string_view, int> known[] = {
        // Kanji, counted in their modern forms (辺 5, not as 邊).
        {U"山", 3}, {U"田", 5}, {U"佐", 7}, {U"藤", 18}, {U"鈴", 13}, {U"木", 4}, {U"高", 10}, {U"橋", 16},
        {U"渡", 12}, {U"辺", 5}, {U"一", 1}, {U"鬱", 29}, {U"齋", 17}, {U"龍", 16}, {U"髙", 11},
        // Kana and marks from the hand-kept table.
        {U"々", 3}, {U"〆", 2}, {U"ー", 1}, {U"さ", 3}, {U"そ", 1}, {U"き", 4}, {U"ぱ", 4}, {U"が", 5},
        {U"ば", 5}, {U"ゃ", 3}, {U"っ", 1}, {U"ア", 2}, {U"ネ", 4}, {U"ガ", 4}, {U"パ", 3}, {U"ヴ", 5},
        {U"ヶ", 3}, {U"ッ", 3},
    };
    for (const auto& [character, strokes] : known)
        EXPECT_EQ(dictionary.lookUp(character), std::optional<std::int16_t>(strokes)) << text::toUtf8(character);
}

TEST(StrokeData, LeavesOutWhatShiftJisCannotHold)
{
    const StrokeDictionary dictionary(datatest::suppliedFolder() / text::strokeFileName());
    // The 2010 official forms of 叱, 剥 and 鴎 lie outside CP932; their CP932 forms are there.
    EXPECT_EQ(dictionary.lookUp(U"\U00020B9F"), std::nullopt);
    EXPECT_EQ(dictionary.lookUp(U"鷗"), std::nullopt);
    EXPECT_EQ(dictionary.lookUp(U"叱"), std::optional<std::int16_t>(5));
    EXPECT_EQ(dictionary.lookUp(U"鴎"), std::optional<std::int16_t>(15));
}

} // namespace
} // namespace kadelo
