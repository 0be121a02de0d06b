#include "animal/animal_fortunes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "animal/animal_types.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using kadelo::text::toUtf8;

constexpr FortuneTheme kThemes[] = {FortuneTheme::General, FortuneTheme::Work, FortuneTheme::Love};

// Sentences end in "。" (a 。 inside 「」 would not count, and none is there).
int sentences(std::u32string_view paragraph)
{
    int n = 0;
    for (char32_t c : paragraph)
        n += c == U'。' || c == U'！' || c == U'？';
    return n;
}

// Every type of the table has three paragraphs of its own animal; twelve animals, 36 texts.
TEST(AnimalFortunes, EveryTypeHasAParagraphPerThemeNamingItsAnimal)
{
    std::set<std::u32string_view> animalsUsed;
    std::set<std::u32string_view> paragraphs;
    for (int type = 1; type <= 60; ++type) {
        const std::u32string_view animal = fortuneAnimalOfType(type);
        ASSERT_FALSE(animal.empty()) << type;
        animalsUsed.insert(animal);
        for (FortuneTheme theme : kThemes) {
            const std::u32string_view p = animalFortune(type, theme);
            SCOPED_TRACE(toUtf8(p));
            ASSERT_FALSE(p.empty()) << type;
            EXPECT_EQ(p.find(animal), 0u) << "the paragraph begins with its animal";
            EXPECT_GE(sentences(p), 2);
            EXPECT_LE(sentences(p), 4);
            EXPECT_TRUE(p.back() == U'。' || p.back() == U'！');
            paragraphs.insert(p);
        }
    }
    const auto& all = fortuneAnimals();
    EXPECT_EQ(animalsUsed, std::set<std::u32string_view>(all.begin(), all.end()));
    EXPECT_EQ(paragraphs.size(), 36u);
}

TEST(AnimalFortunes, BothWrittenFormsOfTheRaccoonDogShareTheirParagraphs)
{
    EXPECT_EQ(animalOfType(2), U"タヌキ");
    EXPECT_EQ(fortuneAnimalOfType(2), U"たぬき");
    for (FortuneTheme theme : kThemes) {
        EXPECT_EQ(animalFortune(2, theme), animalFortune(8, theme));
        for (int type : {0, 61})
            EXPECT_TRUE(animalFortune(type, theme).empty());
    }
}

TEST(YearItems, ErasChangeIn1989And2019AndTheListEndsWithinTheTable)
{
    const std::pair<int, const char*> items[] = {{1988, "1988 ・ 昭和63"}, {1989, "1989 ・ 平成 1"},
        {2018, "2018 ・ 平成30"}, {2019, "2019 ・ 令和 1"}, {2028, "2028 ・ 令和10"}};
    for (const auto& [year, item] : items)
        EXPECT_EQ(toUtf8(yearItem(year)), item);
    EXPECT_EQ(lastListedYear(2026), 2026);
    EXPECT_EQ(lastListedYear(2041), 2040);
    EXPECT_EQ(lastListedYear(1999), 2000); // a clock set wrong still lists what the list always held
}

} // namespace
