#pragma once
// Reading KANJIDIC2 (the EDRDG kanji file, kanjidic2.xml or kanjidic2.xml.gz) into plain entries.
#include <filesystem>
#include <string>
#include <vector>

namespace kadelo::tools {

struct KanjidicEntry {
    char32_t literal = 0;
    int strokes = 0;                  // the first <stroke_count>: the count KANJIDIC2 prefers
    std::vector<int> strokeCounts;    // every <stroke_count>, the preferred one first
    int radical = 0;                  // the classical (Kangxi) radical number
    int grade = 0;                    // <grade>: 1-6 kyouiku, 8 other jouyou, 9 jinmeiyou, 10 jinmeiyou variant; 0 none
    std::vector<std::u32string> on;   // <reading r_type="ja_on">, katakana as in the file
    std::vector<std::u32string> kun;  // <reading r_type="ja_kun">, with '.' before okurigana and '-' affix marks
    std::vector<std::u32string> nanori;
    std::vector<char32_t> variants;   // <variant> of type jis208 or ucs, as characters, in file order
};

struct Kanjidic {
    std::string databaseVersion; // <database_version>, e.g. 2022-235
    std::string dateOfCreation;  // <date_of_creation>
    std::vector<KanjidicEntry> entries; // in file order
};

// Loads the whole file; a name ending in .gz is read through zlib. Throws std::runtime_error with
// the reason when the file cannot be read or parsed.
Kanjidic loadKanjidic(const std::filesystem::path& path);

} // namespace kadelo::tools
