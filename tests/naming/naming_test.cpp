#include "naming/naming.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using namespace kadelo::naming;
namespace kt = kadelo::testing;
namespace fs = std::filesystem;

std::string utf8(std::u32string_view text)
{
    return text::toUtf8(text);
}

std::u32string u(std::string_view utf8Text)
{
    return text::fromUtf8(utf8Text);
}

const char* kThirty = "一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日";

// A box holding `reading` whose kanji are the characters of `kanji`, with the given counts (1 when
// none is given).
KanaSlots box(std::string_view reading, std::string_view kanji, std::vector<std::int16_t> counts = {})
{
    std::vector<KanaMatch> matches;
    const std::u32string k = u(kanji);
    for (std::size_t n = 0; n < k.size(); ++n)
        matches.push_back({std::u32string(1, k[n]), n < counts.size() ? counts[n] : std::int16_t{1}});
    return slotsFromMatches(u(reading), matches);
}

std::vector<std::string> entries(const CandidateList& list)
{
    std::vector<std::string> out;
    for (int n = 0; n < list.ncount; ++n)
        out.push_back(utf8(list.nlist[n]));
    return out;
}

TEST(KanaBox, ExactReadingInFileOrderWithDuplicatesAndAtMostThirtyKanji)
{
    kt::TempFolder folder;
    std::string kana = "\"た\",\"太\",4\r\n\"タ\",\"多\",6\r\n\"た\",\"田\",5\r\n\"た \",\"他\",5\r\n\"た\",\"太\",4\r\n";
    const std::u32string many = u(std::string(kThirty) + "海");
    for (char32_t c : many)
        kana += "\"か\",\"" + utf8(std::u32string(1, c)) + "\",9\r\n";
    kt::writeBytes(kt::u8path("かな.dat"), kt::cp932(kana));
    const KanaDictionary dictionary;

    const KanaSlots ta = resolveKanaBox(U"た", dictionary);
    EXPECT_EQ(ta.hits, 3);
    EXPECT_EQ(utf8(ta.kanji[0] + ta.kanji[1] + ta.kanji[2]), "太田太");
    EXPECT_EQ((std::vector<int>{ta.kaku[0], ta.kaku[1], ta.kaku[2], ta.kaku[3]}), (std::vector<int>{4, 5, 4, 0}));
    EXPECT_TRUE(ta.kanji[3].empty());
    EXPECT_EQ(utf8(hitCaption(ta)), "hit 3");
    EXPECT_EQ(resolveKanaBox(U"タ", dictionary).hits, 1);  // no kana folding
    EXPECT_EQ(resolveKanaBox(U"た ", dictionary).hits, 1); // no trimming
    EXPECT_EQ(resolveKanaBox(U"", dictionary).hits, 0);

    const KanaSlots ka = resolveKanaBox(U"か", dictionary);
    EXPECT_EQ(ka.hits, 30);
    EXPECT_EQ(utf8(ka.kanji[29]), "日");
    EXPECT_TRUE(ka.kanji[30].empty());
    EXPECT_EQ(utf8(hitCaption(ka)), "hit 30+");
}

