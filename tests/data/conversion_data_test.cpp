// The supplied conve.dat: layout, and every day of its years against the calendar.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <map>
#include <set>

#include "animal/animal_types.h"
#include "data/data_files.h"
#include "text/numbers.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

using namespace std::chrono;

std::filesystem::path conversionPath()
{
    return datatest::suppliedFolder() / text::conversionFileName();
}

// The place of a day in the 60-day cycle, 甲子 being 1, counted from a day whose place is known:
// 2000-01-01 was 戊午, the 55th.
int cycleDay(year_month_day date)
{
    const long days = (sys_days(date) - sys_days(2000y / January / 1)).count();
    return static_cast<int>(((days + 54) % 60 + 60) % 60) + 1;
}

TEST(ConversionData, HundredRowsOfAKeyAndTwelveBaseNumbersInCp932WithCrLf)
{
    const std::string bytes = datatest::suppliedBytes(text::conversionFileName());
    std::string fault;
    const std::vector<std::string_view> lines = datatest::crlfLines(bytes, fault);
    ASSERT_EQ(fault, "");
    EXPECT_EQ(lines.size(), 100u);

    std::set<std::string> keys;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        ASSERT_EQ(fields.size(), 13u);
        const std::string key(fields[0]);
        ASSERT_EQ(key.size(), 2u) << key;
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(key[0])) && std::isdigit(static_cast<unsigned char>(key[1])))
            << key;
        EXPECT_TRUE(keys.insert(key).second) << key << " twice";
        for (std::size_t month = 1; month <= 12; ++month) {
            const std::optional<long long> base = text::parseInteger(text::fieldText(fields[month]));
            ASSERT_TRUE(base.has_value()) << key;
            EXPECT_GE(*base, 0) << key;
            EXPECT_LE(*base, 59) << key;
            // Plain digits, no padding or blanks: only the first two characters of a field count.
            EXPECT_EQ(std::string(fields[month]), std::to_string(*base)) << key;
        }
    });
    // 41..99 and 00 for 1941 to 2000, 01..40 for 2001 to 2040: every two-digit key once.
    EXPECT_EQ(keys.size(), 100u);
}

TEST(ConversionData, KnownDaysOfTheCycle)
{
    const DateConversionTable table(conversionPath());
    EXPECT_EQ(table.animalTypes(U"2000", 1, 1), std::vector<std::int16_t>{55}); // 戊午
    EXPECT_EQ(table.animalTypes(U"2011", 1, 1), std::vector<std::int16_t>{53}); // 丙辰
    EXPECT_EQ(table.animalTypes(U"2024", 1, 1), std::vector<std::int16_t>{1});  // 甲子
    // A year as the year picker offers it.
    EXPECT_EQ(table.animalTypes(U"1941 ・ 昭和16", 1, 1), std::vector<std::int16_t>{46}); // 己酉
}

TEST(ConversionData, EveryDayFrom1941To2040AgreesWithTheCalendar)
{
    const std::string bytes = datatest::suppliedBytes(text::conversionFileName());
    std::map<std::string, std::vector<int>> bases;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        std::vector<int>& row = bases[std::string(fields.at(0))];
        for (std::size_t month = 1; month < fields.size(); ++month)
            row.push_back(static_cast<int>(text::parseInteger(text::fieldText(fields[month])).value_or(-1)));
    });
    ASSERT_EQ(bases.size(), 100u);

    int checked = 0;
    for (sys_days day = sys_days(1941y / January / 1); day <= sys_days(2040y / December / 31); day += days(1)) {
        const year_month_day date(day);
        const int y = static_cast<int>(date.year());
        const unsigned m = static_cast<unsigned>(date.month());
        const unsigned d = static_cast<unsigned>(date.day());
        const std::string key{static_cast<char>('0' + y % 100 / 10), static_cast<char>('0' + y % 10)};
        int type = static_cast<int>(d) + bases.at(key).at(m - 1);
        if (type > 60)
            type -= 60;
        ASSERT_EQ(type, cycleDay(date)) << y << "-" << m << "-" << d;
        ++checked;
    }
    EXPECT_EQ(checked, 36525);
}

TEST(ConversionData, RandomDatesThroughTheProgramsOwnReader)
{
    const DateConversionTable table(conversionPath());
    std::uint32_t seed = 20240101;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const sys_days day = sys_days(1941y / January / 1) + days(seed % 36525);
        const year_month_day date(day);
        const std::u32string year = text::fromUtf8(std::to_string(static_cast<int>(date.year())));
        const std::vector<std::int16_t> types =
            table.animalTypes(year, static_cast<int>(static_cast<unsigned>(date.month())), static_cast<int>(static_cast<unsigned>(date.day())));
        ASSERT_EQ(types.size(), 1u) << text::toUtf8(year);
        EXPECT_EQ(types[0], cycleDay(date)) << text::toUtf8(year) << "-" << static_cast<unsigned>(date.month()) << "-"
                                            << static_cast<unsigned>(date.day());
    }
}

} // namespace
} // namespace kadelo
