// A name counted with the supplied dictionaries in both ways: 渡辺 清.
#include <gtest/gtest.h>

#include "data/data_files.h"
#include "judgement/fortunes.h"

namespace kadelo {
namespace {

FortuneSet judge(const CountingChoice& choice, std::u32string_view surname, std::u32string_view given, NameStrokes& strokes)
{
    strokes.surname = lookupStrokes(surname, choice, true, datatest::suppliedFolder());
    strokes.given = lookupStrokes(given, choice, false, datatest::suppliedFolder());
    return computeFortunes(strokes);
}

TEST(TraditionalCounts, WatanabeKiyoshiBothWays)
{
    NameStrokes s;
    // Today's forms: 渡 12, 辺 5, 清 11 — the same as the plain dictionary lookup.
    FortuneSet f = judge(CountingChoice{}, U"渡辺", U"清", s);
    EXPECT_EQ(s.surname.counts, (std::array<std::int16_t, 3>{12, 5, 0}));
    EXPECT_EQ(s.given.counts, (std::array<std::int16_t, 3>{11, 0, 0}));
    EXPECT_EQ(lookupStrokes(U"渡辺", StrokeLookup(datatest::suppliedFolder() / text::strokeFileName(), datatest::suppliedFolder() / text::wideStrokeFileName()), true).counts,
        s.surname.counts);
    EXPECT_EQ((std::array<int, 4>{f.soukaku, f.jinnkaku, f.gaikaku, f.tikaku}), (std::array<int, 4>{28, 16, 23, 27}));

    // Traditionally: 渡 氵(水)4 + 9 = 13, 辺 → 邊 ⻌(辵)7 + 15 = 22, 清 氵(水)4 + 8 = 12.
    f = judge(CountingChoice{CountingWay::Traditional, false}, U"渡辺", U"清", s);
    EXPECT_EQ(s.surname.counts, (std::array<std::int16_t, 3>{13, 22, 0}));
    EXPECT_EQ(s.given.counts, (std::array<std::int16_t, 3>{12, 0, 0}));
    EXPECT_EQ((std::array<int, 4>{f.soukaku, f.jinnkaku, f.gaikaku, f.tikaku}), (std::array<int, 4>{47, 34, 25, 46}));
}

TEST(TraditionalCounts, NumeralsAndTheRepeatMark)
{
    const CountingChoice numerals{CountingWay::Traditional, true};
    // 四 is 囗 3 + 2 = 5 by its radical, 4 by value; 々 in a surname takes the count before it.
    EXPECT_EQ(lookupStrokes(U"四々", CountingChoice{CountingWay::Traditional, false}, true, datatest::suppliedFolder()).counts,
        (std::array<std::int16_t, 3>{5, 5, 0}));
    EXPECT_EQ(lookupStrokes(U"四々", numerals, true, datatest::suppliedFolder()).counts, (std::array<std::int16_t, 3>{4, 4, 0}));
}

} // namespace
} // namespace kadelo
