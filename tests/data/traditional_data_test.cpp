// The supplied traditional counts: 旧字体.dat in 漢字.dat's exact layout and order, its UTF-8
// companion, and every count explained by the radical and residual strokes that Unihan gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "../../tools/traditional_hand.h"
#include "data/data_files.h"
#include "dictionary/counting.h"
#include "dictionary/stroke_dictionary.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

std::string u8(char32_t c)
{
    return text::toUtf8(std::u32string(1, c));
}

// Character → count of a Shift-JIS stroke file, in file order.
std::vector<std::pair<char32_t, int>> cp932Entries(const std::filesystem::path& name)
{
    std::vector<std::pair<char32_t, int>> entries;
    StrokeDictionary(datatest::suppliedFolder() / name).forEachEntry([&](std::optional<char32_t> c, std::int16_t n) {
        entries.emplace_back(c.value_or(0), n);
    });
    return entries;
}

std::map<char32_t, int> utf8Entries()
{
    std::map<char32_t, int> entries;
    text::forEachLine(datatest::suppliedBytes(text::traditionalWideFileName()), [&](const text::FieldList& f) {
        const std::u32string c = text::fromUtf8(f.at(0));
        EXPECT_EQ(f.size(), 2u);
        EXPECT_EQ(c.size(), 1u);
        EXPECT_TRUE(entries.emplace(c.at(0), text::fieldInt16(f.at(1)).value_or(0)).second) << text::toUtf8(c);
    });
    return entries;
}

// Unihan's kRSKangXi, read here on its own: character → (radical, residual strokes).
std::map<char32_t, std::pair<int, int>> unihanKangxi()
{
    std::map<char32_t, std::pair<int, int>> result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen("bzcat /usr/share/unicode/Unihan_RadicalStrokeCounts.txt.bz2 2>/dev/null", "r"), pclose);
    if (!pipe)
        return result;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get())) {
        unsigned cp = 0;
        int radical = 0, residual = 0;
        if (std::sscanf(line, "U+%x\tkRSKangXi\t%d.%d", &cp, &radical, &residual) == 3)
            result.emplace(static_cast<char32_t>(cp), std::make_pair(radical, residual));
    }
    return result;
}

TEST(TraditionalData, SameLayoutAndKeysAsTheStrokeFile)
{
    std::string fault;
    const std::string bytes = datatest::suppliedBytes(text::traditionalStrokeFileName());
    const std::vector<std::string_view> lines = datatest::crlfLines(bytes, fault);
    ASSERT_EQ(fault, "");
    const auto traditional = cp932Entries(text::traditionalStrokeFileName());
    const auto modern = cp932Entries(text::strokeFileName());
    ASSERT_EQ(traditional.size(), lines.size());
    ASSERT_EQ(traditional.size(), modern.size());
    for (std::size_t i = 0; i < modern.size(); ++i) {
        ASSERT_EQ(traditional[i].first, modern[i].first) << "line " << i + 1;
        // Written back by the program's own writer, every line gives the same bytes.
        const std::u32string line = text::quotedField(std::u32string(1, traditional[i].first)) + U"," + text::numberField(traditional[i].second);
        EXPECT_EQ(text::encodeCp932(line).bytes, std::string(lines[i]));
    }
}

TEST(TraditionalData, CountsOfKnownCharacters)
{
    const std::pair<char32_t, int> known[] = {
        {U'清', 12}, {U'藤', 21}, {U'郎', 14}, {U'阿', 13}, {U'理', 12}, {U'江', 7}, {U'神', 10}, {U'英', 11},
        {U'瑛', 14}, {U'琴', 13}, {U'酒', 10}, {U'染', 9},
        // Old forms: 沢 → 澤, 辺 → 邊, 広 → 廣, 国 → 國, 斎 → 齋, 浜 → 濱, 竜 → 龍, 桜 → 櫻, 恵 → 惠, 礼 → 禮.
        {U'沢', 17}, {U'辺', 22}, {U'広', 15}, {U'国', 11}, {U'斎', 17}, {U'浜', 18}, {U'竜', 16}, {U'桜', 21},
        {U'恵', 12}, {U'礼', 18}, {U'滝', 20}, {U'徳', 15}, {U'真', 10},
        // Radicals counted as the whole character they stand for.
        {U'渡', 13}, {U'花', 10}, {U'性', 9}, {U'拓', 9}, {U'祐', 10}, {U'裕', 13}, {U'陽', 17}, {U'都', 16},
        {U'育', 10},
        // Counted as they stand: the listed variants (嶋, 薗) are not old forms.
        {U'島', 10}, {U'園', 13}, {U'山', 3}, {U'田', 5}, {U'木', 4}, {U'水', 4}, {U'四', 5}, {U'九', 2},
        // Kana and marks as in 漢字.dat.
        {U'あ', 3}, {U'ざ', 5}, {U'ぱ', 4}, {U'ア', 2}, {U'ー', 1}, {U'々', 3}, {U'〆', 2},
    };
    std::map<char32_t, int> counts;
    for (const auto& [c, n] : cp932Entries(text::traditionalStrokeFileName()))
        counts.emplace(c, n);
    for (const auto& [c, n] : known)
        EXPECT_EQ(counts[c], n) << u8(c);
}

