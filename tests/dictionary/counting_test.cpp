// The two ways of counting: the choice file, the lookups of each way, the numerals, and the
// derivation texts.
#include <gtest/gtest.h>

#include "dictionary/counting.h"
#include "support/temp_folder.h"

namespace kadelo {
namespace {

using testing::cp932;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

const CountingChoice kModern{};
const CountingChoice kTraditional{CountingWay::Traditional, false};
const CountingChoice kNumerals{CountingWay::Traditional, true};

TEST(CountingChoiceFile, WrittenReadBackAndTodaysWayWhenMissingOrOdd)
{
    TempFolder folder;
    EXPECT_EQ(readCountingChoice(), kModern); // no file
    for (const CountingChoice& c : {kTraditional, kNumerals, kModern, CountingChoice{CountingWay::Modern, true}}) {
        ASSERT_TRUE(writeCountingChoice(c));
        EXPECT_EQ(readCountingChoice(), c);
    }
    EXPECT_EQ(readBytes(text::countingFileName()), "Way=0\r\nNumerals=1\r\n");
    writeBytes(text::countingFileName(), "Way=1\nNumerals=1"); // bare LF, no last line end
    EXPECT_EQ(readCountingChoice(), kNumerals);
    writeBytes(text::countingFileName(), "Way=2\r\nNumerals=yes\r\n");
    EXPECT_EQ(readCountingChoice(), kModern);
    std::filesystem::create_directory("folder.ini");
    EXPECT_EQ(readCountingChoice("folder.ini"), kModern); // unreadable
}

// A small pair of dictionaries: 沢 7 today, 17 traditionally; 四 5 both; 槪 only in the UTF-8 file.
void writeDictionaries()
{
    writeBytes(text::strokeFileName(), cp932("\"沢\",7\r\n\"四\",5\r\n\"々\",3\r\n\"一\",1\r\n"));
    writeBytes(text::traditionalStrokeFileName(), cp932("\"沢\",17\r\n\"四\",5\r\n\"々\",3\r\n\"一\",1\r\n\"沢\",99\r\n"));
    writeBytes(text::traditionalWideFileName(), "\"槪\",15\r\n\"沢\",50\r\n");
}

std::vector<std::optional<std::int16_t>> count(const CountingChoice& choice, std::u32string_view wanted)
{
    std::vector<std::optional<std::int16_t>> counts(wanted.size());
    countEach(choice, std::span<const char32_t>(wanted.data(), wanted.size()), counts);
    return counts;
}

TEST(CountEach, EachWayReadsItsOwnFiles)
{
    TempFolder folder;
    writeDictionaries();
    using C = std::vector<std::optional<std::int16_t>>;
    EXPECT_EQ(count(kModern, U"沢四槪"), (C{7, 5, std::nullopt}));
    // The first entry counts; the UTF-8 file only serves what Shift-JIS cannot hold.
    EXPECT_EQ(count(kTraditional, U"沢四槪"), (C{17, 5, 15}));
    EXPECT_EQ(count(kNumerals, U"沢四槪一"), (C{17, 4, 15, 1}));
    // The numerals count by value even when the dictionary lacks them, and only in the traditional way.
    EXPECT_EQ(count(kNumerals, U"九十"), (C{9, 10}));
    EXPECT_EQ(count(CountingChoice{CountingWay::Modern, true}, U"九四"), (C{std::nullopt, 5}));
    // The dictionary screen finds what is stored, without the numeral rule.
    EXPECT_EQ(strokeLookupFor(kNumerals).lookUp(U"四"), 5);
    EXPECT_EQ(strokeLookupFor(kNumerals).lookUp(U"槪"), 15);
    EXPECT_EQ(strokeLookupFor(kModern).lookUp(U"槪"), std::nullopt);
}

TEST(Derivation, TextsOfEachKind)
{
    TempFolder folder;
    writeBytes(text::derivationFileName(), "\"沢\",\"澤\",\"水\",4,13\r\n\"清\",\"\",\"水\",4,8\r\n\"酒\",\"\",\"酉\",7,3\r\n"
                                           "\"四\",\"\",\"囗\",3,2\r\n\"乂\",\"\",\"口\",3,-1\r\n");
    const std::u32string wanted = U"沢清酒四乂あ";
    const auto d = findDerivations(std::span<const char32_t>(wanted.data(), wanted.size()));
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'沢', 17, d[0])), "沢 → 澤：氵（水）4 ＋ 13 ＝ 17");
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'清', 12, d[1])), "清：氵（水）4 ＋ 8 ＝ 12");
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'酒', 10, d[2])), "酒：酉 7 ＋ 3 ＝ 10");
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'四', 5, d[3])), "四：囗 3 ＋ 2 ＝ 5");
    EXPECT_EQ(text::toUtf8(derivationText(kNumerals, U'四', 4, d[3])), "四：数の値で 4");
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'乂', 2, d[4])), "乂：口 3 － 1 ＝ 2");
    // Kana have no derivation; a count registered by hand that differs from it is shown plainly.
    EXPECT_FALSE(d[5].has_value());
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'あ', 3, d[5])), "あ 3画");
    EXPECT_EQ(text::toUtf8(derivationText(kTraditional, U'沢', 16, d[0])), "沢 16画");
    // Today's way never shows a derivation; no count, no text.
    EXPECT_EQ(text::toUtf8(derivationText(kModern, U'沢', 7, d[0])), "沢 7画");
    EXPECT_EQ(derivationText(kTraditional, U'沢', std::nullopt, d[0]), U"");
}

} // namespace
} // namespace kadelo
