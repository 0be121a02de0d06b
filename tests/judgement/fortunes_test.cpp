#include "judgement/fortunes.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using namespace kadelo;
using kadelo::testing::cp932;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;

NameHalf half(std::initializer_list<std::int16_t> counts)
{
    NameHalf h;
    std::size_t i = 0;
    for (std::int16_t c : counts) {
        h.chars[i] = U"字";
        h.counts[i++] = c;
    }
    h.length = static_cast<std::int16_t>(counts.size());
    return h;
}

FortuneSet fortunes(std::initializer_list<std::int16_t> surname, std::initializer_list<std::int16_t> given)
{
    return computeFortunes(NameStrokes{half(surname), half(given)});
}

void expectFortunes(const FortuneSet& f, int sou, int jin, int gai, int tik)
{
    EXPECT_EQ(f.soukaku, sou);
    EXPECT_EQ(f.jinnkaku, jin);
    EXPECT_EQ(f.gaikaku, gai);
    EXPECT_EQ(f.tikaku, tik);
}

TEST(PrepareName, CutsToThreeCharactersBeforeTrimming)
{
    EXPECT_EQ(prepareName(U"山田太郎"), U"山田太");
    EXPECT_EQ(prepareName(U" 山田太"), U"山田");
    EXPECT_EQ(prepareName(U"　山田　"), U"山田");
    EXPECT_EQ(prepareName(U"山 田"), U"山 田"); // inner blanks stay
    EXPECT_EQ(prepareName(U"   "), U"");
    EXPECT_EQ(prepareName(U"　　　山"), U"");
    EXPECT_EQ(prepareName(U""), U"");
}

TEST(ComputeFortunes, WorkedExamples)
{
    expectFortunes(fortunes({3, 5}, {4, 9}), 21, 9, 12, 22);
    expectFortunes(fortunes({7}, {8}), 15, 15, 15, 23);
    expectFortunes(fortunes({4, 3, 5}, {2, 6, 7}), 27, 7, 20, 22);
    expectFortunes(fortunes({7, 7, 4}, {5, 6}), 29, 9, 20, 20); // 佐々木 with 佐 7, 木 4
}

TEST(ComputeFortunes, AllNineLengthCombinations)
{
    // Counts that are powers of two make every sum show exactly which characters it took.
    const std::int16_t a1 = 1, a2 = 2, a3 = 4, b1 = 8, b2 = 16, b3 = 32;
    expectFortunes(fortunes({a1}, {b1}), a1 + b1, a1 + b1, a1 + b1, a1 + 2 * b1);
    expectFortunes(fortunes({a1}, {b1, b2}), a1 + b1 + b2, a1 + b1, a1 + b2, a1 + 2 * b1 + b2);
    expectFortunes(fortunes({a1}, {b1, b2, b3}), a1 + b1 + b2 + b3, a1 + b1, a1 + b2 + b3, a1 + 2 * b1 + b2 + b3);
    expectFortunes(fortunes({a1, a2}, {b1}), a1 + a2 + b1, a2 + b1, a1 + b1, a2 + 2 * b1);
    expectFortunes(fortunes({a1, a2}, {b1, b2}), a1 + a2 + b1 + b2, a2 + b1, a1 + b2, a2 + 2 * b1 + b2);
    expectFortunes(fortunes({a1, a2}, {b1, b2, b3}), a1 + a2 + b1 + b2 + b3, a2 + b1, a1 + b2 + b3, a2 + 2 * b1 + b2 + b3);
    expectFortunes(fortunes({a1, a2, a3}, {b1}), a1 + a2 + a3 + b1, a3 + b1, a1 + a2 + b1, a3 + 2 * b1);
    expectFortunes(fortunes({a1, a2, a3}, {b1, b2}), a1 + a2 + a3 + b1 + b2, a3 + b1, a1 + a2 + b2, a3 + 2 * b1 + b2);
    expectFortunes(fortunes({a1, a2, a3}, {b1, b2, b3}), a1 + a2 + a3 + b1 + b2 + b3, a3 + b1, a1 + a2 + b2 + b3,
        a3 + 2 * b1 + b2 + b3);
}

