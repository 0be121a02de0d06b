#include "judgement/personality_texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace {

using kadelo::personalityText;

constexpr int kFirstKey = 1;
constexpr int kLastKey = 61;

bool contains(std::u32string_view text, std::u32string_view part)
{
    return text.find(part) != std::u32string_view::npos;
}

// UTF-8 copy of a text, so a failure message stays readable.
std::string utf8(std::u32string_view text)
{
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TEST(PersonalityTexts, EveryKeyHasOneDistinctParagraphOfFittingLength)
{
    std::set<std::u32string_view> seen;
    for (int key = kFirstKey; key <= kLastKey; ++key) {
        const std::u32string_view text = personalityText(key);
        // Characters, not bytes; for the two-line rows the line break counts too.
        EXPECT_GE(text.size(), 50u) << "key " << key;
        EXPECT_LE(text.size(), 230u) << "key " << key;
        EXPECT_TRUE(seen.insert(text).second) << "key " << key << " repeats another row";

        // Only the rows with a separate sentence for women are split into lines,
        // and no row starts or ends with white space or holds a stray character.
        const bool twoLines = key == 38 || key == 39;
        EXPECT_EQ(contains(text, U"\r\n"), twoLines) << "key " << key;
        EXPECT_EQ(contains(text, U"\n") || contains(text, U"\r"), twoLines) << "key " << key;
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.front(), U' ') << "key " << key;
        EXPECT_NE(text.front(), U'\u3000') << "key " << key;
        EXPECT_EQ(text.back(), U'。') << "key " << key << ": " << utf8(text);
        for (char32_t c : text)
            EXPECT_NE(c, U'\uFFFD') << "key " << key;
    }
}

TEST(PersonalityTexts, KeysOutsideTheTableGiveNothing)
{
    for (int key : {0, -1, 62, 65, 121, INT_MIN, INT_MAX})
        EXPECT_TRUE(personalityText(key).empty()) << "key " << key;
}

TEST(PersonalityTexts, FixedRowsReadWordForWord)
{
    const std::pair<int, std::u32string_view> fixedRows[] = {
        {1, U"無限の発展を秘めた吉数です。富貴、幸福を得て人の頭領、長上になるかくすうです。　謙虚に心がけましょう。"},
        {2, U"不安、分離、動揺を招きやすい画数です。性格的には、多欲、自己主義、薄情になりやすいおそれがあります。"},
        {9, U"病気、短命、逆境などの悲運におちいりやすく、家族との縁も薄く、父母兄弟、妻子などに生別、死別という孤独の画数です。"},
        {38, U"積極性に乏しいため、人望を得にくく、大成功は無理な画数です。しかし自分の実力の範囲の中で努力すれば、十分に幸せになるでしょう。\r\n"
                 U"女性は、主婦として幸福を得ることができます。"},
        {39, U"若いうちは、いろいろ変動があり、困難もありますが、中年から後に財力、徳望を得て、権力をもち富貴幸福をきわめ長寿をまっとうするという、吉数です。成功しても、謙虚に。\r\n"
                 U"女性は、不幸な目にあいやすいから、避けたほうが安全です。"},
        {61, U"天の恵によって幸運を得て、富貴繁栄する吉数です。ただ、いささか強情のかたむきがありますので、つねに謙虚に他人と和合し、自分の心をつつしめば一生よいことがつづき、財運もつよく、幸福な晩年をおくることができましょう。"},
    };
    for (const auto& [key, expected] : fixedRows)
        EXPECT_EQ(utf8(personalityText(key)), utf8(expected)) << "key " << key;

    // Looks the same as a half-width space in a failure message, so name it.
    EXPECT_TRUE(contains(personalityText(1), U"。\u3000謙虚"));
}

TEST(PersonalityTexts, PartsForWomenAndMenStandInTheirRowsOnly)
{
    const std::set<int> womenKeys = {6, 7, 12, 14, 15, 16, 19, 20, 21, 23, 25,
                                     26, 27, 29, 31, 33, 35, 38, 39, 42, 43};
    const std::set<int> menKeys = {21, 23, 31, 35};

    for (int key = kFirstKey; key <= kLastKey; ++key) {
        const std::u32string_view text = personalityText(key);
        const bool forWomen = womenKeys.count(key) > 0;
        const bool forMen = menKeys.count(key) > 0;

        EXPECT_EQ(contains(text, U"女性は"), forWomen) << "key " << key << ": " << utf8(text);
        EXPECT_EQ(contains(text, U"女性"), forWomen) << "key " << key << ": " << utf8(text);
        EXPECT_EQ(text.substr(0, 3) == U"男性は", forMen) << "key " << key << ": " << utf8(text);
        EXPECT_EQ(contains(text, U"男性"), forMen) << "key " << key << ": " << utf8(text);
        if (forMen) {
            // The part about men comes first, the part about women after it.
            EXPECT_LT(text.find(U"男性は"), text.find(U"女性は")) << "key " << key;
        }
    }
}

} // namespace
