#pragma once
// The two ways of counting strokes. Today's way counts the character as printed today, from
// 漢字.dat. The traditional way counts the old form (旧字体) as the Kangxi dictionary (康熙字典)
// does: the whole strokes of the radical plus the residual strokes, from 旧字体.dat (and, for
// characters Shift-JIS cannot hold, 旧字体UTF8.dat); optionally 一 to 十 count by their value.
//
// The choice lives in its own small file 画数.ini in the data folder ("Way=0" or "Way=1", then
// "Numerals=0" or "Numerals=1", CR LF), so Kadelo.ini keeps its layout. A missing or unreadable
// file, or a value other than 1, means today's way.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/stroke_lookup.h"
#include "text/file_io.h"

namespace kadelo {

enum class CountingWay { Modern, Traditional };

struct CountingChoice {
    CountingWay way = CountingWay::Modern;
    bool numeralsByValue = false; // 一～十 by their value; applies to the traditional way only

    bool traditional() const { return way == CountingWay::Traditional; }
    bool operator==(const CountingChoice&) const = default;
};

// Reads the choice; the default when the file is missing, unreadable or says nothing else.
CountingChoice readCountingChoice(const std::filesystem::path& path = text::countingFileName());

// The file's bytes, and writing them (through a temporary file).
std::string countingFileBytes(const CountingChoice& choice);
text::WriteResult writeCountingChoice(const CountingChoice& choice, const std::filesystem::path& path = text::countingFileName());

// The value of the kanji numerals 一 to 十 (1 to 10); empty for any other character.
std::optional<std::int16_t> numeralValue(char32_t c);

// The dictionary files of a way, in the current folder unless `folder` is given: 漢字.dat and
// 漢字UTF8.dat, or 旧字体.dat and 旧字体UTF8.dat.
struct CountingFiles {
    std::filesystem::path strokes; // Shift-JIS
    std::filesystem::path wide;    // UTF-8, for the characters Shift-JIS cannot hold
};
CountingFiles countingFiles(CountingWay way, const std::filesystem::path& folder = {});

// The stroke files of the chosen way as one lookup (the one the dictionary screen searches and
// extends); without the numeral rule.
StrokeLookup strokeLookupFor(const CountingChoice& choice, const std::filesystem::path& folder = {});

// Looks up several characters with the chosen way: counts[i] becomes the count of wanted[i] (the
// first entry in file order), or stays empty when neither file holds it. A wanted[i] of 0 is not
// looked up. In the traditional way with numerals by value, 一 to 十 take their value.
void countEach(const CountingChoice& choice, std::span<const char32_t> wanted,
    std::span<std::optional<std::int16_t>> counts, const std::filesystem::path& folder = {});

// ---- How a count is reached --------------------------------------------------------------------

// One line of 旧字体由来.dat: "沢","澤","水",4,13.
struct Derivation {
    char32_t character = 0;
    char32_t oldForm = 0; // 0 when the character is counted as it stands
    char32_t radical = 0; // the Kangxi radical as a whole character
    int radicalStrokes = 0;
    int residual = 0;
};

// The derivations of the wanted characters, in one pass over the file (empty where none).
std::vector<std::optional<Derivation>> findDerivations(std::span<const char32_t> wanted,
    const std::filesystem::path& path = text::derivationFileName());

// The radical as written: "氵（水）" for the radicals that take another shape in most characters,
// otherwise the radical itself.
std::u32string radicalText(char32_t radical);

// What a count tooltip says: "沢 7画" in today's way; in the traditional way "沢 → 澤：氵（水）4 ＋
// 13 ＝ 17" or "清：氵（水）4 ＋ 8 ＝ 12" when the count is the one the derivation gives, "四：数の値で
// 4" for a numeral by value, else "さ 3画". Empty when the character has no count.
std::u32string derivationText(const CountingChoice& choice, char32_t character, std::optional<std::int16_t> count,
    const std::optional<Derivation>& derivation);

// "旧字体で数えています" or "新字体で数えています".
std::u32string countingWayCaption(const CountingChoice& choice);

} // namespace kadelo
