#pragma once
// The birth-date conversion table conve.dat and the table of the 60 animal types.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "text/data_folder.h"

namespace kadelo {

// The years the table answers: its two-digit year keys cannot tell other centuries apart.
constexpr int kFirstTableYear = 1941;
constexpr int kLastTableYear = 2040;

// The year a year text begins with ("1963 ・ 昭和38" gives 1963): its first four characters as a
// whole number; empty when there are fewer or they are not a number.
std::optional<int> leadingYear(std::u32string_view yearText);

// The days of a month in the Gregorian calendar (February has 29 in leap years); 0 for a month
// outside 1..12.
int daysInMonth(int year, int month);

class DateConversionTable {
public:
    explicit DateConversionTable(std::filesystem::path path = text::conversionFileName());

    // True when the table file can be read.
    bool available() const;

    // The animal type (1..60) of a birth date for every row whose year key matches, in file order.
    // `yearText` begins with the four-digit Western year ("1963 ・ 昭和38" or "1963"); its third and
    // fourth characters are the key. Empty when no row matches, the file is absent, or the date is
    // not one the table can answer (year outside 1941..2040, month outside 1..12, day outside 1..31).
    std::vector<std::int16_t> animalTypes(std::u32string_view yearText, int month, int day) const;

private:
    std::filesystem::path path_;
};

// The animal of a type 1..60; empty for any other number.
std::u32string_view animalOfType(int type);
// The type phrase of a type 1..60; empty for any other number.
std::u32string_view typePhraseOfType(int type);

} // namespace kadelo
