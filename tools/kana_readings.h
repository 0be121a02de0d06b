#pragma once
// The entries of かな.dat: readings in hiragana of the kanji of 常用漢字 and 人名用漢字, each kanji with
// its 漢字.dat stroke count, the kanji of each reading ordered so that those most used in given
// names come first (the naming assistant takes only the first 30 of a reading).
#include <string>
#include <vector>

#include "kanjidic_source.h"
#include "stroke_table.h"

namespace kadelo::tools {

struct KanaEntry {
    std::u32string reading;
    char32_t kanji;
    int strokes;
};

struct KanaReadings {
    std::vector<KanaEntry> entries;    // grouped by reading in code order, best kanji first
    std::vector<std::string> notes;    // things worth telling whoever regenerates the data
    std::vector<std::string> problems; // faults of the hand-kept lists that must stop the generation
};

KanaReadings buildKanaReadings(const Kanjidic& kanjidic, const StrokeTable& strokes);

// Katakana to hiragana; every other character stays.
std::u32string toHiragana(std::u32string_view text);

} // namespace kadelo::tools
