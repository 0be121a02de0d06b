#include "stroke_table.h"

#include <algorithm>
#include <map>
#include <set>

#include "hand_strokes.h"
#include "printed_strokes.h"
#include "text/cp932.h"
#include "text/unicode.h"

namespace kadelo::tools {

namespace {

std::string utf8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

const PrintedStroke* printedEntry(char32_t c)
{
    for (const PrintedStroke& p : kPrintedStrokes)
        if (p.character == c)
            return &p;
    return nullptr;
}

// The printed-form table must name KANJIDIC2 characters, each once, and replace the count the
// source gives today; otherwise a new edition of the source has changed under it.
void checkPrintedTable(const Kanjidic& kanjidic, StrokeTable& table)
{
    std::map<char32_t, const KanjidicEntry*> byLiteral;
    for (const KanjidicEntry& e : kanjidic.entries)
        byLiteral.emplace(e.literal, &e);
    std::set<char32_t> seen;
    for (const PrintedStroke& p : kPrintedStrokes) {
        if (!seen.insert(p.character).second)
            table.problems.push_back("the printed-form table lists a character twice: " + utf8(p.character));
        if (p.reason.empty() || p.strokes == p.kanjidic)
            table.problems.push_back("the printed-form entry of " + utf8(p.character) + " changes nothing or gives no reason");
        const auto found = byLiteral.find(p.character);
        if (found == byLiteral.end())
            table.problems.push_back("the printed-form table names a character KANJIDIC2 does not list: " + utf8(p.character));
        else if (found->second->strokes != p.kanjidic)
            table.problems.push_back("KANJIDIC2 now counts " + utf8(p.character) + " " + std::to_string(found->second->strokes)
                + ", not " + std::to_string(p.kanjidic) + ": check its printed-form entry");
    }
}

} // namespace

bool cp932RoundTrips(char32_t c)
{
    const std::string bytes = text::encodeCp932Char(c);
    return !bytes.empty() && text::decodeSingleCharacter(bytes) == c;
}

int printedStrokes(const KanjidicEntry& entry)
{
    const PrintedStroke* p = printedEntry(entry.literal);
    return p ? p->strokes : entry.strokes;
}

StrokeTable buildStrokeTable(const Kanjidic& kanjidic)
{
    StrokeTable table;
    checkPrintedTable(kanjidic, table);
    std::map<char32_t, int> counts;
    std::map<char32_t, int> wide;

    for (const HandStroke& k : kHandStrokes) {
        if (!cp932RoundTrips(k.character))
            table.problems.push_back("the hand-kept table holds a character CP932 cannot: " + utf8(k.character));
        else if (!counts.emplace(k.character, k.strokes).second)
            table.problems.push_back("the hand-kept table lists a character twice: " + utf8(k.character));
    }
    std::map<char32_t, const SurnameCharacter*> surnames;
    for (const SurnameCharacter& s : kSurnameCharacters) {
        if (cp932RoundTrips(s.character))
            table.problems.push_back("a surname character that Shift-JIS can hold: " + utf8(s.character));
        if (!surnames.emplace(s.character, &s).second)
            table.problems.push_back("the surname characters list one twice: " + utf8(s.character));
    }

    for (const KanjidicEntry& e : kanjidic.entries) {
        const int printed = printedStrokes(e);
        if (printed != e.strokes)
            ++table.corrected;
        if (!cp932RoundTrips(e.literal)) {
            const auto surname = surnames.find(e.literal);
            if (surname != surnames.end()) {
                wide.emplace(e.literal, surname->second->strokes > 0 ? surname->second->strokes : printed);
                surnames.erase(surname);
            } else if (e.grade >= 1 && e.grade <= 10) {
                wide.emplace(e.literal, printed);
            } else {
                table.leftOut.push_back(e.literal);
            }
            continue;
        }
        // The hand-kept table wins over KANJIDIC2 for a character both list.
        const auto [at, added] = counts.emplace(e.literal, printed);
        if (!added)
            table.notes.push_back("KANJIDIC2 also lists " + utf8(e.literal) + " with " + std::to_string(printed)
                + " strokes; the hand-kept table's " + std::to_string(at->second) + " is kept");
    }
    for (const auto& [c, s] : surnames) {
        if (s->strokes <= 0)
            table.problems.push_back("a surname character without a count that KANJIDIC2 does not list: " + utf8(c));
        else
            wide.emplace(c, s->strokes);
    }

    table.entries.reserve(counts.size());
    for (const auto& [c, n] : counts)
        table.entries.push_back({c, n});
    table.byCharacter = table.entries;
    for (const auto& [c, n] : wide)
        table.wide.push_back({c, n});
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
