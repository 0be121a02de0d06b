#include "birth_table.h"

namespace kadelo::tools {

long julianDayNumber(int year, int month, int day)
{
    const long a = (14 - month) / 12;
    const long y = year + 4800L - a;
    const long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

int monthBase(int year, int month)
{
    // JDN + 49 is a multiple of 60 on a 甲子 day (2000-01-07, JDN 2451551, is one).
    return static_cast<int>((julianDayNumber(year, month, 1) + 49) % 60);
}

std::vector<BirthRow> birthRows(int first, int last)
{
    std::vector<BirthRow> rows;
    for (int year = first; year <= last; ++year) {
        BirthRow row{year, {}};
        for (int month = 1; month <= 12; ++month)
            row.bases[month - 1] = monthBase(year, month);
        rows.push_back(row);
    }
    return rows;
}

} // namespace kadelo::tools
