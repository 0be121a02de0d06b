#pragma once
// The naming assistant's counts in the chosen way of counting. Today's way keeps the counts of
// かな.dat and the surname counts of 漢字.dat; the traditional way counts the surname and every
// candidate kanji from the traditional dictionary, so candidates are graded as the judgement
// screen would count them.
#include <filesystem>
#include <string_view>

#include "dictionary/counting.h"
#include "naming/naming.h"

namespace kadelo::naming {

// resolveSurname with the chosen way (the last matching entry wins, a position whose character the
// dictionary lacks keeps its earlier value, 々 in position 2 takes position 1's count).
void resolveSurname(std::u32string_view surname, const CountingChoice& choice, SurnameCounts& sei,
    const std::filesystem::path& folder = {});

// In the traditional way, replaces the box's stroke slots by the traditional counts of its kanji
// (0 for a kanji the traditional dictionary lacks); today's way leaves them as かな.dat gave them.
void countSlots(KanaSlots& slots, const CountingChoice& choice, const std::filesystem::path& folder = {});

} // namespace kadelo::naming
