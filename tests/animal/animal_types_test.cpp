#include "animal/animal_types.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "support/temp_folder.h"
#include "text/cp932.h"
#include "text/unicode.h"

using kadelo::DateConversionTable;
using kadelo::animalOfType;
using kadelo::typePhraseOfType;
namespace kt = kadelo::testing;

namespace {

using Types = std::vector<std::int16_t>;

// One conve.dat row: the key, then January's base and eleven more bases.
std::string row(const std::string& key, const std::string& january, const std::string& rest = "10")
{
    std::string line = key + "," + january;
    for (int m = 2; m <= 12; ++m)
        line += "," + rest;
    return line + "\r\n";
}

std::string utf8(std::u32string_view text)
{
    return kadelo::text::toUtf8(text);
}

class DateConversionTest : public ::testing::Test {
protected:
    void write(const std::string& bytes) { kt::writeBytes("conve.dat", bytes); }
    Types types(std::u32string_view year, int month, int day) const { return DateConversionTable().animalTypes(year, month, day); }
    kt::TempFolder folder;
};

} // namespace

TEST_F(DateConversionTest, DayIsAddedToTheMonthsBaseAndWrapsOnceAtSixty)
{
    write(row("63", "29") + row("64", "30") + row("65", "0") + row("66", "59"));
    EXPECT_EQ(types(U"1963 ・ 昭和38", 1, 31), Types{60});
    EXPECT_EQ(types(U"1963 ・ 昭和38", 1, 1), Types{30});
    EXPECT_EQ(types(U"1964 ・ 昭和39", 1, 31), Types{1});
    EXPECT_EQ(types(U"1965 ・ 昭和40", 1, 1), Types{1});
    EXPECT_EQ(types(U"1966 ・ 昭和41", 1, 31), Types{30});
    // The settings screen hands over the bare year.
    EXPECT_EQ(types(U"1963", 1, 31), Types{60});
}

TEST_F(DateConversionTest, EachMonthReadsItsOwnField)
{
    std::string line = "70";
    for (int m = 1; m <= 12; ++m)
        line += "," + std::to_string(m * 3);
    write(line + "\r\n");
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(types(U"1970 ・ 昭和45", m, 2), Types{static_cast<std::int16_t>(m * 3 + 2)}) << "month " << m;
}

TEST_F(DateConversionTest, BaseNumbersCountByTheirFirstTwoCharacters)
{
    // 05, 5, a quoted " 5" and a longer field whose first two characters are 05 all give 5.
    write(row("41", "05") + row("42", "5") + row("43", "\" 5\"") + row("44", "05999") + row("45", "\"5\""));
    for (std::u32string year : {U"1941", U"1942", U"1943", U"1944", U"1945"})
        EXPECT_EQ(types(year, 1, 3), Types{8}) << utf8(year);
}

TEST_F(DateConversionTest, YearKeyIsComparedAsText)
{
    // Only the first two characters of the key field count; "5" is not "05".
    write(row("5", "1") + row("05x", "2") + row("00", "3") + row("\"99\"", "4"));
    EXPECT_EQ(types(U"2005", 1, 1), Types{3});
    EXPECT_EQ(types(U"2000 ・ 平成12", 1, 1), Types{4});
    EXPECT_EQ(types(U"1999 ・ 平成11", 1, 1), Types{5});
}

TEST_F(DateConversionTest, YearsTheTwoDigitKeyCannotTellApartGiveNothing)
{
    write(row("30", "1") + row("40", "1") + row("41", "1") + row("40", "2"));
    EXPECT_TRUE(types(U"1930", 1, 1).empty());
    EXPECT_TRUE(types(U"1940", 1, 1).empty());
    EXPECT_EQ(types(U"2030", 1, 1), Types{2});
    EXPECT_EQ(types(U"2040", 1, 1), (Types{2, 3}));
    EXPECT_TRUE(types(U"2041", 1, 1).empty());
    EXPECT_EQ(types(U"1941 ・ 昭和16", 1, 1), Types{2});
    // Texts that do not begin with four digits of a year.
    for (std::u32string year : {U"", U"41", U"194", U"abcd", U"19 41", U"-1941"})
        EXPECT_TRUE(types(year, 1, 1).empty()) << utf8(year);
}

TEST_F(DateConversionTest, MonthAndDayOutsideTheCalendarGiveNothing)
{
    write(row("63", "10"));
    EXPECT_TRUE(types(U"1963", 0, 1).empty());
    EXPECT_TRUE(types(U"1963", 13, 1).empty());
    EXPECT_TRUE(types(U"1963", 1, 0).empty());
    EXPECT_TRUE(types(U"1963", 1, 32).empty());
    EXPECT_TRUE(types(U"1963", 1, -5).empty());
    EXPECT_EQ(types(U"1963", 12, 31), Types{41});
}

