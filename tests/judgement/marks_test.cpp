#include "judgement/marks.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using kadelo::Fortune;
using kadelo::gradeFortune;

const std::u32string_view kBest = U"◎", kGood = U"○", kFair = U"▲", kBad = U"×", kOutside = U"★";

std::map<std::u32string_view, int> tally(Fortune f, bool boy)
{
    std::map<std::u32string_view, int> t;
    for (int v = -5; v <= 130; ++v)
        ++t[gradeFortune(f, static_cast<std::int16_t>(v), boy)];
    return t;
}

TEST(GradeFortune, BoyAndGirlDifferOnlyWhereTheTablesSay)
{
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 21, true), kBest);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 21, false), kFair);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 35, true), kGood);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 35, false), kBest);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 45, true), kBest);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 45, false), kGood);
    int differing = 0;
    for (int v = -5; v <= 130; ++v)
        differing += gradeFortune(Fortune::soukaku, static_cast<std::int16_t>(v), true)
            != gradeFortune(Fortune::soukaku, static_cast<std::int16_t>(v), false);
    EXPECT_EQ(differing, 8);
    // The boy flag means nothing to the other fortunes.
    for (Fortune f : {Fortune::jinnkaku, Fortune::gaikaku, Fortune::tikaku})
        for (int v = -5; v <= 130; ++v)
            EXPECT_EQ(gradeFortune(f, static_cast<std::int16_t>(v), true), gradeFortune(f, static_cast<std::int16_t>(v), false));
}

TEST(GradeFortune, NumbersOutsideEveryRangeAreStars)
{
    for (bool boy : {true, false}) {
        for (int v : {-32768, -1, 0, 4, 61, 100, 32767})
            EXPECT_EQ(gradeFortune(Fortune::soukaku, static_cast<std::int16_t>(v), boy), kOutside) << v;
    }
    EXPECT_EQ(gradeFortune(Fortune::jinnkaku, 4, true), kOutside);
    EXPECT_EQ(gradeFortune(Fortune::jinnkaku, 38, true), kOutside);
    EXPECT_EQ(gradeFortune(Fortune::gaikaku, 44, true), kOutside);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 9, true), kOutside);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 70, true), kOutside);
    // The ends of each range are graded.
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 5, true), kBest);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 60, false), kBad);
    EXPECT_EQ(gradeFortune(Fortune::jinnkaku, 37, true), kGood);
    EXPECT_EQ(gradeFortune(Fortune::gaikaku, 43, true), kGood);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 10, true), kBad);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 69, true), kBad);
}

TEST(GradeFortune, LikeNumbersGradeDifferentlyPerFortune)
{
    EXPECT_EQ(gradeFortune(Fortune::jinnkaku, 14, true), kFair);
    EXPECT_EQ(gradeFortune(Fortune::gaikaku, 14, true), kBad);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 14, true), kBad);
    EXPECT_EQ(gradeFortune(Fortune::soukaku, 6, true), kBest);
    EXPECT_EQ(gradeFortune(Fortune::gaikaku, 6, true), kBest);
    EXPECT_EQ(gradeFortune(Fortune::jinnkaku, 6, true), kGood);
    EXPECT_EQ(gradeFortune(Fortune::gaikaku, 38, true), kGood);
    EXPECT_EQ(gradeFortune(Fortune::tikaku, 38, true), kGood);
    for (Fortune f : {Fortune::soukaku, Fortune::jinnkaku, Fortune::gaikaku})
        EXPECT_EQ(gradeFortune(f, 9, true), kFair);
}

TEST(GradeFortune, EachTableHoldsTheListedNumberOfEachMark)
{
    using T = std::map<std::u32string_view, int>;
    const int outside = 136; // numbers -5..130
    EXPECT_EQ(tally(Fortune::soukaku, true), (T{{kBest, 18}, {kGood, 14}, {kFair, 9}, {kBad, 15}, {kOutside, outside - 56}}));
    EXPECT_EQ(tally(Fortune::soukaku, false), (T{{kBest, 14}, {kGood, 14}, {kFair, 13}, {kBad, 15}, {kOutside, outside - 56}}));
    EXPECT_EQ(tally(Fortune::jinnkaku, true), (T{{kBest, 9}, {kGood, 14}, {kFair, 6}, {kBad, 4}, {kOutside, outside - 33}}));
    EXPECT_EQ(tally(Fortune::gaikaku, true), (T{{kBest, 15}, {kGood, 12}, {kFair, 6}, {kBad, 6}, {kOutside, outside - 39}}));
    EXPECT_EQ(tally(Fortune::tikaku, true), (T{{kBest, 16}, {kGood, 18}, {kFair, 3}, {kBad, 23}, {kOutside, outside - 60}}));
}

} // namespace
