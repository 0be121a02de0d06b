#include "dictionary/stroke_dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace {

using kadelo::StrokeDictionary;
using kadelo::testing::cp932;
using kadelo::testing::readBytes;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;

class StrokeDictionaryTest : public ::testing::Test {
protected:
    TempFolder folder;
    StrokeDictionary dict; // the bare name 漢字.dat in the current (temporary) folder

    void writeDictionary(std::string_view utf8Lines) { writeBytes(u8path("漢字.dat"), cp932(utf8Lines)); }
    std::string fileBytes() const { return readBytes(u8path("漢字.dat")); }
};

TEST_F(StrokeDictionaryTest, AbsentFileIsAnEmptyDictionary)
{
    EXPECT_EQ(dict.lookUp(U"山"), std::nullopt);
    int entries = 0;
    dict.forEachEntry([&](auto, auto) { ++entries; });
    EXPECT_EQ(entries, 0);
    EXPECT_FALSE(std::filesystem::exists(u8path("漢字.dat"))); // looking up never creates it
}

TEST_F(StrokeDictionaryTest, EmptyFileFindsNothingAndFirstAppendWritesTheFirstLine)
{
    writeDictionary("");
    EXPECT_EQ(dict.lookUp(U"山"), std::nullopt);
    ASSERT_TRUE(dict.append(U"山", 3));
    EXPECT_EQ(fileBytes(), cp932("\"山\",3\r\n"));
    EXPECT_EQ(dict.lookUp(U"山"), std::int16_t{3});
}

TEST_F(StrokeDictionaryTest, ReadsEveryLineIncludingALastLineWithoutLineEnd)
{
    writeDictionary("\"山\",3\r\n\"田\",5\r\n\"森\",12");
    EXPECT_EQ(dict.lookUp(U"山"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"田"), std::int16_t{5});
    EXPECT_EQ(dict.lookUp(U"森"), std::int16_t{12});
    EXPECT_EQ(dict.lookUp(U"林"), std::nullopt);
}

TEST_F(StrokeDictionaryTest, FirstOfTwoEntriesForOneCharacterWins)
{
    writeDictionary("\"山\",3\r\n\"山\",9\r\n");
    EXPECT_EQ(dict.lookUp(U"山"), std::int16_t{3});
}

TEST_F(StrokeDictionaryTest, MultiCharacterEntryNeverMatches)
{
    writeDictionary("\"山田\",8\r\n\"山\",3\r\n");
    EXPECT_EQ(dict.lookUp(U"山"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"山田"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U"田"), std::nullopt);
}

TEST_F(StrokeDictionaryTest, NoFoldingOfWidthOrKanaKind)
{
    writeDictionary("\"Ａ\",3\r\n\"ｶ\",2\r\n\"あ\",3\r\n");
    EXPECT_EQ(dict.lookUp(U"Ａ"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"A"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U"a"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U"ｶ"), std::int16_t{2});
    EXPECT_EQ(dict.lookUp(U"カ"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U"あ"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"ア"), std::nullopt);
}

TEST_F(StrokeDictionaryTest, UnusableLinesAreSkippedOrCountZero)
{
    // A line of garbage, an empty line, a count that is no number, one beyond 16 bits, a field with
    // bytes Shift-JIS does not define, and unquoted or spaced forms of valid entries.
    std::string bytes = cp932("just some words\r\n\r\n\"林\",abc\r\n\"森\",99999\r\n");
    bytes += "\"\x81\x20\",4\r\n\"\xA0\",4\r\n\"\x85\x40\",6\r\n";
    bytes += cp932("川,3\r\n  \"木\" , 4\r\n\"火\",-2\r\n\"林\",8\r\n");
    writeBytes(u8path("漢字.dat"), bytes);

    EXPECT_EQ(dict.lookUp(U"林"), std::int16_t{0}); // the first entry counts, even with an unusable count
    EXPECT_EQ(dict.lookUp(U"森"), std::int16_t{0});
    EXPECT_EQ(dict.lookUp(U"川"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"木"), std::int16_t{4});
    EXPECT_EQ(dict.lookUp(U"火"), std::int16_t{-2});
    EXPECT_EQ(dict.lookUp(U"\uFFFD"), std::nullopt); // undecodable bytes never match anything
    EXPECT_EQ(dict.lookUp(U"j"), std::nullopt);

    int entries = 0, unreadable = 0;
    dict.forEachEntry([&](std::optional<char32_t> c, std::int16_t) {
        ++entries;
        unreadable += c ? 0 : 1;
    });
    EXPECT_EQ(entries, 9); // the one-field lines give no entry
    EXPECT_EQ(unreadable, 3);
}

TEST_F(StrokeDictionaryTest, CharactersShiftJisCannotHoldAreSimplyNotFound)
{
    writeDictionary("\"吉\",6\r\n");
    EXPECT_EQ(dict.lookUp(U"𠮷"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U"😀"), std::nullopt);
    EXPECT_EQ(dict.lookUp(U""), std::nullopt);
}

TEST_F(StrokeDictionaryTest, AppendCreatesTheFileAndAddsLinesInOrder)
{
    ASSERT_TRUE(dict.append(U"山", 3));
    ASSERT_TRUE(dict.append(U"ｶ", 2));
    ASSERT_TRUE(dict.append(U"Ｘ", -1));
    EXPECT_EQ(fileBytes(), cp932("\"山\",3\r\n\"ｶ\",2\r\n\"Ｘ\",-1\r\n"));
    EXPECT_EQ(dict.lookUp(U"ｶ"), std::int16_t{2}); // found by the next lookup, nothing cached
}

TEST_F(StrokeDictionaryTest, AppendNeverMergesIntoAnUnterminatedLastLine)
{
    writeDictionary("\"山\",3");
    ASSERT_TRUE(dict.append(U"田", 5));
    EXPECT_EQ(fileBytes(), cp932("\"山\",3\r\n\"田\",5\r\n"));
    EXPECT_EQ(dict.lookUp(U"山"), std::int16_t{3});
    EXPECT_EQ(dict.lookUp(U"田"), std::int16_t{5});
}

TEST_F(StrokeDictionaryTest, AppendRefusesTextThatWouldBreakTheFile)
{
    writeDictionary("\"山\",3\r\n");
    const std::string before = fileBytes();
    for (std::u32string_view bad : {U"\"", U",", U"\r", U"\n", U"山田", U"", U"𠮷", U"😀"})
        EXPECT_FALSE(dict.append(bad, 4)) << "accepted a character it must refuse";
    EXPECT_EQ(fileBytes(), before);
}

} // namespace
