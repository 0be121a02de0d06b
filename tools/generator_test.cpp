// The generator's name-reading rules, and the committed stroke files checked against KANJIDIC2 and
// the counting rule (the form printed today).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "dictionary/stroke_lookup.h"
#include "hand_strokes.h"
#include "kana_readings.h"
#include "kanjidic_source.h"
#include "printed_strokes.h"
#include "stroke_table.h"
#include "text/data_folder.h"
#include "text/unicode.h"

namespace kadelo::tools {
namespace {

std::string u8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

std::filesystem::path dataFolder()
{
    const char* source = std::getenv("KADELO_SOURCE_DIR");
    return std::filesystem::path(source ? source : ".") / "data";
}

const Kanjidic& kanjidic()
{
    static const Kanjidic k = [] {
        const char* path = std::getenv("KADELO_KANJIDIC");
        return loadKanjidic(path ? path : "/usr/share/edict/kanjidic2.xml.gz");
    }();
    return k;
}

// Every count of the two committed stroke files, through the program's own lookup rule.
const std::map<char32_t, int>& committedCounts()
{
    static const std::map<char32_t, int> counts = [] {
        std::map<char32_t, int> m;
        const StrokeLookup lookup(dataFolder() / text::strokeFileName(), dataFolder() / text::wideStrokeFileName());
        lookup.strokeFile().forEachEntry([&](std::optional<char32_t> c, std::int16_t n) {
            if (c)
                m.emplace(*c, n);
        });
        lookup.wideFile().forEachEntry([&](std::optional<char32_t> c, std::int16_t n) {
            if (c && !StrokeLookup::fitsStrokeFile(*c))
                m.emplace(*c, n);
        });
        return m;
    }();
    return counts;
}

std::optional<std::u32string> opt(std::u32string_view s)
{
    return std::u32string(s);
}

TEST(NameRules, WholeKunReadingsThatCanStandAsNamesAndNounFormsOfGodanVerbs)
{
    // Nouns and な adjectives keep their okurigana; verbs, adjectives, affixes and plain readings give none.
    EXPECT_EQ(wholeNameReading(U"はる.か"), opt(U"はるか"));
    EXPECT_EQ(wholeNameReading(U"かお.り"), opt(U"かおり"));
    EXPECT_EQ(wholeNameReading(U"あ.かり"), opt(U"あかり"));
    EXPECT_EQ(wholeNameReading(U"のぞ.む"), std::nullopt);
    EXPECT_EQ(wholeNameReading(U"まさ.に"), std::nullopt); // adverbs
    EXPECT_EQ(wholeNameReading(U"かえ.って"), std::nullopt);
    EXPECT_EQ(wholeNameReading(U"あたら.しい"), std::nullopt);
    EXPECT_EQ(wholeNameReading(U"あら.た-"), std::nullopt);
    EXPECT_EQ(wholeNameReading(U"やま"), std::nullopt);
    EXPECT_EQ(wholeNameReading(U"すこ.やか"), opt(U"すこやか"));
    EXPECT_EQ(wholeNameReading(U"きらび.やか"), std::nullopt); // five kana: no one-kanji name

    EXPECT_EQ(nounFormReading(U"のぞ.む"), opt(U"のぞみ"));
    EXPECT_EQ(nounFormReading(U"みの.る"), opt(U"みのり"));
    EXPECT_EQ(nounFormReading(U"ひか.る"), opt(U"ひかり"));
    EXPECT_EQ(nounFormReading(U"ゆ.う"), opt(U"ゆい"));
    EXPECT_EQ(nounFormReading(U"さと.す"), opt(U"さとし"));
    EXPECT_EQ(nounFormReading(U"かがや.く"), std::nullopt); // four kana: no name
    EXPECT_EQ(nounFormReading(U"せん.ずる"), std::nullopt); // not a godan verb
    EXPECT_EQ(nounFormReading(U"む.すぶ"), std::nullopt); // -ぶ is not among the endings
    EXPECT_EQ(nounFormReading(U"み.る"), std::nullopt);   // ichidan
    EXPECT_EQ(nounFormReading(U"は.れる"), std::nullopt); // ichidan
    EXPECT_EQ(nounFormReading(U"はる.か"), std::nullopt);
    EXPECT_EQ(nounFormReading(U"-ぶる"), std::nullopt);
}

TEST(CommittedCounts, EveryCharacterWithSeveralKanjidicCountsIsExplained)
{
    std::map<char32_t, const PrintedStroke*> printed;
    for (const PrintedStroke& p : kPrintedStrokes)
        printed.emplace(p.character, &p);
    const auto& committed = committedCounts();
    std::size_t checked = 0;
    for (const KanjidicEntry& e : kanjidic().entries) {
        const auto found = committed.find(e.literal);
        if (found == committed.end())
            continue;
        const auto p = printed.find(e.literal);
        if (p != printed.end()) {
            // A hand-kept count replaces KANJIDIC2's first one, with its reason.
            EXPECT_EQ(found->second, p->second->strokes) << u8(e.literal);
            EXPECT_EQ(e.strokes, p->second->kanjidic) << u8(e.literal);
            EXPECT_FALSE(p->second->reason.empty()) << u8(e.literal);
        } else if (e.strokeCounts.size() > 1) {
            // Otherwise KANJIDIC2's first count is the printed form's.
            EXPECT_EQ(found->second, e.strokes) << u8(e.literal);
            ++checked;
        }
    }
    EXPECT_GT(checked, 300u);
    EXPECT_EQ(printed.size(), std::size(kPrintedStrokes));
}

TEST(CommittedCounts, ShinnyouKanjiOfTheNameTablesTakeTheirFullCount)
{
    // KANJIDIC2 lists, beside the full count of a kanji with 辶, counts with the 辶 a stroke or two
    // short. The full count is the printed one, one dot (3 strokes) in the 常用 table, two dots (4)
    // in the 人名用 table and in 遡, 遜 and 謎: 辻 6, 逢 11, 遡 14, not 5, 10, 13.
    std::size_t checked = 0;
    const auto& committed = committedCounts();
    for (const KanjidicEntry& e : kanjidic().entries) {
        if (e.radical != 162 || e.grade < 1 || e.grade > 9 || !committed.count(e.literal))
            continue;
        EXPECT_EQ(committed.at(e.literal), *std::max_element(e.strokeCounts.begin(), e.strokeCounts.end())) << u8(e.literal);
        ++checked;
    }
    EXPECT_GT(checked, 60u);
}

TEST(CommittedCounts, TheUtf8FileHoldsTheNameKanjiShiftJisCannot)
{
    const auto& committed = committedCounts();
    for (const KanjidicEntry& e : kanjidic().entries)
        if (e.grade >= 1 && e.grade <= 10 && !StrokeLookup::fitsStrokeFile(e.literal))
            EXPECT_TRUE(committed.count(e.literal)) << u8(e.literal);
    for (const SurnameCharacter& s : kSurnameCharacters)
        EXPECT_TRUE(committed.count(s.character)) << u8(s.character);
    EXPECT_EQ(committed.at(U'\U00020BB7'), 6); // 𠮷
}

} // namespace
} // namespace kadelo::tools
