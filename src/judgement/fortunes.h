#pragma once
// Stroke counting of a name pair and the four fortunes derived from the counts.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/counting.h"
#include "dictionary/stroke_lookup.h"

namespace kadelo {

// One counted name: up to three characters with their stroke counts.
struct NameHalf {
    std::array<std::u32string, 3> chars; // positions 1..3; empty beyond the length
    std::array<std::int16_t, 3> counts{}; // 0 beyond the length or when not found
    std::array<bool, 3> known{};          // the position's count was found (々 in a surname: its own
                                          // position counts as known, position 1 answers for it)
    std::int16_t length = 0;              // 0..3
};

// The counted surname and given name.
struct NameStrokes {
    NameHalf surname;
    NameHalf given;
};

// The four fortune numbers of one judgement.
struct FortuneSet {
    std::int16_t soukaku = 0;  // 総運: every count of both names
    std::int16_t jinnkaku = 0; // 社会運: last surname character + first given-name character
    std::int16_t gaikaku = 0;  // 人生運: the outer characters
    std::int16_t tikaku = 0;   // 伏運: 社会運 + the whole given name
};

// The name text cut to its first 3 characters, then trimmed of blanks (space and U+3000).
std::u32string prepareName(std::u32string_view text);

// Counts one half of a name pair: prepares the text, then reads the dictionary once for all three
// positions (the first matching entry wins). For the surname a repeat mark 々 in position 2 takes
// the count of position 1.
NameHalf lookupStrokes(std::u32string_view text, const StrokeLookup& dictionary, bool isSurname);

// The same with the chosen way of counting, from the dictionary files of the current folder (or of
// `folder`).
NameHalf lookupStrokes(std::u32string_view text, const CountingChoice& choice, bool isSurname,
    const std::filesystem::path& folder = {});

// The characters of a counted half that have no count, in order, each once. A repeat mark 々 in
// position 2 of a surname is never one of them: it takes the count of the character before it.
std::u32string uncountedCharacters(const NameHalf& half);

// The same for a pair: the surname's, then the given name's, each character once.
std::u32string uncountedCharacters(const NameStrokes& strokes);

// The four fortunes of a counted pair. Both lengths must be 1, 2 or 3.
FortuneSet computeFortunes(const NameStrokes& strokes);

} // namespace kadelo
