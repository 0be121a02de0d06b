#include "dictionary/kana_dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "dictionary/stroke_dictionary.h"
#include "support/temp_folder.h"
#include "text/records.h"
#include "text/unicode.h"

namespace {

using kadelo::KanaDictionary;
using kadelo::KanaMatch;
using kadelo::KanaRegistration;
using kadelo::testing::cp932;
using kadelo::testing::readBytes;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;
using kadelo::text::fromUtf8;
using kadelo::text::toUtf8;

const std::filesystem::path kStrokeFile = u8path("漢字.dat");
const std::filesystem::path kKanaFile = u8path("かな.dat");

std::u32string u(const char* utf8)
{
    return fromUtf8(utf8);
}

std::array<std::u32string, 4> slots(const char* a, const char* b = "", const char* c = "", const char* d = "")
{
    return {u(a), u(b), u(c), u(d)};
}

std::vector<std::string> notices(const KanaRegistration& r)
{
    std::vector<std::string> out;
    for (const std::u32string& n : r.notices)
        out.push_back(toUtf8(n));
    return out;
}

// (character, strokes) pairs as readable text: "山3".
std::vector<std::string> matches(const std::vector<KanaMatch>& found)
{
    std::vector<std::string> out;
    for (const KanaMatch& m : found)
        out.push_back(toUtf8(m.character) + std::to_string(m.strokes));
    return out;
}

class KanaDictionaryTest : public ::testing::Test {
protected:
    TempFolder folder;
    KanaDictionary dictionary; // the bare file names, in the temporary current folder

    void strokes(const char* utf8Lines) { writeBytes(kStrokeFile, cp932(utf8Lines)); }
    void kana(const char* utf8Lines) { writeBytes(kKanaFile, cp932(utf8Lines)); }
    std::string kanaFile() const { return readBytes(kKanaFile); }
};

TEST_F(KanaDictionaryTest, FindGivesEveryEntryOfTheExactReadingInFileOrder)
{
    kana("かん,莞,10\r\n"          // unquoted fields are read too
         "\"かん\",\"寛\",13\r\n"
         "\"カン\",\"観\",18\r\n"
         "\"かんた\",\"太\",4\r\n"
         "\"たかん\",\"太\",4\r\n"
         "\"た\",\"かん\",4\r\n"     // the bytes of the reading in another field
         "\"かん\",\"完\",7\r\n"
         "\r\n"
         " \"かん\",\"寛\",13\r\n" // a duplicate entry is kept; blanks before a field are skipped
         "\"かん\",\"幹\",13");    // the last line lacks its line end
    EXPECT_EQ(matches(dictionary.find(U"かん")), (std::vector<std::string>{"莞10", "寛13", "完7", "寛13", "幹13"}));
    EXPECT_EQ(matches(dictionary.find(U"カン")), (std::vector<std::string>{"観18"}));
    EXPECT_TRUE(dictionary.find(U"か").empty()); // a prefix is no match
    EXPECT_TRUE(dictionary.find(U"かんたん").empty());
    EXPECT_TRUE(dictionary.find(U"ｶﾝ").empty()); // half-width kana are other characters
    EXPECT_TRUE(dictionary.find(U"かん\U00020BB7").empty()); // no Shift-JIS form: nothing can match
}

TEST_F(KanaDictionaryTest, FindReadsOddLinesWithoutFailing)
{
    writeBytes(kKanaFile,
        cp932("\"やま\",\"山\",abc\r\n"   // a count that is not a number counts 0
              "\"やま\",\"山岳\",5\r\n"   // a field of several characters is handed over as it stands
              "\"やま\",\"峰\"\r\n"       // no count: not an entry
              "\"やま\",\"")
            + "\x82" + "\",3\r\n"); // a cut-off double-byte character
    const std::vector<KanaMatch> found = dictionary.find(U"やま");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(matches({found[0], found[1]}), (std::vector<std::string>{"山0", "山岳5"}));
    EXPECT_EQ(found[2].strokes, 3);
}

TEST_F(KanaDictionaryTest, FindAgreesWithThePlainReadingRuleOnMixedFilesAndStopsAtTheLimit)
{
    // Lines in the written layout mixed with forms the field reader splits differently or that must
    // not count: spaces, unquoted fields, text after a closing quote, missing counts, lone CR, quotes
    // left open, and the reading's bytes inside other fields.
    const std::vector<std::string> pieces = {cp932("\"やま\",\"山\",3"), cp932("\"やま\",\"岳\",8"),
        cp932(" \"やま\" ,\"峰\",10"), cp932("やま,川,3"), cp932("\"やま\",\"山岳\",5"), cp932("\"やま\",\"峰\""),
        cp932("\"やまと\",\"和\",8"), cp932("\"か\",\"やま\",4"), cp932("\"やま\"x,\"森\",12"), cp932("\"やま"),
        cp932("\"やま\",\"林\",12345"), cp932("\"やま\",\"林\",-2"), cp932("\"やま\",\"林\",8,9"), "", ","};
    const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
    std::mt19937 random(321);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int lines = 1 + static_cast<int>(random() % 10);
        for (int i = 0; i < lines; ++i) {
            bytes += pieces[random() % pieces.size()];
            if (i + 1 < lines || random() % 2)
                bytes += ends[random() % ends.size()];
        }
        writeBytes(kKanaFile, bytes);
        std::vector<std::string> expected;
        kadelo::text::forEachLine(bytes, [&](const kadelo::text::FieldList& fields) {
            if (fields.size() >= 3 && fields[0] == cp932("やま"))
                expected.push_back(toUtf8(kadelo::text::fieldText(fields[1]))
                    + std::to_string(kadelo::StrokeDictionary::countOf(fields[2])));
        });
        ASSERT_EQ(matches(dictionary.find(U"やま")), expected) << "round " << round;
        const std::vector<KanaMatch> firstTwo = dictionary.find(U"やま", 2);
        ASSERT_EQ(matches(firstTwo),
            std::vector<std::string>(expected.begin(), expected.begin() + std::min<std::size_t>(2, expected.size())));
    }
}

