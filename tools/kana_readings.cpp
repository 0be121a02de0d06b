#include "kana_readings.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "name_kanji_lists.h"
#include "text/cp932.h"
#include "text/unicode.h"

namespace kadelo::tools {

std::u32string toHiragana(std::u32string_view text)
{
    std::u32string out(text);
    for (char32_t& c : out)
        if (c >= U'ァ' && c <= U'ヶ')
            c -= U'ァ' - U'ぁ';
    return out;
}

namespace {

std::string utf8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

std::u32string withoutAffixMarks(std::u32string_view reading)
{
    std::u32string out;
    for (char32_t c : reading)
        if (c != U'-')
            out.push_back(c);
    return out;
}

// Hiragana, and the long-vowel mark, that Shift-JIS can hold.
bool isStorableReading(std::u32string_view reading)
{
    if (reading.empty())
        return false;
    for (char32_t c : reading)
        if (!((c >= U'ぁ' && c <= U'ん') || c == U'ー'))
            return false;
    return text::cp932CanHold(reading);
}

std::vector<std::u32string> splitWords(std::u32string_view text)
{
    std::vector<std::u32string> words;
    std::u32string word;
    for (char32_t c : text) {
        if (c == U' ') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

struct NameKanji {
    const KanjidicEntry* entry;
    int grade; // the grade of the 常用 or 人名用 kanji it stands for
};

// The place of a kanji among those of one reading, the lowest first: a group, up to three
// tie-breaks within the group, and the code point last.
using OrderKey = std::tuple<int, int, int, int, char32_t>;

int gradeBucket(int grade)
{
    if (grade == 9)
        return 0; // 人名用漢字: admitted for names
    if (grade >= 1 && grade <= 6)
        return 1; // taught in primary school
    if (grade == 8)
        return 2; // the other 常用漢字
    return 3;     // 10: old forms admitted beside their 常用 forms
}

struct Candidate {
    char32_t kanji;
    int strokes;
    OrderKey key;
};


// The kanji of 常用漢字 and 人名用漢字. One whose official form Shift-JIS cannot hold is represented
// by its Shift-JIS variant (鴎 for 鷗), unless that variant is itself on the lists.
std::map<char32_t, NameKanji> collectNameKanji(const Kanjidic& kanjidic, std::vector<std::string>& notes)
{
    std::map<char32_t, const KanjidicEntry*> byLiteral;
    for (const KanjidicEntry& e : kanjidic.entries)
        byLiteral.emplace(e.literal, &e);

    std::map<char32_t, NameKanji> nameKanji;
    for (const KanjidicEntry& e : kanjidic.entries) {
        if (e.grade < 1 || e.grade > 10)
            continue;
        if (cp932RoundTrips(e.literal)) {
            nameKanji.emplace(e.literal, NameKanji{&e, e.grade});
            continue;
        }
        const auto variant = std::find_if(e.variants.begin(), e.variants.end(), cp932RoundTrips);
        if (variant == e.variants.end()) {
            notes.push_back("left out, no Shift-JIS form: " + utf8(e.literal));
            continue;
        }
        const auto found = byLiteral.find(*variant);
        if (found == byLiteral.end() || found->second->grade != 0)
            continue; // the variant is a listed kanji of its own
        nameKanji.emplace(*variant, NameKanji{found->second, e.grade});
        notes.push_back(utf8(*variant) + " stands for " + utf8(e.literal));
    }
    return nameKanji;
}

struct Popular {
    int rank;
    std::set<std::u32string> main;
    std::set<std::u32string> all; // main and lesser readings
};

// The hand-kept list of popular name kanji, checked against the other lists.
std::map<char32_t, Popular> collectPopular(const std::map<char32_t, NameKanji>& nameKanji,
    const std::map<char32_t, std::string_view>& unsuitable, std::vector<std::string>& problems)
{
    std::map<char32_t, Popular> popular;
    int rank = 0;
    for (const PopularNameKanji& p : kPopularNameKanji) {
        const auto main = splitWords(p.readings);
        const auto lesser = splitWords(p.lesserReadings);
        Popular entry{rank++, {main.begin(), main.end()}, {main.begin(), main.end()}};
        entry.all.insert(lesser.begin(), lesser.end());
        if (main.empty())
            problems.push_back("listed as popular without main readings: " + utf8(p.kanji));
        if (entry.all.size() != main.size() + lesser.size())
            problems.push_back("a reading listed twice for the popular " + utf8(p.kanji));
        if (!popular.emplace(p.kanji, std::move(entry)).second)
            problems.push_back("listed twice as popular: " + utf8(p.kanji));
        if (!nameKanji.count(p.kanji))
            problems.push_back("listed as popular but not a 常用 or 人名用 kanji: " + utf8(p.kanji));
        if (unsuitable.count(p.kanji))
            problems.push_back("listed both as popular and as unsuitable: " + utf8(p.kanji));
    }
    return popular;
}

bool unsuitableReading(std::u32string_view reading)
{
    return std::any_of(std::begin(kUnsuitableReadings), std::end(kUnsuitableReadings),
        [&](const UnsuitableReading& u) { return u.reading == reading; });
}

struct KanjiReadings {
    std::set<std::u32string> kept;     // the readings that go into かな.dat
    std::set<std::u32string> possible; // kept ones and every stem, for checking the hand-kept list
    std::map<std::u32string, NameRule> byRule; // kept readings that only a name rule gave, and which
};

// On readings in hiragana, kun readings without okurigana and affix marks, and nanori. The stem of
// an inflected word (うつく of うつく.しい) is a fragment: kept only when it is a reading in its own
// right, a nanori, or a name reading of the hand-kept list (`listed`). Then the readings of the name
// rules: whole kun readings that can stand as a name, noun forms of godan verbs, and the hand-kept
// name readings (`handKept`).
KanjiReadings readingsOf(const KanjidicEntry& e, const std::set<std::u32string>& listed,
    const std::vector<std::u32string>& handKept)
{
    KanjiReadings r;
    for (const std::u32string& on : e.on)
        r.kept.insert(toHiragana(withoutAffixMarks(on)));
    std::vector<std::u32string> stems;
    for (const std::u32string& kun : e.kun) {
        const std::u32string plain = withoutAffixMarks(kun);
        const std::size_t dot = plain.find(U'.');
        if (dot == std::u32string::npos)
            r.kept.insert(plain);
        else
            stems.push_back(plain.substr(0, dot));
    }
    const std::set<std::u32string> nanori(e.nanori.begin(), e.nanori.end());
    r.kept.insert(nanori.begin(), nanori.end());
    for (const std::u32string& stem : stems)
        if (listed.count(stem))
            r.kept.insert(stem);

    auto add = [&](const std::optional<std::u32string>& reading, NameRule rule) {
        if (reading && !unsuitableReading(*reading) && r.kept.insert(*reading).second)
            r.byRule.emplace(*reading, rule);
    };
    for (const std::u32string& kun : e.kun)
        add(wholeNameReading(kun), NameRule::WholeKun);
    for (const std::u32string& kun : e.kun)
        add(nounFormReading(kun), NameRule::NounForm);
    for (const std::u32string& reading : handKept)
        add(reading, NameRule::HandKept);

    r.possible = r.kept;
    r.possible.insert(stems.begin(), stems.end());
    return r;
}

} // namespace

namespace {

constexpr std::size_t kLongestWholeReading = 4; // kana of a one-kanji given name: さわやか
constexpr std::size_t kLongestNounForm = 3;     // のぞみ; longer noun forms (ころがし, ひらめき) are no names

bool isIrowOrErow(char32_t c)
{
    return std::u32string_view(U"いきぎしじちぢにひびぴみりえけげせぜてでねへべぺめれ").find(c) != std::u32string_view::npos;
}

// Stem and okurigana of a kun reading such as はる.か; none for a reading without okurigana or with an
// affix mark (-ぶり, あら-), which never stands alone as a name.
std::optional<std::pair<std::u32string, std::u32string>> stemAndOkurigana(std::u32string_view kun)
{
    if (kun.find(U'-') != std::u32string_view::npos)
        return std::nullopt;
    const std::size_t dot = kun.find(U'.');
    if (dot == std::u32string_view::npos || dot == 0 || dot + 1 >= kun.size())
        return std::nullopt;
    return std::make_pair(std::u32string(kun.substr(0, dot)), std::u32string(kun.substr(dot + 1)));
}

} // namespace

std::optional<std::u32string> wholeNameReading(std::u32string_view kun)
{
    const auto parts = stemAndOkurigana(kun);
    if (!parts)
        return std::nullopt;
    // Nouns and な adjectives that serve as names end so: はるか, あかり, めぐみ, あらた, みやび. Verbs
    // (u-row), adjectives (い) and adverbs and conjunctions (まさに, しかし, すなわち) do not.
    if (std::u32string_view(U"かりみきたびぎ").find(parts->second.back()) == std::u32string_view::npos)
        return std::nullopt;
    const std::u32string whole = parts->first + parts->second;
    if (whole.size() > kLongestWholeReading)
        return std::nullopt;
    return whole;
}

std::optional<std::u32string> nounFormReading(std::u32string_view kun)
{
    const auto parts = stemAndOkurigana(kun);
    if (!parts)
        return std::nullopt;
    std::u32string whole = parts->first + parts->second;
    static constexpr std::pair<char32_t, char32_t> kGodan[] = {
        {U'む', U'み'}, {U'る', U'り'}, {U'く', U'き'}, {U'す', U'し'}, {U'う', U'い'}};
    const auto ending = std::find_if(std::begin(kGodan), std::end(kGodan),
        [&](const auto& g) { return g.first == whole.back(); });
    if (ending == std::end(kGodan))
        return std::nullopt;
    // -る after an i-row or e-row kana is mostly an ichidan verb (み.る, は.れる), and after す or ず a
    // verb of the する kind (せん.ずる): neither has such a noun form. A godan verb of that shape
    // (かえ.る) is left out with them.
    if (ending->first == U'る' && whole.size() >= 2
        && (isIrowOrErow(whole[whole.size() - 2]) || whole[whole.size() - 2] == U'す' || whole[whole.size() - 2] == U'ず'))
        return std::nullopt;
    whole.back() = ending->second;
    if (whole.size() > kLongestNounForm)
        return std::nullopt;
    return whole;
}

KanaReadings buildKanaReadings(const Kanjidic& kanjidic, const StrokeTable& strokes)
{
    KanaReadings result;
    const std::map<char32_t, NameKanji> nameKanji = collectNameKanji(kanjidic, result.notes);

    std::map<char32_t, std::string_view> unsuitable;
    for (const UnsuitableKanji& u : kUnsuitableKanji) {
        if (!unsuitable.emplace(u.kanji, u.reason).second)
            result.problems.push_back("listed twice as unsuitable: " + utf8(u.kanji));
        if (!nameKanji.count(u.kanji))
            result.notes.push_back("listed as unsuitable but not a 常用 or 人名用 kanji: " + utf8(u.kanji));
    }
    const std::map<char32_t, Popular> popular = collectPopular(nameKanji, unsuitable, result.problems);

    std::map<char32_t, std::vector<std::u32string>> handKept;
    for (const NameReading& n : kNameReadings) {
        if (!nameKanji.count(n.kanji))
            result.problems.push_back("a hand-kept name reading of a kanji that is not 常用 or 人名用: " + utf8(n.kanji));
        if (unsuitable.count(n.kanji))
            result.problems.push_back("a hand-kept name reading of an unsuitable kanji: " + utf8(n.kanji));
        if (n.source.empty())
            result.problems.push_back("a hand-kept name reading without its source: " + utf8(n.kanji));
        handKept[n.kanji].push_back(std::u32string(n.reading));
    }

    std::map<std::u32string, std::vector<Candidate>> byReading;
    for (const auto& [kanji, name] : nameKanji) {
        if (unsuitable.count(kanji))
            continue;
        const KanjidicEntry& e = *name.entry;
        const auto pop = popular.find(kanji);
        const Popular* listed = pop != popular.end() ? &pop->second : nullptr;
        const auto hand = handKept.find(kanji);
        const KanjiReadings readings = readingsOf(e, listed ? listed->all : std::set<std::u32string>{},
            hand != handKept.end() ? hand->second : std::vector<std::u32string>{});
        if (hand != handKept.end())
            for (const std::u32string& r : hand->second) {
                const auto rule = readings.byRule.find(r);
                if (rule == readings.byRule.end() || rule->second != NameRule::HandKept)
                    result.problems.push_back("the hand-kept name reading " + text::toUtf8(r) + " of " + utf8(kanji)
                        + " is one KANJIDIC2 or a rule already gives");
            }
        if (listed)
            for (const std::u32string& r : listed->all)
                if (!readings.possible.count(r))
                    result.problems.push_back("popular reading " + text::toUtf8(r) + " of " + utf8(kanji)
                        + " is not among its KANJIDIC2 readings");

        const int count = strokesOf(strokes, kanji);
        if (count <= 0) {
            result.problems.push_back("no 漢字.dat count for " + utf8(kanji));
            continue;
        }
        const int popularRank = listed ? listed->rank : std::numeric_limits<int>::max();
        const std::set<std::u32string> nanori(e.nanori.begin(), e.nanori.end());
        for (const std::u32string& r : readings.kept) {
            if (!isStorableReading(r)) {
                result.notes.push_back("reading left out, not plain hiragana in Shift-JIS: " + text::toUtf8(r) + " "
                    + utf8(kanji));
                continue;
            }
            // The listed kanji first: those with the reading among their main readings, then those
            // with it among their lesser ones, each in list order. Then the kanji that have it as a
            // name reading (a nanori, or one of the name rules), then the rest; among these the
            // popular ones, then the 人名用 ones, and the simpler before the more complex.
            const bool nameReading = nanori.count(r) || readings.byRule.count(r);
            OrderKey key;
            if (listed && listed->all.count(r))
                key = {0, listed->main.count(r) ? 0 : 1, popularRank, 0, kanji};
            else
                key = {nameReading ? 1 : 2, popularRank, gradeBucket(name.grade), count, kanji};
            byReading[r].push_back({kanji, count, key});
            if (const auto rule = readings.byRule.find(r); rule != readings.byRule.end())
                ++result.addedByRule[static_cast<std::size_t>(rule->second)];
        }
    }

    for (auto& [reading, candidates] : byReading) {
        std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.key < b.key; });
        for (const Candidate& c : candidates)
            result.entries.push_back({reading, c.kanji, c.strokes});
    }
    return result;
}

} // namespace kadelo::tools
