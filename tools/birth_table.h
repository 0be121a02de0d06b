#pragma once
// The rows of conve.dat. A row holds the two-digit year key and, for each month, the base number
// that the day of birth is added to: base + day (less 60 when above 60) is the day's place in the
// 60-day cycle, 甲子 being 1, which is the animal type.
#include <array>
#include <vector>

namespace kadelo::tools {

// The Julian Day Number of a date of the Gregorian calendar.
long julianDayNumber(int year, int month, int day);

// The base number of a month: the place of its first day in the 60-day cycle, less one.
int monthBase(int year, int month);

struct BirthRow {
    int year;
    std::array<int, 12> bases;
};

// One row for every year from `first` to `last`.
std::vector<BirthRow> birthRows(int first, int last);

} // namespace kadelo::tools