TEST(PossibleCount, EveryCombinationOfFilledAndEmptyBoxes)
{
    const KanaSlots empty;
    const KanaSlots three = box("た", "太田多");
    const KanaSlots two = box("ろう", "郎朗");
    const KanaSlots four = box("お", "男雄夫尾");
    const KanaSlots none = box("ぬ", "");
    const KanaSlots thirty = box("あ", kThirty);
    struct Case {
        KanaBoxes boxes;
        int p;
    };
    const Case cases[] = {
        {{empty, empty, empty}, 0}, {{three, empty, empty}, 3}, {{three, two, empty}, 6}, {{three, two, four}, 24},
        {{three, empty, four}, 0}, // box 2 empty while box 3 found kanji
        {{three, none, four}, 0}, {{three, two, none}, 0}, {{three, none, empty}, 0}, {{three, empty, none}, 0},
        {{none, two, four}, 0}, {{empty, two, four}, 0}, {{thirty, thirty, thirty}, 27000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(possibleCount(c.boxes), c.p) << (&c - cases);
    EXPECT_EQ(utf8(possibleCaption(12)), "12通り");
    EXPECT_EQ(barMaximum(0), 1);
    EXPECT_EQ(scrollMaximum(10), 0);
    EXPECT_EQ(scrollMaximum(11), 1);
}

TEST(Surname, LastEntryWinsMissingCharactersKeepTheirCountRepeatMarkOnlyInSecondPlace)
{
    kt::TempFolder folder;
    kt::writeBytes(kt::u8path("漢字.dat"),
        kt::cp932("\"山\",3\r\n\"田\",5\r\n\"佐\",7\r\n\"木\",4\r\n\"山\",30\r\n\"々\",3\r\n\"中\",4\r\n\"本\",5"));
    const StrokeLookup dictionary;
    SurnameCounts sei{};
    const std::pair<const char*, SurnameCounts> steps[] = {
        {"山田", {30, 5, 0}},     // the later 山 wins
        {"山X", {30, 5, 0}},      // X is missing: 田's count stays
        {"佐々木", {7, 7, 4}},
        {"々木", {3, 4, 4}},      // 々 in position 1 is looked up
        {"中本山田", {4, 5, 30}}, // the fourth character is not looked up
        {" 中", {4, 4, 30}},      // not trimmed: the space is position 1
    };
    for (const auto& [surname, expected] : steps) {
        resolveSurname(u(surname), dictionary, sei);
        EXPECT_EQ(sei, expected) << surname;
    }
}

TEST(Surname, CharactersShiftJisCannotHoldComeFromTheUtf8File)
{
    kt::TempFolder folder;
    kt::writeBytes(kt::u8path("漢字.dat"), kt::cp932("\"田\",5\r\n\"野\",11\r\n"));
    kt::writeBytes(kt::u8path("漢字UTF8.dat"), "\"𠮷\",6\r\n\"野\",1\r\n");
    const StrokeLookup dictionary;
    SurnameCounts sei{};
    resolveSurname(u("𠮷田"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{6, 5, 0}));
    resolveSurname(u("𠮷野"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{6, 11, 0})); // 漢字.dat alone answers for 野
}

TEST(Generation, OrderLengthFilterAndTheEmptySlotOfEachBox)
{
    const Grading none;
    const KanaSlots empty;
    const CandidateList one = generateCandidates({box("た", "太田多"), empty, empty}, false, none);
    EXPECT_EQ(entries(one), (std::vector<std::string>{"太  ", "田  ", "多  "}));
    EXPECT_EQ(one.kanacnt, 1);

    const CandidateList three = generateCandidates({box("あ", "一二"), box("い", "三四"), box("う", "五六")}, false, none);
    EXPECT_EQ(entries(three),
        (std::vector<std::string>{"一三五  ", "一三六  ", "一四五  ", "一四六  ", "二三五  ", "二三六  ", "二四五  ", "二四六  "}));
    EXPECT_EQ(three.kanacnt, 3);

    // Box 2 found nothing, box 3 did: no name reaches three characters.
    EXPECT_EQ(generateCandidates({box("た", "太"), box("ぬ", ""), box("お", "男")}, false, none).ncount, 0);

    // A two-character entry fits only with the empty slot of another filled box.
    const KanaBoxes twoChar{slotsFromMatches(U"た", {{U"太", 4}, {u("太郎"), 13}}), box("ろう", "郎"), empty};
    EXPECT_EQ(entries(generateCandidates(twoChar, false, none)), (std::vector<std::string>{"太郎  ", "太郎  "}));
}

TEST(Generation, GradesBoyAndGirlAndStarsForUnusableSurnameLengths)
{
    const KanaBoxes boxes{box("た", "太", {4}), box("く", "九", {9}), KanaSlots{}};
    Grading g;
    g.sei = {3, 5, 0};
    g.surnameLength = 2;
    // 21, 9, 12, 22.
    EXPECT_EQ(entries(generateCandidates(boxes, true, g)), (std::vector<std::string>{"太九  ◎▲▲▲"}));
    g.boy = false;
    EXPECT_EQ(entries(generateCandidates(boxes, true, g)), (std::vector<std::string>{"太九  ▲▲▲▲"}));
    for (std::size_t length : {0, 4}) {
        g.surnameLength = length;
        EXPECT_EQ(entries(generateCandidates(boxes, true, g)), (std::vector<std::string>{"太九  ★★★★"}));
    }
    // One-character surname, three-character name: 13 ◎, 8 ○, 7+2+3 = 12 ▲, 8+6 = 14 ×.
    g = Grading{};
    g.sei = {7, 99, 99};
    g.surnameLength = 1;
    const KanaBoxes three{box("あ", "一", {1}), box("い", "二", {2}), box("う", "三", {3})};
    EXPECT_EQ(entries(generateCandidates(three, true, g)), (std::vector<std::string>{"一二三  ◎○▲×"}));
    const std::array<FortuneMark, 4> marks = Det(three, g, 0, 0, 0);
    EXPECT_EQ(utf8(std::u32string(marks[0]) + std::u32string(marks[3])), "◎×");
}

TEST(Generation, TwentySevenThousandEntriesThenARefillOfTheSameSlots)
{
    const KanaBoxes full{box("あ", kThirty), box("い", kThirty), box("う", kThirty)};
    Grading g;
    g.surnameLength = 2;
    int reported = 0;
    int last = -1;
    CandidateList list;
    generateInto(list, full, true, g, [&](int index) {
        ++reported;
        last = index;
    });
    EXPECT_EQ(list.ncount, 27000);
    EXPECT_EQ(utf8(list.nlist[26999]), "日日日  ★★★★"); // both surname counts 0
    EXPECT_TRUE(list.nlist[27000].empty());
    EXPECT_EQ(reported, 27000);
    EXPECT_EQ(last, 26999);

    generateInto(list, {box("た", "太田"), KanaSlots{}, KanaSlots{}}, false, g);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"太  ", "田  "}));
    EXPECT_TRUE(list.nlist[2].empty());
    EXPECT_TRUE(list.nlist[26999].empty());
}

