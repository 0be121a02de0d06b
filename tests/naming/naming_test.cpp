#include "naming/naming.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using namespace kadelo::naming;
using kadelo::testing::cp932;
using kadelo::testing::readBytes;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;

std::string utf8(std::u32string_view text)
{
    return text::toUtf8(text);
}

std::u32string u(std::string_view utf8Text)
{
    return text::fromUtf8(utf8Text);
}

// A box holding `reading` whose kanji are the characters of `kanji`, each with the matching count.
KanaSlots box(std::string_view reading, std::string_view kanji, std::vector<std::int16_t> counts = {})
{
    std::vector<KanaMatch> matches;
    const std::u32string k = u(kanji);
    for (std::size_t n = 0; n < k.size(); ++n)
        matches.push_back({std::u32string(1, k[n]), n < counts.size() ? counts[n] : std::int16_t{1}});
    return slotsFromMatches(u(reading), matches);
}

KanaSlots emptyBox()
{
    return KanaSlots{};
}

// Thirty distinct kanji.
std::string thirtyKanji()
{
    return "一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日";
}

std::vector<std::string> entries(const CandidateList& list)
{
    std::vector<std::string> out;
    for (int n = 0; n < list.ncount; ++n)
        out.push_back(utf8(list.nlist[n]));
    return out;
}

// ---- Kana boxes -------------------------------------------------------------------------------

TEST(KanaBox, ResolvesEveryMatchInFileOrderExactlyAndKeepsDuplicates)
{
    TempFolder folder;
    writeBytes(u8path("かな.dat"),
        cp932("\"た\",\"太\",4\r\n\"たろう\",\"郎\",9\r\n\"タ\",\"多\",6\r\n\"た\",\"田\",5\r\n\"た \",\"他\",5\r\n\"た\",\"太\",4\r\n"));
    const KanaDictionary dictionary;

    const KanaSlots slots = resolveKanaBox(U"た", dictionary);
    EXPECT_EQ(slots.hits, 3);
    EXPECT_EQ(utf8(slots.kanji[0]), "太");
    EXPECT_EQ(utf8(slots.kanji[1]), "田");
    EXPECT_EQ(utf8(slots.kanji[2]), "太");
    EXPECT_EQ(slots.kaku[0], 4);
    EXPECT_EQ(slots.kaku[1], 5);
    EXPECT_EQ(slots.kaku[2], 4);
    for (int n = 3; n < kSlotCount; ++n) {
        EXPECT_TRUE(slots.kanji[n].empty());
        EXPECT_EQ(slots.kaku[n], 0);
    }
    EXPECT_EQ(utf8(hitCaption(slots)), "hit 3");

    // No trimming, no kana folding.
    EXPECT_EQ(resolveKanaBox(U"タ", dictionary).hits, 1);
    EXPECT_EQ(resolveKanaBox(U"た ", dictionary).hits, 1);
    EXPECT_EQ(resolveKanaBox(U"ﾀ", dictionary).hits, 0);
    EXPECT_EQ(utf8(hitCaption(resolveKanaBox(U"ぬ", dictionary))), "hit 0");

    const KanaSlots emptied = resolveKanaBox(U"", dictionary);
    EXPECT_EQ(emptied.hits, 0);
    EXPECT_TRUE(emptied.empty());
}

TEST(KanaBox, EntryAppendedLaterIsFoundByTheNextResolution)
{
    TempFolder folder;
    writeBytes(u8path("漢字.dat"), cp932("\"翔\",12\r\n"));
    writeBytes(u8path("かな.dat"), cp932("\"しょう\",\"正\",5\r\n"));
    const KanaDictionary dictionary;
    EXPECT_EQ(resolveKanaBox(U"しょう", dictionary).hits, 1);
    const KanaRegistration added = dictionary.registerReadings(U"翔", {U"しょう", U"", U"", U""});
    ASSERT_TRUE(added.kanjiFound);
    const KanaSlots slots = resolveKanaBox(U"しょう", dictionary);
    EXPECT_EQ(slots.hits, 2);
    EXPECT_EQ(utf8(slots.kanji[1]), "翔");
    EXPECT_EQ(slots.kaku[1], 12);
}