TEST_F(KanaDictionaryTest, FindInAnAbsentFileGivesNothing)
{
    EXPECT_TRUE(dictionary.find(U"やま").empty());
}

TEST_F(KanaDictionaryTest, FourNewReadingsAreAppendedInSlotOrder)
{
    strokes("\"川\",3\r\n\"山\",3\r\n");
    kana("\"かわ\",\"川\",3\r\n");
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま", "さん", "ざん", "せん"));
    EXPECT_TRUE(r.kanjiFound);
    EXPECT_TRUE(r.written.ok);
    EXPECT_EQ(notices(r), (std::vector<std::string>{"やま 登録しました。", "さん 登録しました。", "ざん 登録しました。", "せん 登録しました。"}));
    EXPECT_EQ(kanaFile(), cp932("\"かわ\",\"川\",3\r\n\"やま\",\"山\",3\r\n\"さん\",\"山\",3\r\n\"ざん\",\"山\",3\r\n\"せん\",\"山\",3\r\n"));
    EXPECT_EQ(matches(dictionary.find(U"さん")), (std::vector<std::string>{"山3"}));
}

TEST_F(KanaDictionaryTest, FirstRegistrationCreatesTheFileAndCopiesTheFirstStrokeCount)
{
    // A second entry of the same character in 漢字.dat does not count; Look up takes the first.
    strokes("\"山\",3\r\n\"山\",4\r\n");
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま"));
    EXPECT_EQ(notices(r), (std::vector<std::string>{"やま 登録しました。"}));
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"山\",3\r\n"));
}

TEST_F(KanaDictionaryTest, AppendEndsAnUnterminatedLastLineFirst)
{
    strokes("\"山\",3"); // 漢字.dat without a final line end is read completely
    kana("\"かわ\",\"川\",3");
    dictionary.registerReadings(U"山", slots("やま"));
    EXPECT_EQ(kanaFile(), cp932("\"かわ\",\"川\",3\r\n\"やま\",\"山\",3\r\n"));
    EXPECT_EQ(matches(dictionary.find(U"かわ")), (std::vector<std::string>{"川3"}));
}

TEST_F(KanaDictionaryTest, ReadingsAlreadyPresentForTheKanjiAreReportedFirstAndSkipped)
{
    strokes("\"山\",3\r\n\"川\",3\r\n");
    // せん is held for 川 only: the duplicate check is per kanji. The notices of duplicates come in
    // file order (ざん before やま), not in slot order.
    kana("\"ざん\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"やま\",\"山\",3\r\n\"やま\",\"山\",3\r\n");
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま", "", "ざん", "せん"));
    EXPECT_TRUE(r.kanjiFound);
    EXPECT_EQ(notices(r), (std::vector<std::string>{"ざん  登録済みです。", "やま  登録済みです。", "せん 登録しました。"}));
    EXPECT_EQ(kanaFile(), cp932("\"ざん\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"やま\",\"山\",3\r\n\"やま\",\"山\",3\r\n\"せん\",\"山\",3\r\n"));
}