TEST(Paging, TenNumberedLinesPaddedWithEmptyOnes)
{
    CandidateSlots nlist(kListSlots);
    for (int n = 0; n < 20; ++n)
        nlist[n] = U"e" + text::numberField(n);
    EXPECT_EQ(utf8(page(nlist, 5).entries), "e5\r\ne6\r\ne7\r\ne8\r\ne9\r\ne10\r\ne11\r\ne12\r\ne13\r\ne14");
    EXPECT_EQ(utf8(page(nlist, 5).numbers), "6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n15");
    nlist.assign(kListSlots, Candidate{});
    nlist[0] = nlist[1] = nlist[2] = nlist[3] = U"f";
    EXPECT_EQ(utf8(page(nlist, 0).entries), "f\r\nf\r\nf\r\nf\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(utf8(page(nlist, 0).numbers), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");

    EXPECT_EQ(utf8(elapsedCaption(0.27)), "作成time 0.27 秒");
    EXPECT_EQ(utf8(formatSeconds(0.004)), "0.00");
    EXPECT_EQ(utf8(formatSeconds(0.999)), "1.00");
    EXPECT_EQ(utf8(formatSeconds(12.3456)), "12.35");
}

CandidateList sixNames()
{
    return generateCandidates({box("た", "太多"), box("ろう", "郎朗良"), KanaSlots{}}, false, Grading{});
}