TEST(KanaBox, MoreThanThirtyKanjiKeepsTheFirstThirtyAndSaysSo)
{
    const std::u32string many = u(thirtyKanji() + "海空");
    std::vector<KanaMatch> matches;
    for (std::size_t n = 0; n < many.size(); ++n)
        matches.push_back({std::u32string(1, many[n]), static_cast<std::int16_t>(n + 1)});
    const KanaSlots slots = slotsFromMatches(U"か", matches);
    EXPECT_EQ(slots.hits, 30);
    EXPECT_TRUE(slots.cut);
    EXPECT_EQ(utf8(slots.kanji[29]), "日");
    EXPECT_TRUE(slots.kanji[30].empty());
    EXPECT_EQ(slots.kaku[30], 0);
    EXPECT_EQ(utf8(hitCaption(slots)), "hit 30+");

    matches.resize(30);
    const KanaSlots exact = slotsFromMatches(U"か", matches);
    EXPECT_FALSE(exact.cut);
    EXPECT_EQ(utf8(hitCaption(exact)), "hit 30");
}

// ---- Possible count -----------------------------------------------------------------------------

TEST(PossibleCount, EveryCombinationOfFilledAndEmptyBoxes)
{
    struct Case {
        KanaSlots b1, b2, b3;
        int p;
    };
    const KanaSlots none1 = box("ぬ", "");
    const KanaSlots none2 = box("ぬぬ", "");
    const KanaSlots none3 = box("ぬぬぬ", "");
    const std::vector<Case> cases = {
        {emptyBox(), emptyBox(), emptyBox(), 0},
        {box("た", "太田多"), emptyBox(), emptyBox(), 3},
        {box("た", "太田多"), box("ろう", "郎朗"), emptyBox(), 6},
        {box("た", "太田多"), box("ろう", "郎朗"), box("お", "男雄夫尾"), 24},
        {box("た", "太田多"), emptyBox(), box("お", "男雄"), 0},   // box 2 empty, box 3 found kanji
        {box("た", "太田多"), none2, box("お", "男雄"), 0},        // box 2 found nothing
        {box("た", "太田多"), box("ろう", "郎朗"), none3, 0},      // box 3 found nothing
        {box("た", "太田多"), none2, emptyBox(), 0},
        {box("た", "太田多"), emptyBox(), none3, 0},
        {none1, box("ろう", "郎朗"), box("お", "男雄"), 0},       // box 1 found nothing
        {emptyBox(), box("ろう", "郎朗"), box("お", "男雄"), 0},
        {emptyBox(), box("ろう", "郎朗"), emptyBox(), 0},
        {box("あ", thirtyKanji()), box("い", thirtyKanji()), box("う", thirtyKanji()), 27000},
    };
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const KanaBoxes boxes{cases[n].b1, cases[n].b2, cases[n].b3};
        EXPECT_EQ(possibleCount(boxes), cases[n].p) << "case " << n;
    }
    EXPECT_EQ(utf8(possibleCaption(12)), "12通り");
    EXPECT_EQ(barMaximum(0), 1);
    EXPECT_EQ(barMaximum(7), 7);
    EXPECT_EQ(scrollMaximum(10), 0);
    EXPECT_EQ(scrollMaximum(11), 1);
    EXPECT_EQ(scrollMaximum(3), 0);
}

// ---- Surname --------------------------------------------------------------------------------------

TEST(Surname, LastEntryWinsMissingCharactersKeepTheirCountAndRepeatMarkInSecondPlace)
{
    TempFolder folder;
    writeBytes(u8path("漢字.dat"),
        cp932("\"山\",3\r\n\"田\",5\r\n\"佐\",7\r\n\"木\",4\r\n\"山\",30\r\n\"々\",3\r\n\"中\",4\r\n\"本\",5"));
    const StrokeDictionary dictionary;
    SurnameCounts sei{};

    resolveSurname(U"山田", dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{30, 5, 0})); // the later 山 wins

    resolveSurname(u("山X"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{30, 5, 0})); // X is missing: 田's count stays

    resolveSurname(u("佐々木"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{7, 7, 4}));

    resolveSurname(u("々木"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{3, 4, 4})); // 々 in position 1 is looked up

    resolveSurname(u("中本山田"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{4, 5, 30})); // the fourth character is not looked up

    resolveSurname(u(" 中"), dictionary, sei);
    EXPECT_EQ(sei, (SurnameCounts{4, 4, 30})); // untrimmed: the space is position 1 and not found
}

