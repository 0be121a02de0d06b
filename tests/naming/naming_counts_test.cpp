// The naming assistant in either way of counting: the same small dictionaries grade a candidate
// differently, and the traditional way takes its counts from the traditional dictionary, not from
// かな.dat.
#include "naming/naming_counts.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "text/unicode.h"

namespace {

using namespace kadelo;
using namespace kadelo::naming;
namespace kt = kadelo::testing;

const CountingChoice kModern{};
const CountingChoice kTraditional{CountingWay::Traditional, false};

void writeDictionaries()
{
    // かな.dat carries today's counts (沢 7); the traditional dictionary counts 沢 as 澤, 17.
    kt::writeBytes(text::kanaFileName(), kt::cp932("\"さわ\",\"沢\",7\r\n\"さわ\",\"爽\",11\r\n\"いち\",\"一\",1\r\n"));
    kt::writeBytes(text::strokeFileName(), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"沢\",7\r\n\"爽\",11\r\n\"一\",1\r\n"));
    kt::writeBytes(text::traditionalStrokeFileName(), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"沢\",17\r\n\"一\",1\r\n"));
}

std::vector<std::string> graded(const CountingChoice& choice, std::u32string_view surname, std::u32string_view reading)
{
    KanaBoxes boxes;
    boxes[0] = resolveKanaBox(reading, KanaDictionary());
    countSlots(boxes[0], choice);
    Grading grading;
    resolveSurname(surname, choice, grading.sei);
    grading.surnameLength = surname.size();
    const CandidateList list = generateCandidates(boxes, true, grading);
    std::vector<std::string> out;
    for (int n = 0; n < list.ncount; ++n)
        out.push_back(text::toUtf8(list.nlist[n]));
    return out;
}

TEST(NamingCounts, TheTwoWaysGradeTheSameCandidatesDifferently)
{
    kt::TempFolder folder;
    writeDictionaries();
    // 山田 沢: today 3 5 | 7 gives 総運 15 ◎, 社会運 12 ▲, 人生運 10 ×, 伏運 19 ×; traditionally
    // 3 5 | 17 gives 25 ▲, 22 ▲, 20 ×, 39 ◎. 爽 is not in the traditional dictionary: it counts 0
    // there, as on the judgement screen, not the 11 of かな.dat.
    EXPECT_EQ(graded(kModern, U"山田", U"さわ"), (std::vector<std::string>{"沢  ◎▲××", "爽  ▲○××"}));
    EXPECT_EQ(graded(kTraditional, U"山田", U"さわ"), (std::vector<std::string>{"沢  ▲▲×◎", "爽  ○◎★★"}));
}

TEST(NamingCounts, SurnameCountsOfEachWay)
{
    kt::TempFolder folder;
    writeDictionaries();
    SurnameCounts sei{};
    resolveSurname(U"沢田", kModern, sei);
    EXPECT_EQ(sei, (SurnameCounts{7, 5, 0}));
    resolveSurname(U"沢田", kTraditional, sei);
    EXPECT_EQ(sei, (SurnameCounts{17, 5, 0}));
    // The numerals by value, and a repeat mark after one, in the traditional way only.
    resolveSurname(U"四々", CountingChoice{CountingWay::Traditional, true}, sei);
    EXPECT_EQ(sei, (SurnameCounts{4, 4, 0}));
    // Today's way keeps the carry-over of a character the dictionary lacks.
    resolveSurname(U"四々", kModern, sei);
    EXPECT_EQ(sei, (SurnameCounts{4, 4, 0}));
}

} // namespace
