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

TEST(StrokeData, CountsFollowTheFormsPrintedToday)
{
    const StrokeDictionary dictionary(datatest::suppliedFolder() / text::strokeFileName());
    const std::pair<std::u32string_view, int> printed[] = {
        // Where the first count KANJIDIC2 lists is another glyph's or a count by radical.
        {U"牙", 4}, {U"葛", 12}, {U"僅", 13}, {U"賭", 16}, {U"沛", 7}, {U"辻", 6}, {U"遡", 14}, {U"餌", 15},
        {U"榊", 14}, {U"郞", 10}, {U"德", 15}, {U"薰", 17}, {U"逢", 11}, {U"樋", 15}, {U"遙", 14}, {U"逞", 11},
        {U"ゑ", 1}, {U"ゐ", 1},
        // Common kanji of given names.
        {U"翔", 12}, {U"陽", 12}, {U"蓮", 13}, {U"葵", 12}, {U"結", 12}, {U"凛", 15}, {U"凜", 15}, {U"湊", 12},
        {U"颯", 14}, {U"蒼", 13}, {U"碧", 14}, {U"悠", 11}, {U"優", 17}, {U"愛", 13}, {U"美", 9}, {U"菜", 11},
        {U"奈", 8}, {U"花", 7}, {U"咲", 9}, {U"莉", 10}, {U"樹", 16}, {U"大", 3}, {U"太", 4}, {U"斗", 4},
        {U"心", 4}, {U"真", 10}, {U"彩", 11}, {U"紬", 11}, {U"凪", 6}, {U"朔", 10}, {U"律", 9}, {U"晴", 12},
        {U"遥", 12}, {U"春", 9}, {U"海", 9}, {U"空", 8}, {U"琴", 12}, {U"紗", 10}, {U"沙", 7}, {U"陸", 11},
        {U"暖", 13}, {U"芽", 8}, {U"依", 8}, {U"杏", 7}, {U"唯", 11}, {U"澪", 16}, {U"楓", 13}, {U"翠", 14},
        {U"瑛", 12}, {U"輝", 15}, {U"智", 12}, {U"拓", 8}, {U"健", 11}, {U"誠", 13}, {U"涼", 11}, {U"恵", 10},
        {U"穂", 15}, {U"乃", 2},
    };
    for (const auto& [character, strokes] : printed)
        EXPECT_EQ(dictionary.lookUp(character), std::optional<std::int16_t>(strokes)) << text::toUtf8(character);
}

TEST(StrokeData, ComponentsCountAlikeWhereverTheyStand)
{
    // A kanji against the sum of its parts in the same file, plus the strokes of the part drawn
    // differently: the two-dot 辶 is 4 strokes and the one-dot 3, 示 is 5 (not 礻 4), 者 with its
    // dot one more than the 常用 者, the 𩙿 radical 9 (not 飠 8).
    const StrokeDictionary dictionary(datatest::suppliedFolder() / text::strokeFileName());
    struct Sum {
        char32_t kanji;
        std::u32string_view parts;
        int extra;
    };
    const Sum sums[] = {
        // Two-dot 辶 in the 人名用 table and in 遡, 遜, 謎; one dot in the other 常用 kanji.
        {U'辻', U"十", 4}, {U'迄', U"乞", 4}, {U'辿', U"山", 4}, {U'迂', U"于", 4}, {U'迦', U"加", 4},
        {U'這', U"言", 4}, {U'逗', U"豆", 4}, {U'遁', U"盾", 4}, {U'逞', U"呈", 4}, {U'遡', U"朔", 4},
        {U'遜', U"孫", 4}, {U'謎', U"言迷", 1}, {U'樋', U"木通", 1}, {U'漣', U"連", 3 + 1}, {U'槌', U"木追", 1},
        {U'蓬', U"逢", 3}, {U'近', U"斤", 3}, {U'道', U"首", 3}, {U'遠', U"袁", 3}, {U'辺', U"刀", 3},
        {U'連', U"車", 3}, {U'迷', U"米", 3},
        // 示 as printed in the 人名用 table.
        {U'祇', U"示氏", 0}, {U'祁', U"示", 3}, {U'榊', U"木示申", 0}, {U'禰', U"示爾", 0},
        // 者 with its dot.
        {U'賭', U"貝者", 1}, {U'堵', U"土者", 1}, {U'屠', U"尸者", 1}, {U'儲', U"諸", 2 + 1},
        // 𩙿.
        {U'餌', U"耳", 9}, {U'餅', U"并", 9}, {U'飴', U"台", 9}, {U'飯', U"反", 8},
    };
    for (const Sum& s : sums) {
        int total = s.extra;
        for (char32_t part : s.parts)
            total += dictionary.lookUp(std::u32string(1, part)).value_or(-100);
        EXPECT_EQ(dictionary.lookUp(std::u32string(1, s.kanji)), std::optional<std::int16_t>(total)) << u8(s.kanji);
    }
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
