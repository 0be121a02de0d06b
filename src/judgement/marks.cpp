#include "judgement/marks.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace kadelo {
namespace {

constexpr std::u32string_view kBest = U"◎";
constexpr std::u32string_view kGood = U"○";
constexpr std::u32string_view kFair = U"▲";
constexpr std::u32string_view kBad = U"×";
constexpr std::u32string_view kOutside = U"★";

// A grading table: one unbroken range of numbers, each number in exactly one of the four lists.
struct GradeTable {
    int low;
    int high;
    std::initializer_list<int> best; // ◎
    std::initializer_list<int> good; // ○
    std::initializer_list<int> fair; // ▲
    std::initializer_list<int> bad;  // ×
};

// 総運 for a boy.
constexpr GradeTable kSoukakuBoy{5, 60,
    {5, 6, 11, 13, 15, 16, 21, 23, 24, 29, 31, 32, 39, 41, 45, 47, 52, 57},
    {7, 8, 17, 18, 27, 28, 33, 35, 36, 37, 38, 48, 53, 58},
    {9, 12, 19, 22, 25, 26, 42, 43, 49},
    {10, 14, 20, 30, 34, 40, 44, 46, 50, 51, 54, 55, 56, 59, 60}};

// 総運 for a girl: 21, 23, 31, 39 drop to ▲, 35 and 37 rise to ◎, 45 and 47 drop to ○.
constexpr GradeTable kSoukakuGirl{5, 60,
    {5, 6, 11, 13, 15, 16, 24, 29, 32, 35, 37, 41, 52, 57},
    {7, 8, 17, 18, 27, 28, 33, 36, 38, 45, 47, 48, 53, 58},
    {9, 12, 19, 21, 22, 23, 25, 26, 31, 39, 42, 43, 49},
    {10, 14, 20, 30, 34, 40, 44, 46, 50, 51, 54, 55, 56, 59, 60}};

// 社会運.
constexpr GradeTable kJinnkaku{5, 37,
    {5, 11, 13, 15, 21, 23, 31, 32, 35},
    {6, 7, 8, 16, 17, 18, 24, 25, 27, 28, 29, 33, 36, 37},
    {9, 12, 14, 19, 22, 26},
    {10, 20, 30, 34}};

// 人生運.
constexpr GradeTable kGaikaku{5, 43,
    {5, 6, 11, 13, 15, 16, 21, 23, 24, 29, 31, 32, 35, 39, 41},
    {7, 8, 17, 18, 25, 27, 28, 33, 36, 37, 38, 43},
    {9, 12, 19, 22, 26, 42},
    {10, 14, 20, 30, 34, 40}};

// 伏運.
constexpr GradeTable kTikaku{10, 69,
    {11, 13, 15, 21, 23, 24, 29, 31, 32, 35, 39, 47, 52, 57, 61, 65},
    {16, 18, 25, 28, 36, 37, 38, 41, 43, 45, 48, 49, 53, 58, 63, 66, 67, 68},
    {17, 22, 26},
    {10, 12, 14, 19, 20, 27, 30, 33, 34, 40, 42, 44, 46, 50, 51, 54, 55, 56, 59, 60, 62, 64, 69}};

constexpr bool listed(std::initializer_list<int> list, int number)
{
    for (int v : list)
        if (v == number)
            return true;
    return false;
}

// True when every number of the range stands in exactly one list and no list strays outside it.
constexpr bool wellFormed(const GradeTable& t)
{
    for (int v = t.low; v <= t.high; ++v) {
        const int hits = int{listed(t.best, v)} + int{listed(t.good, v)} + int{listed(t.fair, v)} + int{listed(t.bad, v)};
        if (hits != 1)
            return false;
    }
    const std::size_t total = t.best.size() + t.good.size() + t.fair.size() + t.bad.size();
    return total == static_cast<std::size_t>(t.high - t.low + 1);
}

static_assert(wellFormed(kSoukakuBoy));
static_assert(wellFormed(kSoukakuGirl));
static_assert(wellFormed(kJinnkaku));
static_assert(wellFormed(kGaikaku));
static_assert(wellFormed(kTikaku));

// The grades of one table as an array indexed by the fortune number, worked out at compile time
// from the four lists: grading a number is then one bounds check and one read.
enum class Grade : std::uint8_t { outside, best, good, fair, bad };

constexpr int kNumbers = 70; // every table lies within 0 .. 69

using GradeIndex = std::array<Grade, kNumbers>;

constexpr GradeIndex indexOf(const GradeTable& t)
{
    GradeIndex index{};
    for (int v = 0; v < kNumbers; ++v)
        index[static_cast<std::size_t>(v)] = listed(t.best, v) ? Grade::best
            : listed(t.good, v)                                 ? Grade::good
            : listed(t.fair, v)                                 ? Grade::fair
            : listed(t.bad, v)                                  ? Grade::bad
                                                                : Grade::outside;
    return index;
}

constexpr bool fitsIndex(const GradeTable& t)
{
    return t.low >= 0 && t.high < kNumbers;
}
static_assert(fitsIndex(kSoukakuBoy) && fitsIndex(kSoukakuGirl) && fitsIndex(kJinnkaku) && fitsIndex(kGaikaku)
    && fitsIndex(kTikaku));

constexpr GradeIndex kSoukakuBoyIndex = indexOf(kSoukakuBoy);
constexpr GradeIndex kSoukakuGirlIndex = indexOf(kSoukakuGirl);
constexpr GradeIndex kJinnkakuIndex = indexOf(kJinnkaku);
constexpr GradeIndex kGaikakuIndex = indexOf(kGaikaku);
constexpr GradeIndex kTikakuIndex = indexOf(kTikaku);

constexpr FortuneMark kMarks[] = {kOutside, kBest, kGood, kFair, kBad};

} // namespace

FortuneMark gradeFortune(Fortune fortune, std::int16_t number, bool boy)
{
    const GradeIndex* index = nullptr;
    switch (fortune) {
    case Fortune::soukaku:
        index = boy ? &kSoukakuBoyIndex : &kSoukakuGirlIndex;
        break;
    case Fortune::jinnkaku:
        index = &kJinnkakuIndex;
        break;
    case Fortune::gaikaku:
        index = &kGaikakuIndex;
        break;
    case Fortune::tikaku:
        index = &kTikakuIndex;
        break;
    }
    if (!index || number < 0 || number >= kNumbers)
        return kOutside;
    return kMarks[static_cast<std::size_t>((*index)[static_cast<std::size_t>(number)])];
}

} // namespace kadelo
