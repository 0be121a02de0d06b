#pragma once
// The traditional stroke counts (旧字体 / 康熙字典): for each character, the whole strokes of its
// Kangxi radical plus the residual strokes of its old form, or of the character itself when it has
// none. Kana and marks keep the counts of 漢字.dat.
#include <string>
#include <vector>

#include "kanjidic_source.h"
#include "stroke_table.h"
#include "unihan_source.h"

namespace kadelo::tools {

// How one kanji's traditional count is reached.
struct Derivation {
    char32_t character;
    char32_t oldForm;       // 0 when the character is counted as it stands
    char32_t radical;       // the ideograph of the Kangxi radical of the counted form
    int radicalStrokes;     // its whole strokes
    int residual;           // strokes beside the radical
    int strokes() const { return radicalStrokes + residual; }
};

struct TraditionalTable {
    std::vector<StrokeEntry> entries;     // for the Shift-JIS file: the keys of 漢字.dat, in its order
    std::vector<StrokeEntry> utf8Entries; // for the UTF-8 file: kanji CP932 cannot hold, in code point order
    std::vector<Derivation> derivations;  // every kanji of both, in the same order
    std::vector<std::string> notes;
    std::vector<std::string> problems;
};

// The old form of a character is taken from the hand-kept table, else from Unihan's kJinmeiyoKanji
// links and KANJIDIC2's variants of a 常用 or 人名用 character (only forms that are themselves
// neither, and that have more strokes; where several remain, the 人名用 link, then the 人名用
// variant); none when the links still leave a choice (the generator lists those).
TraditionalTable buildTraditionalTable(const Kanjidic& kanjidic, const Unihan& unihan, const StrokeTable& modern);

} // namespace kadelo::tools
