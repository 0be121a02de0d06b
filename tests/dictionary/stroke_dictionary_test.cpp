#include "dictionary/stroke_dictionary.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <random>
#include <vector>

#include "support/temp_folder.h"
#include "text/records.h"

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

// What the file says for one character by the plain reading rule: each line's first two fields,
// the first entry of the character counting (or the last, when `last` is set).
std::optional<std::int16_t> referenceLookUp(std::string_view bytes, char32_t wanted, bool last = false)
{
    std::optional<std::int16_t> found;
    kadelo::text::forEachLine(bytes, [&](const kadelo::text::FieldList& fields) {
        if ((found && !last) || fields.size() < 2)
            return;
        const std::optional<char32_t> c = kadelo::text::decodeSingleCharacter(fields[0]);
        if (c && *c == wanted && *c != U'\uFFFD')
            found = kadelo::text::fieldInt16(fields[1]).value_or(0);
    });
    return found;
}

TEST_F(StrokeDictionaryTest, LookUpAgreesWithThePlainReadingRuleOnMixedFiles)
{
    // Lines in the written layout mixed with every other form the reader accepts or must survive:
    // spaces, unquoted fields, long counts, lone CR, LF only, fields holding the bytes of a wanted
    // character inside other text, both codes of characters that have two (∵ 81E6/879A, 纊 ED40/FA5C),
    // and bytes that end a line in the middle of a character.
    const std::vector<std::string> pieces = {cp932("\"山\",3"), cp932("\"田\",5"), cp932("\"山\",9"), cp932(" \"田\" ,7"),
        cp932("山,4"), cp932("田,"), cp932("\"山田\",8"), cp932("x山,2"), cp932("\"ｱ\",2"), cp932("ｱ,6"), cp932("\"3\",1"),
        cp932("3,4"), "\"\x81\xE6\",10", "\"\x87\x9A\",11", "\"\xED\x40\",12", "\"\xFA\x5C\",13", "\"\x8E\x52\"", "\"\x8E",
        "\x52\",1", cp932("\"山\",12345"), cp932("\"田\",-3"), cp932("\"山\",abc"), "", "\"\x81\x20\",4", cp932("\"木\"x,5")};
    const std::vector<std::string> ends = {"\r\n", "\n", "\r\n", "\r", "\r\n"};
    const std::array<char32_t, 8> wanted = {U'山', U'田', U'ｱ', U'3', U'∵', U'纊', U'木', U'x'};

    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int lines = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < lines; ++i) {
            bytes += pieces[random() % pieces.size()];
            if (i + 1 < lines || random() % 2)
                bytes += ends[random() % ends.size()];
        }
        writeBytes(u8path("漢字.dat"), bytes);
        std::array<std::optional<std::int16_t>, 8> all, lasts;
        dict.lookUpEach(wanted, all);
        dict.lookUpLastEach(wanted, lasts);
        for (std::size_t k = 0; k < wanted.size(); ++k) {
            const auto expected = referenceLookUp(bytes, wanted[k]);
            ASSERT_EQ(dict.lookUp(std::u32string(1, wanted[k])), expected) << "round " << round << " character " << k;
            ASSERT_EQ(all[k], expected) << "round " << round << " character " << k;
            ASSERT_EQ(lasts[k], referenceLookUp(bytes, wanted[k], true)) << "round " << round << " character " << k;
        }
        std::vector<std::pair<std::optional<char32_t>, std::int16_t>> entries, referenceEntries;
        dict.forEachEntry([&](std::optional<char32_t> c, std::int16_t n) { entries.emplace_back(c, n); });
        kadelo::text::forEachLine(bytes, [&](const kadelo::text::FieldList& fields) {
            if (fields.size() >= 2)
                referenceEntries.emplace_back(StrokeDictionary::characterOf(fields[0]), StrokeDictionary::countOf(fields[1]));
        });
        ASSERT_EQ(entries, referenceEntries) << "round " << round;
    }
}

TEST_F(StrokeDictionaryTest, LookUpEachSkipsZeroAndFillsRepeatedCharacters)
{
    writeDictionary("\"山\",3\r\n\"田\",5\r\n");
    const std::array<char32_t, 3> wanted = {U'田', 0, U'田'};
    std::array<std::optional<std::int16_t>, 3> counts = {std::int16_t{1}, std::int16_t{1}, std::int16_t{1}};
    dict.lookUpEach(wanted, counts);
    EXPECT_EQ(counts[0], std::int16_t{5});
    EXPECT_EQ(counts[1], std::nullopt);
    EXPECT_EQ(counts[2], std::int16_t{5});
}

// A correction changes the count of the entry lookups give, and not one byte more.
TEST_F(StrokeDictionaryTest, CorrectionChangesOnlyTheFirstEntrysCount)
{
    const std::string before = "\"川\",3\r\n\"山\", 4\r\n\"山\",7\r\n\"ｱ\",2\r\n\"海\",9";
    writeDictionary(before);
    const StrokeDictionary::Correction c = dict.correct(U"山", 3);
    EXPECT_EQ(c.kind, StrokeDictionary::Correction::Kind::Corrected);
    EXPECT_EQ(c.before, 4);
    EXPECT_EQ(fileBytes(), cp932("\"川\",3\r\n\"山\", 3\r\n\"山\",7\r\n\"ｱ\",2\r\n\"海\",9"));
    EXPECT_EQ(dict.lookUp(U"山"), 3);

    // Wider and narrower numbers, a half-width character, the last line without its line end.
    EXPECT_EQ(dict.correct(U"ｱ", 12).before, 2);
    EXPECT_EQ(dict.correct(U"海", 10).before, 9);
    EXPECT_EQ(fileBytes(), cp932("\"川\",3\r\n\"山\", 3\r\n\"山\",7\r\n\"ｱ\",12\r\n\"海\",10"));

    const std::string after = fileBytes();
    EXPECT_EQ(dict.correct(U"森", 12).kind, StrokeDictionary::Correction::Kind::NotFound);
    EXPECT_EQ(fileBytes(), after);
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_EQ(entry.path().filename(), u8path("漢字.dat")); // no temporary file left behind
}

TEST_F(StrokeDictionaryTest, AFailedCorrectionLeavesTheOldFileAndSaysSo)
{
    // No temporary file can be made beside a file whose name is as long as a name can be.
    const std::filesystem::path longName(std::string(250, 'k') + ".dat");
    writeBytes(longName, cp932("\"山\",4\r\n"));
    const StrokeDictionary::Correction c = StrokeDictionary(longName).correct(U"山", 3);
    EXPECT_EQ(c.kind, StrokeDictionary::Correction::Kind::CannotWrite);
    EXPECT_FALSE(c.error.empty());
    EXPECT_EQ(readBytes(longName), cp932("\"山\",4\r\n"));

    std::filesystem::create_directory(u8path("漢字.dat"));
    EXPECT_EQ(dict.correct(U"山", 3).kind, StrokeDictionary::Correction::Kind::CannotRead);
}

} // namespace
