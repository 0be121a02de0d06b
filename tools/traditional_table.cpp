#include "traditional_table.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "traditional_hand.h"
#include "text/unicode.h"

namespace kadelo::tools {
namespace {

std::string u8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

struct Index {
    std::map<char32_t, const KanjidicEntry*> kanjidic;
    std::map<char32_t, const TraditionalHand*> hand;
};

bool isRegularKanji(const KanjidicEntry* e)
{
    return e && e->grade >= 1 && e->grade <= 9; // 常用 (1–8) or 人名用 (9)
}

char32_t pickOldForm(char32_t c, const Index& index, const Unihan& unihan, std::string* ambiguity)
{
    if (const auto hand = index.hand.find(c); hand != index.hand.end())
        return hand->second->oldForm;
    const auto self = index.kanjidic.find(c);
    if (self == index.kanjidic.end() || !isRegularKanji(self->second))
        return 0;

    std::set<char32_t> linked(self->second->variants.begin(), self->second->variants.end());
    const auto jinmeiyo = unihan.oldForms.find(c);
    if (jinmeiyo != unihan.oldForms.end())
        linked.insert(jinmeiyo->second.begin(), jinmeiyo->second.end());

    struct Candidate {
        char32_t form;
        bool fromJinmeiyo;
        bool jinmeiyoVariant; // KANJIDIC2 grade 10: an old form kept for names
    };
    std::vector<Candidate> candidates;
    for (char32_t v : linked) {
        const auto found = index.kanjidic.find(v);
        const KanjidicEntry* e = found == index.kanjidic.end() ? nullptr : found->second;
        if (isRegularKanji(e))
            continue; // a form in use today is nobody's old form
        if (e && e->strokes <= self->second->strokes)
            continue; // old forms have more strokes; this is a simplified or popular form
        if (!unihan.kangxi.contains(v))
            continue;
        const bool j = jinmeiyo != unihan.oldForms.end()
            && std::find(jinmeiyo->second.begin(), jinmeiyo->second.end(), v) != jinmeiyo->second.end();
        candidates.push_back({v, j, e && e->grade == 10});
    }
    if (candidates.size() == 1)
        return candidates[0].form;
    if (candidates.empty())
        return 0;
    for (auto flag : {&Candidate::fromJinmeiyo, &Candidate::jinmeiyoVariant}) {
        const auto n = std::count_if(candidates.begin(), candidates.end(), [&](const Candidate& x) { return x.*flag; });
        if (n == 1)
            return std::find_if(candidates.begin(), candidates.end(), [&](const Candidate& x) { return x.*flag; })->form;
    }
    if (ambiguity) {
        *ambiguity = u8(c) + ":";
        for (const Candidate& x : candidates)
            *ambiguity += " " + u8(x.form);
    }
    return 0;
}

Index makeIndex(const Kanjidic& kanjidic, std::vector<std::string>& problems)
{
    Index index;
    for (const KanjidicEntry& e : kanjidic.entries)
        index.kanjidic.emplace(e.literal, &e);
    for (const TraditionalHand& h : kTraditionalHand)
        if (!index.hand.emplace(h.character, &h).second)
            problems.push_back("the hand-kept table of old forms lists " + u8(h.character) + " twice");
    return index;
}

} // namespace

TraditionalTable buildTraditionalTable(const Kanjidic& kanjidic, const Unihan& unihan, const StrokeTable& modern)
{
    TraditionalTable table;
    const Index index = makeIndex(kanjidic, table.problems);

    std::vector<std::string> ambiguous;
    std::size_t radicalMismatches = 0;
    std::string mismatchExamples;

    // The derivation of a kanji, or nothing for a character without a Kangxi radical (kana, marks).
    auto derive = [&](char32_t c) -> std::optional<Derivation> {
        if (!unihan.kangxi.contains(c))
            return std::nullopt;
        std::string ambiguity;
        const char32_t old = pickOldForm(c, index, unihan, &ambiguity);
        if (!ambiguity.empty())
            ambiguous.push_back(ambiguity);
        const char32_t counted = old ? old : c;
        const auto rs = unihan.kangxi.find(counted);
        if (rs == unihan.kangxi.end()) {
            table.problems.push_back("the old form " + u8(old) + " of " + u8(c) + " has no Kangxi radical in Unihan");
            return std::nullopt;
        }
        const int radical = rs->second.radical;
        if (const auto k = index.kanjidic.find(c); k != index.kanjidic.end() && k->second->radical != 0
            && k->second->radical != unihan.kangxi.at(c).radical) {
            if (++radicalMismatches <= 12)
                mismatchExamples += " " + u8(c);
        }
        const Derivation d{c, old, unihan.radicalCharacters[static_cast<std::size_t>(radical)],
            radicalStrokeCount(radical), rs->second.residual};
        if (d.strokes() < 1)
            table.problems.push_back(u8(c) + " would count " + std::to_string(d.strokes()) + " strokes");
        return d;
    };

    std::set<char32_t> keys;
    for (const StrokeEntry& e : modern.entries) {
        keys.insert(e.character);
        if (const std::optional<Derivation> d = derive(e.character)) {
            table.entries.push_back({e.character, d->strokes()});
            table.derivations.push_back(*d);
        } else {
            table.entries.push_back(e); // kana and marks count as in 漢字.dat
        }
    }

    // Kanji the Shift-JIS file cannot hold: KANJIDIC2's, and old forms typed as they stand.
    std::set<char32_t> wide(modern.leftOut.begin(), modern.leftOut.end());
    for (const StrokeEntry& e : modern.wide)
        wide.insert(e.character);
    for (const Derivation& d : table.derivations)
        if (d.oldForm && !keys.contains(d.oldForm) && !cp932RoundTrips(d.oldForm))
            wide.insert(d.oldForm);
    std::u32string noRadical;
    for (char32_t c : wide) {
        if (keys.contains(c))
            continue;
        if (const std::optional<Derivation> d = derive(c)) {
            table.utf8Entries.push_back({c, d->strokes()});
            table.derivations.push_back(*d);
        } else {
            noRadical.push_back(c);
        }
    }
    if (!noRadical.empty()) // compatibility ideographs and rare characters outside the Kangxi dictionary
        table.notes.push_back(std::to_string(noRadical.size()) + " characters without a Kangxi radical in Unihan left out of "
            "the traditional counts, such as " + text::toUtf8(noRadical.substr(0, 10)));

    for (const TraditionalHand& h : kTraditionalHand) {
        if (!keys.contains(h.character))
            table.problems.push_back("the hand-kept table of old forms lists " + u8(h.character) + ", which 漢字.dat lacks");
        if (h.oldForm && !unihan.kangxi.contains(h.oldForm))
            table.problems.push_back("the hand-kept old form " + u8(h.oldForm) + " has no Kangxi radical in Unihan");
    }
    for (const std::string& a : ambiguous)
        table.notes.push_back("several old forms and no rule to choose, counted as it stands: " + a);
    if (radicalMismatches)
        table.notes.push_back(std::to_string(radicalMismatches) + " characters whose KANJIDIC2 classical radical differs from Unihan's kRSKangXi (Unihan's is used):" + mismatchExamples + " …");
    return table;
}

} // namespace kadelo::tools
