#pragma once
// The entries of 漢字.dat: every KANJIDIC2 character that Shift-JIS (CP932) can hold, with its
// accepted stroke count, and the hand-kept kana, marks and 髙.
#include <string>
#include <vector>

#include "kanjidic_source.h"

namespace kadelo::tools {

struct StrokeEntry {
    char32_t character;
    int strokes;
};

struct StrokeTable {
    std::vector<StrokeEntry> entries;  // in CP932 code order, each character once
    std::vector<StrokeEntry> byCharacter; // the same, in code point order, for look-ups
    std::u32string leftOut;            // KANJIDIC2 characters CP932 cannot hold, in file order
    std::vector<std::string> notes;    // things worth telling whoever regenerates the data
    std::vector<std::string> problems; // faults that must stop the generation
};

// True when CP932 holds the character and reading its bytes back gives the same character.
bool cp932RoundTrips(char32_t c);

StrokeTable buildStrokeTable(const Kanjidic& kanjidic);

// The count of a character in the table; 0 when it is not there.
int strokesOf(const StrokeTable& table, char32_t c);

} // namespace kadelo::tools