// ---- Generation and grading ---------------------------------------------------------------------

TEST(Generation, OrderLengthFilterAndTheEmptyChoiceOfEachBox)
{
    const Grading noSurname;
    const CandidateList one = generateCandidates({box("た", "太田多"), emptyBox(), emptyBox()}, false, noSurname);
    EXPECT_EQ(entries(one), (std::vector<std::string>{"太  ", "田  ", "多  "}));
    EXPECT_EQ(one.kanacnt, 1);
    EXPECT_TRUE(one.nlist[3].empty());

    const CandidateList two = generateCandidates({box("た", "太多"), box("ろう", "郎朗良"), emptyBox()}, false, noSurname);
    EXPECT_EQ(entries(two), (std::vector<std::string>{"太郎  ", "太朗  ", "太良  ", "多郎  ", "多朗  ", "多良  "}));
    EXPECT_EQ(two.kanacnt, 2);

    const CandidateList three = generateCandidates({box("あ", "一二"), box("い", "三四"), box("う", "五六")}, false, noSurname);
    EXPECT_EQ(entries(three), (std::vector<std::string>{"一三五  ", "一三六  ", "一四五  ", "一四六  ", "二三五  ",
                                  "二三六  ", "二四五  ", "二四六  "}));
    EXPECT_EQ(three.kanacnt, 3);

    // Box 2 found nothing, box 3 did: no name reaches three characters.
    const CandidateList none = generateCandidates({box("た", "太"), box("ぬぬ", ""), box("お", "男雄")}, false, noSurname);
    EXPECT_EQ(none.ncount, 0);
    EXPECT_TRUE(none.nlist[0].empty());
}

TEST(Generation, TwoCharacterKanaEntryOnlyFitsWithTheEmptySlotOfAnotherBox)
{
    std::vector<KanaMatch> first{{U"太", 4}, {u("太郎"), 13}};
    const KanaBoxes boxes{slotsFromMatches(U"た", first), box("ろう", "郎"), emptyBox()};
    const CandidateList list = generateCandidates(boxes, false, Grading{});
    // 太+郎 and 太郎+(empty slot of box 2) have two characters; 太郎+郎 is too long.
    EXPECT_EQ(entries(list), (std::vector<std::string>{"太郎  ", "太郎  "}));
}

TEST(Generation, GradesBoyAndGirlAndGivesStarsForUnusableSurnameLengths)
{
    const KanaBoxes boxes{box("た", "太", {4}), box("く", "九", {9}), emptyBox()};
    Grading grading;
    grading.sei = {3, 5, 0};
    grading.surnameLength = 2;
    grading.boy = true;
    EXPECT_EQ(entries(generateCandidates(boxes, true, grading)), (std::vector<std::string>{"太九  ◎▲▲▲"}));
    grading.boy = false;
    EXPECT_EQ(entries(generateCandidates(boxes, true, grading)), (std::vector<std::string>{"太九  ▲▲▲▲"}));

    const std::array<FortuneMark, 4> marks = Det(boxes, grading, 0, 0, 1);
    EXPECT_EQ(utf8(std::u32string(marks[0]) + std::u32string(marks[1]) + std::u32string(marks[2]) + std::u32string(marks[3])),
        "▲▲▲▲");

    grading.surnameLength = 0; // empty surname
    EXPECT_EQ(entries(generateCandidates(boxes, true, grading)), (std::vector<std::string>{"太九  ★★★★"}));
    grading.surnameLength = 4; // the untrimmed text is longer than three characters
    EXPECT_EQ(entries(generateCandidates(boxes, true, grading)), (std::vector<std::string>{"太九  ★★★★"}));

    // One-character surname with a three-character name: every count takes part.
    const KanaBoxes three{box("あ", "一", {1}), box("い", "二", {2}), box("う", "三", {3})};
    grading.sei = {7, 99, 99};
    grading.surnameLength = 1;
    grading.boy = true;
    // 総運 13 ◎, 社会運 8 ○, 人生運 7+2+3 = 12 ▲, 伏運 8+6 = 14 ×.
    EXPECT_EQ(entries(generateCandidates(three, true, grading)), (std::vector<std::string>{"一二三  ◎○▲×"}));
}