TEST_F(KanaDictionaryTest, WhenEveryReadingIsPresentNothingIsWrittenButTheKanjiCountsAsFound)
{
    strokes("\"山\",3\r\n");
    const std::string before = cp932("\"やま\",\"山\",3\r\n\"サン\",\"山\",3"); // no final line end either
    writeBytes(kKanaFile, before);
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("", "", "", "サン"));
    EXPECT_TRUE(r.kanjiFound);
    EXPECT_EQ(notices(r), (std::vector<std::string>{"サン  登録済みです。"}));
    EXPECT_EQ(kanaFile(), before);
}

TEST_F(KanaDictionaryTest, KatakanaAndHiraganaReadingsAreDifferent)
{
    strokes("\"観\",18\r\n");
    kana("\"かん\",\"観\",18\r\n");
    const KanaRegistration r = dictionary.registerReadings(U"観", slots("カン"));
    EXPECT_EQ(notices(r), (std::vector<std::string>{"カン 登録しました。"}));
    EXPECT_EQ(matches(dictionary.find(U"カン")), (std::vector<std::string>{"観18"}));
}

TEST_F(KanaDictionaryTest, TheSameReadingInTwoBoxesIsWrittenOnce)
{
    strokes("\"山\",3\r\n");
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま", "さん", "やま"));
    EXPECT_EQ(notices(r), (std::vector<std::string>{"やま 登録しました。", "さん 登録しました。", "やま  登録済みです。"}));
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"山\",3\r\n\"さん\",\"山\",3\r\n"));
}

TEST_F(KanaDictionaryTest, AKanjiMissingFromTheStrokeDictionaryIsRefusedAsAWhole)
{
    strokes("\"川\",3\r\n");
    const std::string before = cp932("\"かわ\",\"川\",3\r\n");
    writeBytes(kKanaFile, before);
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま", "さん"));
    EXPECT_FALSE(r.kanjiFound);
    EXPECT_EQ(notices(r), (std::vector<std::string>{"漢字.datに登録されてません。"}));
    EXPECT_EQ(kanaFile(), before);

    // Without any file nothing is created.
    std::filesystem::remove(kKanaFile);
    std::filesystem::remove(kStrokeFile);
    EXPECT_EQ(notices(dictionary.registerReadings(U"山", slots("やま"))), (std::vector<std::string>{"漢字.datに登録されてません。"}));
    EXPECT_FALSE(std::filesystem::exists(kKanaFile));
}

