#pragma once
// The entries of 漢字.dat: every KANJIDIC2 character that Shift-JIS (CP932) can hold, counted in its
// printed form, and the hand-kept kana, marks and 髙. Beside it, the entries of the UTF-8 stroke file:
// the 常用 and 人名用 kanji and the common surname characters that Shift-JIS cannot hold.
#include <string>
#include <vector>

#include "kanjidic_source.h"

namespace kadelo::tools {

struct StrokeEntry {
    char32_t character;
    int strokes;
};

struct StrokeTable {
    std::vector<StrokeEntry> entries;  // 漢字.dat, in CP932 code order, each character once
    std::vector<StrokeEntry> byCharacter; // the same, in code point order, for look-ups
    std::vector<StrokeEntry> wide;     // the UTF-8 stroke file, in code point order, each character once
    std::u32string leftOut;            // KANJIDIC2 characters in neither file, in file order
    std::size_t corrected = 0;         // counts the printed-form table changed
    std::vector<std::string> notes;    // things worth telling whoever regenerates the data
    std::vector<std::string> problems; // faults that must stop the generation
};

// True when CP932 holds the character and reading its bytes back gives the same character.
bool cp932RoundTrips(char32_t c);

StrokeTable buildStrokeTable(const Kanjidic& kanjidic);

// The count of a character in 漢字.dat; 0 when it is not there.
int strokesOf(const StrokeTable& table, char32_t c);

// The count of the printed form of a KANJIDIC2 character: the hand-kept printed-form count when
// there is one, else KANJIDIC2's preferred count.
int printedStrokes(const KanjidicEntry& entry);

} // namespace kadelo::tools