TEST(ComputeFortunes, NothingFoundGivesZeroAndHugeCountsDoNotWrap)
{
    expectFortunes(fortunes({0, 0}, {0}), 0, 0, 0, 0);
    const FortuneSet f = fortunes({30000, 30000, 30000}, {30000, 30000, 30000});
    EXPECT_EQ(f.soukaku, 32767);
    EXPECT_EQ(f.tikaku, 32767);
}

class LookupStrokesTest : public ::testing::Test {
protected:
    TempFolder folder;
    StrokeLookup dict;

    void SetUp() override
    {
        writeBytes(u8path("漢字.dat"),
            cp932("\"山\",3\r\n\"田\",5\r\n\"太\",4\r\n\"郎\",9\r\n\"佐\",7\r\n\"木\",4\r\n\"山田\",8\r\n"
                  "\"花\",7\r\n\"田\",11\r\n\"奈\",8\r\n\"野\",11\r\n\"々\",3\r\n\"ｱ\",2\r\n"));
    }
    NameHalf surname(std::u32string_view text) { return lookupStrokes(text, dict, true); }
    NameHalf given(std::u32string_view text) { return lookupStrokes(text, dict, false); }
};

void expectHalf(const NameHalf& h, std::array<std::u32string, 3> chars, std::array<std::int16_t, 3> counts, int length)
{
    EXPECT_EQ(h.length, length);
    EXPECT_EQ(h.chars, chars);
    EXPECT_EQ(h.counts, counts);
}

TEST_F(LookupStrokesTest, CountsEachPositionFirstEntryWinning)
{
    expectHalf(surname(U"山田"), {U"山", U"田", U""}, {3, 5, 0}, 2); // the later 田 entry is ignored
    expectHalf(given(U"太郎"), {U"太", U"郎", U""}, {4, 9, 0}, 2);
    expectHalf(given(U"田田田"), {U"田", U"田", U"田"}, {5, 5, 5}, 3); // one character in every position
}

TEST_F(LookupStrokesTest, CharactersShiftJisCannotHoldAreCountedFromTheUtf8File)
{
    // The UTF-8 file answers only for what 漢字.dat cannot hold: its 田 is never used.
    writeBytes(u8path("漢字UTF8.dat"), "\"𠮷\",6\r\n\"田\",1\r\n\"𠮷\",9\r\n\"鷗\",22\r\n");
    expectHalf(surname(U"𠮷田"), {U"𠮷", U"田", U""}, {6, 5, 0}, 2);
    expectHalf(surname(U"𠮷々"), {U"𠮷", U"々", U""}, {6, 6, 0}, 2);
    expectHalf(given(U"鷗太😀"), {U"鷗", U"太", U"😀"}, {22, 4, 0}, 3);
}

TEST_F(LookupStrokesTest, FourthCharacterAndBlanksAreDropped)
{
    expectHalf(surname(U"山田太郎"), {U"山", U"田", U"太"}, {3, 5, 4}, 3);
    expectHalf(surname(U" 山田太"), {U"山", U"田", U""}, {3, 5, 0}, 2);
    expectHalf(given(U"　花　"), {U"花", U"", U""}, {7, 0, 0}, 1);
    expectHalf(surname(U"   "), {U"", U"", U""}, {0, 0, 0}, 0);
    expectHalf(given(U""), {U"", U"", U""}, {0, 0, 0}, 0);
}