TEST(Generation, FillsTwentySevenThousandEntriesAndRefillsTheSameSlots)
{
    const KanaBoxes full{box("あ", thirtyKanji()), box("い", thirtyKanji()), box("う", thirtyKanji())};
    Grading grading;
    grading.sei = {3, 5, 0};
    grading.surnameLength = 2;
    std::vector<int> reported;
    CandidateList list;
    generateInto(list, full, true, grading, [&](int index) { reported.push_back(index); });
    EXPECT_EQ(list.ncount, 27000);
    ASSERT_EQ(list.nlist.size(), static_cast<std::size_t>(kListSlots));
    EXPECT_EQ(utf8(list.nlist[0]).substr(0, 9), "一一一");
    EXPECT_EQ(utf8(list.nlist[26999]).substr(0, 9), "日日日");
    EXPECT_TRUE(list.nlist[27000].empty());
    ASSERT_EQ(reported.size(), 27000u);
    EXPECT_EQ(reported.front(), 0);
    EXPECT_EQ(reported.back(), 26999);

    generateInto(list, {box("た", "太田"), emptyBox(), emptyBox()}, false, grading);
    EXPECT_EQ(list.ncount, 2);
    EXPECT_EQ(utf8(list.nlist[1]), "田  ");
    EXPECT_TRUE(list.nlist[2].empty());
    EXPECT_TRUE(list.nlist[26999].empty());
}

// ---- Paging and timing ----------------------------------------------------------------------------

TEST(Paging, PagesShowTenNumberedLinesAndShortListsPadWithEmptyLines)
{
    std::vector<std::u32string> nlist(kListSlots);
    for (int n = 0; n < 20; ++n)
        nlist[n] = U"e" + text::numberField(n);

    const Page fifth = page(nlist, 5);
    EXPECT_EQ(utf8(fifth.entries), "e5\r\ne6\r\ne7\r\ne8\r\ne9\r\ne10\r\ne11\r\ne12\r\ne13\r\ne14");
    EXPECT_EQ(utf8(fifth.numbers), "6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n15");

    std::vector<std::u32string> four(kListSlots);
    for (int n = 0; n < 4; ++n)
        four[n] = U"f";
    const Page first = page(four, 0);
    EXPECT_EQ(utf8(first.entries), "f\r\nf\r\nf\r\nf\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(utf8(first.numbers), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");

    // The last possible page ends inside the list.
    EXPECT_EQ(utf8(page(nlist, 26990).numbers).substr(0, 5), "26991");
}

TEST(Timing, ElapsedSecondsAreFormattedWithTwoDecimals)
{
    EXPECT_EQ(utf8(elapsedCaption(0.27)), "作成time 0.27 秒");
    EXPECT_EQ(utf8(formatSeconds(0)), "0.00");
    EXPECT_EQ(utf8(formatSeconds(0.004)), "0.00");
    EXPECT_EQ(utf8(formatSeconds(0.016)), "0.02");
    EXPECT_EQ(utf8(formatSeconds(0.999)), "1.00");
    EXPECT_EQ(utf8(formatSeconds(12.3456)), "12.35");
}

// ---- The candidate file ---------------------------------------------------------------------------

CandidateList sixNames()
{
    return generateCandidates({box("た", "太多"), box("ろう", "郎朗良"), emptyBox()}, false, Grading{});
}

TEST(CandidateFile, WritesEveryEntryThenOneEmptyLineInShiftJisAndRewritesTheFile)
{
    TempFolder folder;
    const CandidateList list = sixNames();
    const std::u32string name = candidateFileName(U"山田", U"た", U"ろう", U"");
    EXPECT_EQ(utf8(name), "山田たろう.txt");
    EXPECT_EQ(utf8(candidateFileName(U"", U"た", U"ろう", U"")), "たろう.txt");

    writeBytes(u8path("山田たろう.txt"), std::string(5000, 'x'));
    ASSERT_TRUE(writeCandidateFile(name, list.nlist, list.ncount).ok());
    const std::string expected = cp932("太郎  \r\n太朗  \r\n太良  \r\n多郎  \r\n多朗  \r\n多良  \r\n\r\n");
    EXPECT_EQ(readBytes(u8path("山田たろう.txt")), expected);

    // Graded entries keep their marks; CP932 holds every mark.
    Grading grading;
    grading.sei = {3, 5, 0};
    grading.surnameLength = 2;
    const CandidateList graded = generateCandidates({box("た", "太", {4}), box("く", "九", {9}), emptyBox()}, true, grading);
    ASSERT_TRUE(writeCandidateFile(name, graded.nlist, graded.ncount).ok());
    EXPECT_EQ(readBytes(u8path("山田たろう.txt")), cp932("太九  ◎▲▲▲\r\n\r\n"));
}