TEST_F(DateConversionTest, EveryMatchingRowGivesATypeInFileOrder)
{
    write(row("63", "1") + row("64", "2") + row("63", "3"));
    EXPECT_EQ(types(U"1963", 1, 1), (Types{2, 4}));
}

TEST_F(DateConversionTest, FaultyRowsGiveNoTypeAndDoNotDisturbTheOthers)
{
    // A base that is no number, a negative base, a row cut short, an empty line and a last row
    // without its line end.
    write(row("50", "xx") + row("51", "-3") + "52,1,2\r\n" + "\r\n" + "53,7,7,7,7,7,7,7,7,7,7,7,7");
    EXPECT_TRUE(types(U"1950", 1, 1).empty());
    EXPECT_TRUE(types(U"1951", 1, 1).empty());
    EXPECT_EQ(types(U"1952", 2, 1), Types{3});
    EXPECT_TRUE(types(U"1952", 3, 1).empty());
    EXPECT_EQ(types(U"1953", 12, 1), Types{8});
}

TEST_F(DateConversionTest, BasesAboveFiftyNineStillGiveATypeFromOneToSixty)
{
    write(row("60", "99"));
    EXPECT_EQ(types(U"1960", 1, 31), Types{10});
    EXPECT_EQ(types(U"1960", 1, 1), Types{40});
}

TEST_F(DateConversionTest, AbsentTableGivesNothing)
{
    EXPECT_FALSE(DateConversionTable().available());
    EXPECT_TRUE(types(U"1963", 1, 1).empty());
    write(row("63", "1"));
    EXPECT_TRUE(DateConversionTable().available());
    EXPECT_TRUE(DateConversionTable("other.dat").animalTypes(U"1963", 1, 1).empty());
}

TEST(AnimalTypeTable, SpecialWrittenForms)
{
    EXPECT_EQ(animalOfType(2), U"タヌキ");
    for (int t : {8, 41, 47})
        EXPECT_EQ(animalOfType(t), U"たぬき") << t;
    EXPECT_EQ(animalOfType(1), U"チーター");
    EXPECT_EQ(typePhraseOfType(1), U"マラソン選手");
    EXPECT_EQ(animalOfType(60), U"虎");
    EXPECT_EQ(typePhraseOfType(60), U"神様みたい");
    EXPECT_EQ(typePhraseOfType(38), U"おしゃれ\uFF5E");
    EXPECT_EQ(typePhraseOfType(43), U"じっとしてない。");
    for (int t : {14, 37, 51})
        EXPECT_EQ(typePhraseOfType(t), U"わが道を行く") << t;
    EXPECT_EQ(typePhraseOfType(20), U"おとなしい");
    EXPECT_EQ(typePhraseOfType(25), U"おとなしい");
}

TEST(AnimalTypeTable, AnimalCountsAndEveryTextFitsTheSettingsFile)
{
    std::map<std::u32string, int> counts;
    for (int t = 1; t <= 60; ++t) {
        ++counts[std::u32string(animalOfType(t))];
        EXPECT_FALSE(typePhraseOfType(t).empty()) << t;
        // Every text must survive a round trip through CP932 (the type phrase 38 holds U+FF5E).
        EXPECT_TRUE(kadelo::text::encodeCp932(typePhraseOfType(t)).unencodable.empty()) << t;
        EXPECT_TRUE(kadelo::text::encodeCp932(animalOfType(t)).unencodable.empty()) << t;
    }
    const std::map<std::u32string, int> expected{{U"猿", 7}, {U"コアラ", 6}, {U"黒ひょう", 6}, {U"虎", 6},
        {U"ひつじ", 6}, {U"狼", 5}, {U"チーター", 4}, {U"子鹿", 4}, {U"ゾウ", 4}, {U"ペガサス", 4},
        {U"ライオン", 4}, {U"たぬき", 3}, {U"タヌキ", 1}};
    EXPECT_EQ(counts, expected);
}

TEST(AnimalTypeTable, NumbersOutsideTheTableHaveNoTexts)
{
    for (int t : {0, -1, 61, 75, 32767}) {
        EXPECT_TRUE(animalOfType(t).empty()) << t;
        EXPECT_TRUE(typePhraseOfType(t).empty()) << t;
    }
}

TEST(SuppliedConversionTable, EveryYearFrom1941To2040HasExactlyOneRow)
{
    const char* source = std::getenv("KADELO_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const DateConversionTable table(std::filesystem::path(source) / "data" / "conve.dat");
    ASSERT_TRUE(table.available());
    for (int year = 1941; year <= 2040; ++year) {
        const std::u32string yearText = kadelo::text::fromUtf8(std::to_string(year));
        // One row per year key, and a usable base number for every month.
        for (int month = 1; month <= 12; ++month) {
            const Types types = table.animalTypes(yearText, month, 1);
            ASSERT_EQ(types.size(), 1u) << year << "-" << month;
            ASSERT_GE(types[0], 1) << year << "-" << month;
            ASSERT_LE(types[0], 60) << year << "-" << month;
        }
    }
}