TEST(CandidateFile, UnsafeNamesReadOnlyPlacesAndUnwritableEntriesAreRefused)
{
    kt::TempFolder folder;
    fs::create_directory("sub");
    const CandidateList list = sixNames();
    for (const char* bad : {"../外.txt", "sub/た.txt", "a\\b.txt", "た:.txt", "た*.txt", "た?.txt", "\"た\".txt", "<た>.txt",
             "た|.txt", "た\t.txt", ".た.txt", "😀た.txt"})
        EXPECT_EQ(writeCandidateFile(u(bad), list.nlist, list.ncount).kind, SaveResult::Kind::BadName) << bad;
    EXPECT_TRUE(fs::is_empty("sub"));
    EXPECT_FALSE(fs::exists(folder.path().parent_path() / kt::u8path("外.txt")));
    EXPECT_TRUE(isPlainFileName(u("ﾀﾛｳ ①.txt")));

    const std::u32string name = u("たろう.txt");
    const fs::path file = kt::u8path("たろう.txt");
    kt::writeBytes(file, "old");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(writeCandidateFile(name, list.nlist, list.ncount).kind, SaveResult::Kind::CannotWrite);
    EXPECT_EQ(kt::readBytes(file), "old");
    fs::permissions(file, fs::perms::owner_all);
    fs::remove(file);

    fs::create_directory(file); // a folder in the file's place
    EXPECT_EQ(writeCandidateFile(name, list.nlist, list.ncount).kind, SaveResult::Kind::CannotWrite);
    fs::remove(file);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(writeCandidateFile(name, list.nlist, list.ncount).kind, SaveResult::Kind::CannotWrite);
    fs::permissions(folder.path(), fs::perms::owner_all);

    CandidateSlots odd(kListSlots);
    odd[0] = u("😀  ");
    EXPECT_EQ(writeCandidateFile(name, odd, 1).kind, SaveResult::Kind::Unencodable);
    EXPECT_FALSE(fs::exists(file));
}

TEST(Send, AnswersBecomeListNumbersAndOutOfRangeOnesAreNamed)
{
    const std::pair<const char*, double> answers[] = {
        {"2", 2}, {"abc", 0}, {"-1", -1}, {"2.5", 2}, {"3.5", 4}, {" 3番", 3}, {"-0.4", 0}};
    for (const auto& [answer, n] : answers)
        EXPECT_EQ(sendNumber(u(answer)), n) << answer;
    EXPECT_TRUE(isListNumber(3, 3));
    EXPECT_FALSE(isListNumber(4, 3));
    EXPECT_FALSE(isListNumber(0, 3));
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"-1"))), "-1 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"40000"))), "40000 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"100000000000000000000"))), "100000000000000000000 番はありません。");
}

// "吉名のみ" keeps the names whose four marks are all ◎ or ○; "評価順" orders by the summed marks
// (◎ 2, ○ 1, ▲ 0, × −1, ★ −2), equal sums in generation order.
TEST(ShownList, GoodNamesOnlyAndOrderByMarks)
{
    CandidateSlots nlist(kListSlots);
    const char* made[] = {"太郎  ◎○○◎", "一  ▲▲▲▲", "二  ◎◎◎◎", "三  ○○○○", "四  ★★★★", "五  ◎○○◎", "六  ◎◎◎×", "七  "};
    for (std::size_t n = 0; n < std::size(made); ++n)
        nlist[n] = u(made[n]);
    const std::int16_t ncount = 8;

    EXPECT_FALSE(isGoodName(nlist[7])); // no marks
    EXPECT_EQ(shownOrder(nlist, ncount, {}), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(shownOrder(nlist, ncount, {true, false}), (std::vector<int>{0, 2, 3, 5}));
    EXPECT_EQ(shownOrder(nlist, ncount, {false, true}), (std::vector<int>{2, 0, 5, 6, 3, 1, 7, 4}));
    EXPECT_EQ(shownOrder(nlist, ncount, {true, true}), (std::vector<int>{2, 0, 5, 3}));
    EXPECT_TRUE(shownOrder(nlist, 0, {true, true}).empty());

    // What the list box, the file and the hand-over use: the shown entries and one empty slot.
    const CandidateSlots shown = shownEntries(nlist, shownOrder(nlist, ncount, {true, true}));
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(utf8(shown[0]), "二  ◎◎◎◎");
    EXPECT_TRUE(shown[4].empty());
}

} // namespace