TEST_F(KanaDictionaryTest, TextThatWouldBreakTheFileIsRefusedWithItsReason)
{
    strokes("\"山\",3\r\n");
    const std::string before = cp932("\"かわ\",\"川\",3\r\n");
    writeBytes(kKanaFile, before);
    struct Case {
        const char* kanji;
        std::array<std::u32string, 4> slots;
        const char* notice;
    };
    const Case cases[] = {
        {"山", slots("や\"ま"), "「\"」は登録できない文字です。"},
        {"山", slots("やま", "", "", "さ,ん"), "「,」は登録できない文字です。"},
        {"山", slots("やま", "さん\r\n"), "改行は登録できません。"},
        {"山", slots("やま", "よし\U00020BB7"), "「\U00020BB7」は登録できない文字です。"},
        {"山", slots("\uC0B0"), "「\uC0B0」は登録できない文字です。"}, // Hangul
        // かな.dat is Shift-JIS: a kanji of 漢字UTF8.dat cannot have readings there.
        {"\xF0\x9F\xA6\x8A", slots("きつね"), "「\xF0\x9F\xA6\x8A」はかな.datに登録できない文字です。"},
        {"\U00020BB7", slots("よし"), "「\U00020BB7」はかな.datに登録できない文字です。"},
        {"\"", slots("やま"), "「\"」は登録できない文字です。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notice);
        const KanaRegistration r = dictionary.registerReadings(u(c.kanji), c.slots);
        EXPECT_FALSE(r.kanjiFound);
        EXPECT_EQ(notices(r), (std::vector<std::string>{c.notice}));
    }
    EXPECT_EQ(kanaFile(), before);
}

TEST_F(KanaDictionaryTest, AFailedAppendIsReportedInsteadOfTheRegistrations)
{
    strokes("\"山\",3\r\n");
    const KanaDictionary nowhere(std::filesystem::path("missing-folder") / kKanaFile, kStrokeFile);
    const KanaRegistration r = nowhere.registerReadings(U"山", slots("やま"));
    EXPECT_TRUE(r.kanjiFound);
    EXPECT_FALSE(r.written.ok);
    ASSERT_EQ(r.notices.size(), 1u);
    EXPECT_EQ(toUtf8(r.notices[0]).rfind("かな.datに書き込めませんでした。", 0), 0u);
}

TEST_F(KanaDictionaryTest, AKanaFileThatCannotBeReadIsNotAppendedTo)
{
    strokes("\"山\",3\r\n");
    std::filesystem::create_directory(kKanaFile); // there, but no file to read
    const KanaRegistration r = dictionary.registerReadings(U"山", slots("やま"));
    EXPECT_FALSE(r.written.ok);
    EXPECT_EQ(notices(r), (std::vector<std::string>{"かな.datを読み込めませんでした。"}));
    EXPECT_TRUE(std::filesystem::is_directory(kKanaFile));
}

// A corrected count reaches every line of the kanji; the other bytes stay.
TEST_F(KanaDictionaryTest, CorrectedCountReachesEveryLineOfTheKanji)
{
    kana("\"やま\",\"山\",4\r\n\"かわ\",\"川\",3\r\nさん,山,4\r\n\"みね\",\"峰\",10");
    const kadelo::KanaRewrite r = dictionary.correctStrokes(U"山", 3);
    EXPECT_EQ(r.kind, kadelo::KanaRewrite::Kind::Done);
    EXPECT_EQ(r.lines, 2);
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"山\",3\r\n\"かわ\",\"川\",3\r\nさん,山,3\r\n\"みね\",\"峰\",10"));
    EXPECT_EQ(dictionary.correctStrokes(U"峰", 9).lines, 1);
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"山\",3\r\n\"かわ\",\"川\",3\r\nさん,山,3\r\n\"みね\",\"峰\",9"));

    std::filesystem::remove(kKanaFile);
    EXPECT_EQ(dictionary.correctStrokes(U"山", 3).kind, kadelo::KanaRewrite::Kind::NotFound);
    EXPECT_FALSE(std::filesystem::exists(kKanaFile)); // nothing to correct, nothing created
}

TEST_F(KanaDictionaryTest, RemovingAReadingTakesExactlyItsLine)
{
    kana("\"やま\",\"山\",3\r\n\"やま\",\"八\",2\r\n\"さん\",\"山\",3\r\n\"やま\",\"山\",3\r\n\"せん\",\"山\",3");
    // The second occurrence of a pair the file holds twice.
    EXPECT_EQ(dictionary.removeReading(U"やま", U"山", 1).lines, 1);
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"山\",3\r\n\"やま\",\"八\",2\r\n\"さん\",\"山\",3\r\n\"せん\",\"山\",3"));
    // The first line, and the last one without a line end.
    EXPECT_EQ(dictionary.removeReading(U"やま", U"山").kind, kadelo::KanaRewrite::Kind::Done);
    EXPECT_EQ(dictionary.removeReading(U"せん", U"山").kind, kadelo::KanaRewrite::Kind::Done);
    EXPECT_EQ(kanaFile(), cp932("\"やま\",\"八\",2\r\n\"さん\",\"山\",3\r\n"));

    const std::string before = kanaFile();
    EXPECT_EQ(dictionary.removeReading(U"やま", U"山").kind, kadelo::KanaRewrite::Kind::NotFound);
    EXPECT_EQ(dictionary.removeReading(U"さん", U"山", 1).kind, kadelo::KanaRewrite::Kind::NotFound);
    EXPECT_EQ(kanaFile(), before);
}

TEST_F(KanaDictionaryTest, AFailedRewriteLeavesTheOldFile)
{
    const std::filesystem::path longName(std::string(250, 'k') + ".dat");
    writeBytes(longName, cp932("\"やま\",\"山\",3\r\n"));
    const KanaDictionary elsewhere(longName, kStrokeFile);
    EXPECT_EQ(elsewhere.removeReading(U"やま", U"山").kind, kadelo::KanaRewrite::Kind::CannotWrite);
    EXPECT_EQ(elsewhere.correctStrokes(U"山", 4).kind, kadelo::KanaRewrite::Kind::CannotWrite);
    EXPECT_EQ(readBytes(longName), cp932("\"やま\",\"山\",3\r\n"));
}

} // namespace
