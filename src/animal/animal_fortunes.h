#pragma once
// What the result screen tells each animal about three themes of life, and the years of the input
// screen's list with their era names.
#include <array>
#include <string>
#include <string_view>

namespace kadelo {

// The result screen's three themes: "全般", "仕事", "恋愛".
enum class FortuneTheme { General, Work, Love };

// The twelve animals the paragraphs speak of (the raccoon dog of types 2, 8, 41 and 47 as "たぬき").
const std::array<std::u32string_view, 12>& fortuneAnimals();

// The animal of a type 1..60 as its paragraphs name it: "タヌキ" of type 2 is "たぬき" here; any other
// type is its own animal. Empty outside 1..60.
std::u32string_view fortuneAnimalOfType(int type);

// The paragraph of a theme for the animal of a type 1..60; empty for any other number.
std::u32string_view animalFortune(int type, FortuneTheme theme);

// The caption of a theme: "全般", "仕事", "恋愛".
std::u32string_view themeCaption(FortuneTheme theme);

// The last year of the input screen's list for a clock showing `currentYear`: that year, but never
// before 2000 (the list always reaches 平成12) nor after 2040 (the end of the conversion table).
int lastListedYear(int currentYear);

// A year item: the Western year, " ・ ", the era and the era year in two characters, padded on the
// left with a space below 10: "1963 ・ 昭和38", "1989 ・ 平成 1", "2019 ・ 令和 1". 昭和 runs to 1988,
// 平成 from 1989 to 2018, 令和 from 2019.
std::u32string yearItem(int year);

} // namespace kadelo