TEST(TraditionalData, TheUtf8CompanionHoldsOnlyWhatShiftJisCannot)
{
    const std::string bytes = datatest::suppliedBytes(text::traditionalWideFileName());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(text::toUtf8(text::fromUtf8(bytes)), bytes);
    const std::map<char32_t, int> wide = utf8Entries();
    EXPECT_GT(wide.size(), 5000u);
    for (const auto& [c, n] : wide)
        EXPECT_TRUE(text::encodeCp932Char(c).empty()) << u8(c);
    // Old forms outside Shift-JIS can be typed as they stand: 槪 (概), 硏 (研).
    EXPECT_EQ(wide.at(U'槪'), 15);
    EXPECT_EQ(wide.at(U'硏'), 11);
}

TEST(TraditionalData, EveryCountIsExplainedByTheRadicalAndResidualStrokes)
{
    const std::map<char32_t, std::pair<int, int>> kangxi = unihanKangxi();
    ASSERT_GT(kangxi.size(), 20000u) << "Unihan (Debian package unicode-data) is needed";
    std::map<char32_t, const tools::TraditionalHand*> hand;
    for (const tools::TraditionalHand& h : tools::kTraditionalHand)
        hand.emplace(h.character, &h);

    std::map<char32_t, int> counts;
    for (const auto& [c, n] : cp932Entries(text::traditionalStrokeFileName()))
        counts.emplace(c, n);
    for (const auto& [c, n] : utf8Entries())
        counts.emplace(c, n);
    std::map<char32_t, int> modern;
    for (const auto& [c, n] : cp932Entries(text::strokeFileName()))
        modern.emplace(c, n);

    std::set<char32_t> derived;
    std::set<char32_t> radicalsCountedOtherwise;
    text::forEachLine(datatest::suppliedBytes(text::derivationFileName()), [&](const text::FieldList& f) {
        ASSERT_EQ(f.size(), 5u);
        const std::u32string c = text::fromUtf8(f[0]), old = text::fromUtf8(f[1]), radical = text::fromUtf8(f[2]);
        ASSERT_EQ(c.size(), 1u);
        ASSERT_LE(old.size(), 1u);
        ASSERT_EQ(radical.size(), 1u);
        const int radicalStrokes = text::fieldInt16(f[3]).value_or(-1);
        const int residual = text::fieldInt16(f[4]).value_or(-99);
        const char32_t counted = old.empty() ? c[0] : old[0];
        derived.insert(c[0]);

        // The count is the radical's whole strokes plus the residual strokes of the counted form.
        ASSERT_TRUE(counts.contains(c[0])) << u8(c[0]);
        EXPECT_EQ(counts[c[0]], radicalStrokes + residual) << u8(c[0]);
        ASSERT_TRUE(kangxi.contains(counted)) << u8(counted);
        EXPECT_EQ(kangxi.at(counted).second, residual) << u8(counted);
        // The radical is the whole character it stands for.
        EXPECT_EQ(kangxi.at(radical[0]).second, 0) << u8(radical[0]);
        EXPECT_EQ(kangxi.at(radical[0]).first, kangxi.at(counted).first) << u8(c[0]);
        if (modern.contains(radical[0]) && modern[radical[0]] != radicalStrokes)
            radicalsCountedOtherwise.insert(radical[0]);
        // An old form comes from the hand-kept table where it lists the character.
        if (const auto h = hand.find(c[0]); h != hand.end())
            EXPECT_EQ(h->second->oldForm, old.empty() ? 0 : old[0]) << u8(c[0]);
        // An old form is another character, never one counted as it stands in the hand-kept table.
        if (!old.empty())
            EXPECT_NE(old[0], c[0]);
    });

    // The radical strokes agree with 漢字.dat's counts of the radicals, except for a few radicals
    // the Kangxi dictionary counts with fewer strokes than their printed forms today (瓜 5, 臣 6,
    // 韋 9, 龜 16).
    EXPECT_EQ(radicalsCountedOtherwise, (std::set<char32_t>{U'瓜', U'臣', U'韋', U'龜'}));

    // Whatever has no derivation (kana, marks) keeps the count of 漢字.dat.
    for (const auto& [c, n] : counts)
        if (!derived.contains(c)) {
            ASSERT_TRUE(modern.contains(c)) << u8(c);
            EXPECT_EQ(n, modern[c]) << u8(c);
            EXPECT_FALSE(kangxi.contains(c)) << u8(c);
        }
}

} // namespace
} // namespace kadelo