TEST_F(LookupStrokesTest, MissingCharactersCountZero)
{
    expectHalf(given(U"桜子"), {U"桜", U"子", U""}, {0, 0, 0}, 2);
    expectHalf(given(U"花子"), {U"花", U"子", U""}, {7, 0, 0}, 2);
    expectHalf(given(U"ｱア"), {U"ｱ", U"ア", U""}, {2, 0, 0}, 2); // no kana or width folding
    // Characters Shift-JIS cannot hold are never in 漢字.dat, and there is no 漢字UTF8.dat here.
    expectHalf(given(U"𠮷😀山"), {U"𠮷", U"😀", U"山"}, {0, 0, 3}, 3);
    // A two-character entry matches no position.
    expectHalf(surname(U"山田"), {U"山", U"田", U""}, {3, 5, 0}, 2);
}

TEST_F(LookupStrokesTest, RepeatMarkInSurnamePositionTwoTakesThePreviousCount)
{
    expectHalf(surname(U"佐々木"), {U"佐", U"々", U"木"}, {7, 7, 4}, 3);
    expectHalf(surname(U"野々"), {U"野", U"々", U""}, {11, 11, 0}, 2);
    expectHalf(surname(U"桜々"), {U"桜", U"々", U""}, {0, 0, 0}, 2); // position 1 unknown: 0 as well
    // Elsewhere the mark is looked up like any character (here it has an entry of 3).
    expectHalf(surname(U"々山"), {U"々", U"山", U""}, {3, 3, 0}, 2);
    expectHalf(surname(U"山田々"), {U"山", U"田", U"々"}, {3, 5, 3}, 3);
    expectHalf(given(U"奈々"), {U"奈", U"々", U""}, {8, 3, 0}, 2);
}

TEST_F(LookupStrokesTest, GivenNameRepeatMarkWithoutEntryCountsZero)
{
    writeBytes(u8path("漢字.dat"), cp932("\"奈\",8\r\n"));
    expectHalf(given(U"奈々"), {U"奈", U"々", U""}, {8, 0, 0}, 2);
}

TEST_F(LookupStrokesTest, AbsentDictionaryCountsEverythingZero)
{
    std::filesystem::remove(u8path("漢字.dat"));
    expectHalf(surname(U"佐々木"), {U"佐", U"々", U"木"}, {0, 0, 0}, 3);
}

TEST_F(LookupStrokesTest, EntryAppendedLaterIsSeenByTheNextLookup)
{
    expectHalf(given(U"桜"), {U"桜", U"", U""}, {0, 0, 0}, 1);
    ASSERT_TRUE(dict.append(U"桜", 10));
    expectHalf(given(U"桜"), {U"桜", U"", U""}, {10, 0, 0}, 1);
}

} // namespace

namespace {

TEST_F(LookupStrokesTest, UncountedCharactersAreNamedInOrderEachOnce)
{
    EXPECT_EQ(uncountedCharacters(NameStrokes{surname(U"山田"), given(U"太郎")}), U"");
    EXPECT_EQ(uncountedCharacters(NameStrokes{surname(U"𠮷田"), given(U"太郎")}), U"𠮷");
    // Surname first, then the given name; a character missing twice is named once.
    EXPECT_EQ(uncountedCharacters(NameStrokes{surname(U"桜田"), given(U"ｲ桜😀")}), U"桜ｲ😀");
    EXPECT_EQ(uncountedCharacters(given(U"abc")), U"abc");
    // Blanks cut off before counting are not characters of the name.
    EXPECT_EQ(uncountedCharacters(given(U" 太 ")), U"");
    // 々 after the first surname character borrows its count: only the first one can be missing.
    EXPECT_EQ(uncountedCharacters(surname(U"佐々木")), U"");
    EXPECT_EQ(uncountedCharacters(surname(U"桜々")), U"桜");
    EXPECT_EQ(uncountedCharacters(surname(U"山田々")), U""); // has an entry of its own here
    std::filesystem::remove(u8path("漢字.dat"));
    EXPECT_EQ(uncountedCharacters(given(U"奈々")), U"奈々");
    EXPECT_EQ(uncountedCharacters(surname(U"奈々")), U"奈");
}

} // namespace
