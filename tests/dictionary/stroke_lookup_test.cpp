// Looking counts up across 漢字.dat and the UTF-8 stroke file, and appending to the right one.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "dictionary/stroke_lookup.h"
#include "support/temp_folder.h"

namespace kadelo {
namespace {

namespace kt = kadelo::testing;

const std::filesystem::path kStrokeFile = kt::u8path("漢字.dat");
const std::filesystem::path kWideFile = kt::u8path("漢字UTF8.dat");

using Count = std::optional<std::int16_t>;

class StrokeLookupTest : public ::testing::Test {
protected:
    kt::TempFolder folder;
    StrokeLookup lookup;

    void SetUp() override
    {
        kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n\"田\",5\r\n\"田\",50\r\n\"吉\",6\r\n"));
        // UTF-8, and a CP932 character (田) that the UTF-8 file must never answer for.
        kt::writeBytes(kWideFile, "\"𠮷\",6\r\n\"田\",99\r\n\"𠮷\",60\r\n\"鷗\",22\n\"\xF0\x9F\",4\r\n\"剝\",10");
    }
};

TEST_F(StrokeLookupTest, EachCharacterIsAnsweredByItsOwnFileFirstEntryWinning)
{
    EXPECT_EQ(lookup.lookUp(U"𠮷"), Count(6));  // the later 60 is ignored
    EXPECT_EQ(lookup.lookUp(U"田"), Count(5));  // not 50, and never the UTF-8 file's 99
    EXPECT_EQ(lookup.lookUp(U"鷗"), Count(22)); // a bare LF ends a line too
    EXPECT_EQ(lookup.lookUp(U"剝"), Count(10)); // the last line has no line end
    EXPECT_EQ(lookup.lookUp(U"😀"), std::nullopt);
    EXPECT_EQ(lookup.lookUp(U"\uFFFD"), std::nullopt); // the broken UTF-8 field matches nothing
    EXPECT_EQ(lookup.lookUp(U"𠮷田"), std::nullopt);

    const std::array<char32_t, 4> wanted{U'𠮷', U'田', 0, U'鷗'};
    std::array<Count, 4> counts{Count(1), Count(1), Count(1), Count(1)};
    lookup.lookUpEach(wanted, counts);
    EXPECT_EQ(counts, (std::array<Count, 4>{Count(6), Count(5), std::nullopt, Count(22)}));
}

TEST_F(StrokeLookupTest, WithoutTheUtf8FileOnlyItsCharactersGoMissing)
{
    std::filesystem::remove(kWideFile);
    EXPECT_EQ(lookup.lookUp(U"𠮷"), std::nullopt);
    EXPECT_EQ(lookup.lookUp(U"山"), Count(3));
}

TEST_F(StrokeLookupTest, AppendGoesToTheFileThatCanHoldTheCharacter)
{
    std::filesystem::remove(kWideFile);
    ASSERT_TRUE(lookup.append(U"𩸽", 22).ok); // a fish, outside Shift-JIS
    ASSERT_TRUE(lookup.append(U"川", 3).ok);
    EXPECT_EQ(kt::readBytes(kWideFile), "\"𩸽\",22\r\n");
    EXPECT_EQ(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"田\",50\r\n\"吉\",6\r\n\"川\",3\r\n"));
    EXPECT_EQ(lookup.lookUp(U"𩸽"), Count(22));

    // What would break a line is refused by both files, and nothing is written.
    for (std::u32string_view bad : {U"\"", U",", U"\n", U"𩸽𩸽", U""})
        EXPECT_FALSE(lookup.append(bad, 1).ok) << text::toUtf8(bad);
    EXPECT_EQ(kt::readBytes(kWideFile), "\"𩸽\",22\r\n");
}

} // namespace
} // namespace kadelo
