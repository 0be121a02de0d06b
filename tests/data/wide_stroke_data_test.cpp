// The supplied 漢字UTF8.dat: the record layout of 漢字.dat in UTF-8, for the characters Shift-JIS
// cannot hold.
#include <gtest/gtest.h>

#include "data/data_files.h"
#include "dictionary/stroke_lookup.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

TEST(WideStrokeData, EveryLineIsAQuotedCharacterAndACountInUtf8WithCrLfInCodePointOrder)
{
    const std::string bytes = datatest::suppliedBytes(text::wideStrokeFileName());
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(text::toUtf8(text::fromUtf8(bytes)), bytes); // valid UTF-8 throughout
    std::size_t pos = 0;
    char32_t previous = 0;
    std::size_t lines = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        ASSERT_NE(lf, std::string::npos) << "the last line has no line end";
        ASSERT_GT(lf, pos);
        ASSERT_EQ(bytes[lf - 1], '\r') << "line " << lines + 1;
        const std::string line = bytes.substr(pos, lf - 1 - pos);
        text::FieldList fields;
        text::splitFields(line, fields);
        ASSERT_EQ(fields.size(), 2u) << line;
        const std::optional<char32_t> c = Utf8StrokeDictionary::characterOf(fields[0]);
        ASSERT_TRUE(c.has_value()) << line;
        EXPECT_FALSE(StrokeLookup::fitsStrokeFile(*c)) << line << " belongs in 漢字.dat";
        EXPECT_GT(*c, previous) << line << ": out of order or twice";
        previous = *c;
        const std::int16_t n = StrokeDictionary::countOf(fields[1]);
        EXPECT_GE(n, 1) << line;
        EXPECT_LE(n, 64) << line;
        // Exactly the bytes the program itself appends.
        EXPECT_EQ(line, text::toUtf8(text::quotedField(std::u32string(1, *c)) + U"," + text::numberField(n)));
        pos = lf + 1;
        ++lines;
    }
    EXPECT_GT(lines, 90u); // the 常用 and 人名用 kanji outside Shift-JIS, and surname characters
}

TEST(WideStrokeData, NamesOutsideShiftJisAreCounted)
{
    const StrokeLookup lookup(datatest::suppliedFolder() / text::strokeFileName(),
        datatest::suppliedFolder() / text::wideStrokeFileName());
    const std::pair<std::u32string_view, int> known[] = {
        {U"\U00020BB7", 6}, // 𠮷 of 𠮷田
        {U"\U0002123D", 4}, // 𡈽 of 𡈽屋
        {U"鷗", 22}, {U"\U00020B9F", 5} /* 𠮟 */, {U"剝", 10}, {U"頰", 16}, {U"塡", 13}, {U"蟬", 18},
        {U"吉", 6}, {U"田", 5}, // and those Shift-JIS holds still come from 漢字.dat
    };
    for (const auto& [character, strokes] : known)
        EXPECT_EQ(lookup.lookUp(character), std::optional<std::int16_t>(strokes)) << text::toUtf8(character);
}

} // namespace
} // namespace kadelo