TEST(CandidateFile, NamesThatAreNotPlainFileNamesAreRefusedAndNothingIsWritten)
{
    TempFolder folder;
    std::filesystem::create_directory("sub");
    const CandidateList list = sixNames();
    for (const std::u32string& bad : {u("../外.txt"), u("sub/た.txt"), u("a\\b.txt"), u("た:.txt"), u("た*.txt"),
             u("た?.txt"), u("\"た\".txt"), u("<た>.txt"), u("た|.txt"), u("た\t.txt"), u(".txt"), u(".た.txt"),
             u("😀た.txt")}) {
        EXPECT_FALSE(isPlainFileName(bad)) << utf8(bad);
        EXPECT_EQ(writeCandidateFile(bad, list.nlist, list.ncount).kind, SaveResult::Kind::BadName) << utf8(bad);
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "sub"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1u); // only sub/
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / u8path("外.txt")));
    EXPECT_TRUE(isPlainFileName(u("山田たろう.txt")));
    EXPECT_TRUE(isPlainFileName(u("ﾀﾛｳ ①.txt")));
}

TEST(CandidateFile, ReadOnlyFileOrFolderAndUnwritableEntriesAreReportedNotSaved)
{
    TempFolder folder;
    const CandidateList list = sixNames();
    const std::u32string name = u("たろう.txt");

    writeBytes(u8path("たろう.txt"), "old");
    std::filesystem::permissions(u8path("たろう.txt"), std::filesystem::perms::owner_read);
    EXPECT_EQ(writeCandidateFile(name, list.nlist, list.ncount).kind, SaveResult::Kind::CannotWrite);
    EXPECT_EQ(readBytes(u8path("たろう.txt")), "old");
    std::filesystem::permissions(u8path("たろう.txt"), std::filesystem::perms::owner_all);
    std::filesystem::remove(u8path("たろう.txt"));

    std::filesystem::create_directory(u8path("たろう.txt")); // a folder in the file's place
    const SaveResult clash = writeCandidateFile(name, list.nlist, list.ncount);
    EXPECT_EQ(clash.kind, SaveResult::Kind::CannotWrite);
    EXPECT_FALSE(clash.error.empty());
    std::filesystem::remove(u8path("たろう.txt"));

    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(writeCandidateFile(name, list.nlist, list.ncount).kind, SaveResult::Kind::CannotWrite);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    EXPECT_FALSE(std::filesystem::exists(u8path("たろう.txt")));

    std::vector<std::u32string> odd(kListSlots);
    odd[0] = u("😀  ");
    EXPECT_EQ(writeCandidateFile(name, odd, 1).kind, SaveResult::Kind::Unencodable);
    EXPECT_FALSE(std::filesystem::exists(u8path("たろう.txt")));
}

// ---- Sending a candidate --------------------------------------------------------------------------

TEST(Send, AnswersBecomeListNumbersAndOutOfRangeNumbersAreNamed)
{
    EXPECT_EQ(sendNumber(U"2"), 2);
    EXPECT_EQ(sendNumber(U"abc"), 0);
    EXPECT_EQ(sendNumber(U"-1"), -1);
    EXPECT_EQ(sendNumber(U"2.5"), 2);
    EXPECT_EQ(sendNumber(U"3.5"), 4);
    EXPECT_EQ(sendNumber(u(" 3番")), 3);
    EXPECT_EQ(sendNumber(U"-0.4"), 0);

    EXPECT_TRUE(isListNumber(1, 3));
    EXPECT_TRUE(isListNumber(3, 3));
    EXPECT_FALSE(isListNumber(4, 3));
    EXPECT_FALSE(isListNumber(0, 3));
    EXPECT_FALSE(isListNumber(sendNumber(U"100000"), 27000));

    EXPECT_EQ(utf8(noSuchNumberText(4)), "4 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"-1"))), "-1 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"abc"))), "0 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"40000"))), "40000 番はありません。");
    EXPECT_EQ(utf8(noSuchNumberText(sendNumber(U"100000000000000000000"))), "100000000000000000000 番はありません。");
}

} // namespace
