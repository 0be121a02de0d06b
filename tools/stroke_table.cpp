#include "stroke_table.h"

#include <algorithm>
#include <map>

#include "hand_strokes.h"
#include "text/cp932.h"
#include "text/unicode.h"

namespace kadelo::tools {

bool cp932RoundTrips(char32_t c)
{
    const std::string bytes = text::encodeCp932Char(c);
    return !bytes.empty() && text::decodeSingleCharacter(bytes) == c;
}

StrokeTable buildStrokeTable(const Kanjidic& kanjidic)
{
    StrokeTable table;
    std::map<char32_t, int> counts;

    for (const HandStroke& k : kHandStrokes) {
        if (!cp932RoundTrips(k.character))
            table.problems.push_back("the hand-kept table holds a character CP932 cannot: " + text::toUtf8(std::u32string(1, k.character)));
        else if (!counts.emplace(k.character, k.strokes).second)
            table.problems.push_back("the hand-kept table lists a character twice: " + text::toUtf8(std::u32string(1, k.character)));
    }

    for (const KanjidicEntry& e : kanjidic.entries) {
        if (!cp932RoundTrips(e.literal)) {
            table.leftOut.push_back(e.literal);
            continue;
        }
        // The hand-kept table wins over KANJIDIC2 for a character both list.
        const auto [at, added] = counts.emplace(e.literal, e.strokes);
        if (!added)
            table.notes.push_back("KANJIDIC2 also lists " + text::toUtf8(std::u32string(1, e.literal)) + " with "
                + std::to_string(e.strokes) + " strokes; the hand-kept table's " + std::to_string(at->second) + " is kept");
    }

    table.entries.reserve(counts.size());
    for (const auto& [c, n] : counts)
        table.entries.push_back({c, n});
    table.byCharacter = table.entries;
    // CP932 code order: marks, kana, then the kanji in JIS order, then the vendor extensions.
    std::sort(table.entries.begin(), table.entries.end(), [](const StrokeEntry& a, const StrokeEntry& b) {
        const std::string x = text::encodeCp932Char(a.character);
        const std::string y = text::encodeCp932Char(b.character);
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
            [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
    });
    return table;
}

int strokesOf(const StrokeTable& table, char32_t c)
{
    const auto found = std::lower_bound(table.byCharacter.begin(), table.byCharacter.end(), c,
        [](const StrokeEntry& e, char32_t wanted) { return e.character < wanted; });
    return found != table.byCharacter.end() && found->character == c ? found->strokes : 0;
}

} // namespace kadelo::tools
