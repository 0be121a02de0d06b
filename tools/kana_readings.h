#pragma once
// The entries of かな.dat: readings in hiragana of the kanji of 常用漢字 and 人名用漢字, each kanji with
// its 漢字.dat stroke count, the kanji of each reading ordered so that those most used in given
// names come first (the naming assistant takes only the first 30 of a reading).
#include <array>
#include <optional>
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

// The rules that give name readings beyond KANJIDIC2's plain readings.
enum class NameRule { WholeKun, NounForm, HandKept };

struct KanaReadings {
    std::vector<KanaEntry> entries;    // grouped by reading in code order, best kanji first
    std::array<std::size_t, 3> addedByRule{}; // entries that only a name rule gave, by NameRule
    std::vector<std::string> notes;    // things worth telling whoever regenerates the data
    std::vector<std::string> problems; // faults of the hand-kept lists that must stop the generation
};

KanaReadings buildKanaReadings(const Kanjidic& kanjidic, const StrokeTable& strokes);

// The whole kun reading with its okurigana (はる.か → はるか) when it can stand as a given name: a noun
// or the stem of a な/たる adjective (ending in か, り, み, き, た, び or ぎ), at most four kana; none
// for a verb, an adjective, an adverb or a conjunction (のぞ.む, あたら.しい, しか.し), or a reading
// without okurigana.
std::optional<std::u32string> wholeNameReading(std::u32string_view kun);

// The noun form of a godan verb in -む, -る, -く, -す or -う, ending in the i-row (のぞ.む → のぞみ,
// みの.る → みのり), at most three kana; none for other readings, for -る after an i-row or e-row
// kana, the shape of ichidan verbs (み.る, は.れる), and for -する and -ずる verbs.
std::optional<std::u32string> nounFormReading(std::u32string_view kun);

// Katakana to hiragana; every other character stays.
std::u32string toHiragana(std::u32string_view text);

} // namespace kadelo::tools
