// The text-file layer: CP932, the field rule, whole-file and append writes, the data folder.
#include <csignal>
#include <random>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "animal/animal_types.h"
#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_dictionary.h"
#include "naming/naming.h"
#include "support/temp_folder.h"
#include "text/byte_search.h"
#include "text/cp932.h"
#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/numbers.h"
#include "text/records.h"
#include "text/unicode.h"

using namespace kadelo;
using namespace kadelo::testing;

namespace {

std::vector<std::vector<std::string>> linesOf(std::string_view bytes)
{
    std::vector<std::vector<std::string>> out;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        std::vector<std::string> line;
        for (auto f : fields)
            line.push_back(text::toUtf8(text::fieldText(f)));
        out.push_back(line);
    });
    return out;
}

} // namespace

TEST(Cp932, RoundTripsJapaneseTextIncludingWaveDashAndHalfWidthKana)
{
    const std::u32string original = text::fromUtf8("名前決めるの、お手伝いしま～す。ｵｰﾙ･ﾘｾｯﾄ 髙 ①");
    const text::Cp932Bytes encoded = text::encodeCp932(original);
    ASSERT_TRUE(encoded.ok());
    EXPECT_EQ(text::decodeCp932(encoded.bytes), original);
    // ～ is U+FF5E and must be stored as 81 60.
    EXPECT_EQ(text::encodeCp932(U"～").bytes, "\x81\x60");
    EXPECT_EQ(text::encodeCp932(U"山").bytes, "\x8E\x52");
}

TEST(Cp932, ReportsCharactersItCannotHoldAndKeepsTheRest)
{
    const text::Cp932Bytes encoded = text::encodeCp932(text::fromUtf8("𠮷田😀한𠮷"));
    EXPECT_FALSE(encoded.ok());
    EXPECT_EQ(text::toUtf8(encoded.unencodable), "𠮷😀한");
    EXPECT_EQ(encoded.bytes, cp932("田"));
    EXPECT_FALSE(text::cp932CanHold(text::fromUtf8("𠮷")));
    EXPECT_TRUE(text::cp932CanHold(text::fromUtf8("吉")));
}

TEST(Cp932, InvalidBytesDecodeToReplacementCharacters)
{
    // A lone lead byte at the end, an undefined pair, and a lead byte followed by ASCII.
    const std::u32string decoded = text::decodeCp932(std::string("A\x81", 2) + "\x85\x40" + "\x88" + "B");
    EXPECT_EQ(decoded[0], U'A');
    EXPECT_EQ(decoded.back(), U'B');
    EXPECT_NE(decoded.find(U'\uFFFD'), std::u32string::npos);
    EXPECT_EQ(text::decodeSingleCharacter(cp932("山")), std::optional<char32_t>(U'山'));
    EXPECT_EQ(text::decodeSingleCharacter(cp932("山田")), std::nullopt);
    EXPECT_EQ(text::decodeSingleCharacter(std::string_view("\x81", 1)), std::nullopt);
}

TEST(Records, FieldRule)
{
    const auto lines = linesOf(cp932("\"山\",3\r\n  \"a,b\" , 5\r\n\r\nName=太郎,次\r\n\"開く\r\nlast,\"x\"tail,y"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], (std::vector<std::string>{"山", "3"}));
    EXPECT_EQ(lines[1], (std::vector<std::string>{"a,b", "5"})); // leading spaces skipped, comma kept inside quotes
    EXPECT_EQ(lines[2], (std::vector<std::string>{""}));          // an empty line is one empty field
    EXPECT_EQ(lines[3], (std::vector<std::string>{"Name=太郎", "次"}));
    EXPECT_EQ(lines[4], (std::vector<std::string>{"開く"}));      // an unclosed quote ends with its line
    EXPECT_EQ(lines[5], (std::vector<std::string>{"last", "x", "y"})); // last line without CR LF is read
}

TEST(Records, TwoByteCharactersWhoseSecondByteLooksLikeASeparatorAreNotCut)
{
    // 表 is 95 5C and ソ is 83 5C: the second byte is a backslash, never a separator; none of the
    // separators can be a second byte, so every such character survives the split.
    const auto lines = linesOf(cp932("\"表ソ能\",12"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0][0], "表ソ能");
}

TEST(Numbers, ParsingAndRounding)
{
    EXPECT_EQ(text::parseInteger(U" 08 "), 8);
    EXPECT_EQ(text::parseInteger(U"-12"), -12);
    EXPECT_EQ(text::parseInteger(U"１２"), 12);
    EXPECT_EQ(text::parseInteger(U"1x"), std::nullopt);
    EXPECT_EQ(text::parseInteger(U""), std::nullopt);
    EXPECT_EQ(text::parseDecimal(U"2.5"), 2.5);
    EXPECT_EQ(text::parseDecimal(U"abc"), std::nullopt);
    EXPECT_EQ(text::parseDecimal(U"3."), 3.0);
    EXPECT_EQ(text::leadingNumber(U" 3月"), 3.0);
    EXPECT_EQ(text::leadingNumber(U"2.5x"), 2.5);
    EXPECT_EQ(text::leadingNumber(U"abc"), std::nullopt);
    EXPECT_EQ(text::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(text::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(text::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(text::toInt16(std::optional<long long>(32767)), 32767);
    EXPECT_EQ(text::toInt16(std::optional<long long>(32768)), std::nullopt);
    EXPECT_EQ(text::toInt16(std::optional<double>(-32768.4)), -32768);
    EXPECT_EQ(text::toInt16(std::optional<double>(99999.0)), std::nullopt);
}

TEST(FileIo, AtomicWriteReplacesWholeFileAndKeepsOldOneOnFailure)
{
    TempFolder folder;
    ASSERT_TRUE(text::writeFileAtomic("a.txt", "first\r\n"));
    ASSERT_TRUE(text::writeFileAtomic("a.txt", "second\r\n"));
    EXPECT_EQ(readBytes("a.txt"), "second\r\n");

    // The last step fails (the name is taken by a folder that is not empty): the write says so and
    // leaves neither a temporary file nor a change behind. This works whatever the permissions.
    std::filesystem::create_directories("taken/inner");
    const text::WriteResult r = text::writeFileAtomic("taken", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(std::filesystem::is_directory("taken/inner"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 2)
        << "a temporary file was left behind";

    // A folder that does not exist: nothing can be created.
    EXPECT_FALSE(text::writeFileAtomic("no/such/folder/c.txt", "x").ok);
}

TEST(FileIo, AppendEndsAnUnterminatedLastLineFirst)
{
    TempFolder folder;
    ASSERT_TRUE(text::appendToFile("d.dat", "\"a\",1\r\n")); // creates the file
    EXPECT_EQ(readBytes("d.dat"), "\"a\",1\r\n");
    writeBytes("e.dat", "\"a\",1");
    ASSERT_TRUE(text::appendToFile("e.dat", "\"b\",2\r\n"));
    EXPECT_EQ(readBytes("e.dat"), "\"a\",1\r\n\"b\",2\r\n");
    EXPECT_FALSE(text::readFileBytes("missing.dat"));
}

TEST(FileIo, AnAppendAfterALoneCarriageReturnAddsOnlyTheLineFeed)
{
    TempFolder folder;
    writeBytes("f.dat", "\"a\",3\r");
    ASSERT_TRUE(text::appendToFile("f.dat", "\"b\",2\r\n"));
    EXPECT_EQ(readBytes("f.dat"), "\"a\",3\r\n\"b\",2\r\n");
    EXPECT_EQ(linesOf(readBytes("f.dat"))[0], (std::vector<std::string>{"a", "3"}));
}

TEST(FileIo, AnAppendCutShortByAFullDiskLeavesTheFileAsItWas)
{
    TempFolder folder;
    const std::string before = "\"a\",1\r\n\"b\",2"; // unterminated, so the append writes CR LF first
    writeBytes("g.dat", before);
    // In a child, so the limit stays there: room for three more bytes, and the signal a process gets
    // for passing the limit ignored, as when the disk fills part-way through the line.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(before.size() + 3), static_cast<rlim_t>(before.size() + 3)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const text::WriteResult r = text::appendToFile("g.dat", "\"c\",3\r\n");
        ::_exit(r.ok ? 10 : r.incompleteLine ? 11 : r.error.empty() ? 12 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: reported as written, 11: not taken back, 12: no reason given";
    EXPECT_EQ(readBytes("g.dat"), before);

    // A file the failed append would have created is not left behind, empty or half written.
    const pid_t second = ::fork();
    ASSERT_GE(second, 0);
    if (second == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2, 2};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(text::appendToFile("h.dat", "\"c\",3\r\n").ok ? 10 : 0);
    }
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists("h.dat"));
}

TEST(FileIo, FilesThatAreNotRegularAreRefusedAtOnce)
{
    TempFolder folder;
    // A FIFO without a writer would block an ordinary open for good; a device never ends.
    for (const std::filesystem::path& name : {text::strokeFileName(), text::kanaFileName(), text::conversionFileName(),
             std::filesystem::path(text::fromUtf8("山田こうすけ.txt"))})
        ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0);
    const text::ReadResult device = text::readFile("/dev/zero");
    EXPECT_FALSE(device.bytes);
    EXPECT_FALSE(device.missing);
    EXPECT_NE(device.error.find("not a regular file"), std::string::npos) << device.error;
    EXPECT_TRUE(text::readFile("missing.dat").missing);

    EXPECT_FALSE(StrokeDictionary().lookUp(U"山"));
    EXPECT_FALSE(StrokeDictionary().append(U"山", 3));
    EXPECT_TRUE(KanaDictionary().find(U"やま").empty());
    EXPECT_FALSE(KanaDictionary().registerReadings(U"山", {U"やま", U"", U"", U""}).written);
    EXPECT_FALSE(DateConversionTable().available());
    const naming::SaveResult saved = naming::writeCandidateFile(text::fromUtf8("山田こうすけ.txt"), {U"山田太郎"}, 0);
    EXPECT_EQ(saved.kind, naming::SaveResult::Kind::CannotWrite);
    EXPECT_NE(saved.error.find("not a regular file"), std::string::npos) << saved.error;
    for (const auto& e : std::filesystem::directory_iterator("."))
        EXPECT_TRUE(e.is_fifo()) << e.path();
}

TEST(FileIo, AWholeFileSaveThroughASymbolicLinkReplacesTheTargetAndKeepsTheLink)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories("dotfiles");
    writeBytes("dotfiles/Kadelo.ini", "old\r\n");
    ::chmod("dotfiles/Kadelo.ini", 0600);
    fs::create_directories("data");
    fs::create_symlink("../dotfiles/Kadelo.ini", "data/Kadelo.ini"); // relative to the link's folder
    ASSERT_TRUE(text::writeFileAtomic("data/Kadelo.ini", "new\r\n"));
    EXPECT_TRUE(fs::is_symlink("data/Kadelo.ini"));
    EXPECT_EQ(readBytes("dotfiles/Kadelo.ini"), "new\r\n");
    EXPECT_EQ(fs::status("dotfiles/Kadelo.ini").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // The temporary file went beside the target, and nothing is left of it.
    EXPECT_EQ(std::distance(fs::directory_iterator("dotfiles"), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator("data"), fs::directory_iterator()), 1);

    // A link to a file not made yet, through a chain of two links, creates the target.
    fs::create_symlink("data/Kadelo.ini", "second");
    fs::remove("dotfiles/Kadelo.ini");
    ASSERT_TRUE(text::writeFileAtomic("second", "newer\r\n"));
    EXPECT_TRUE(fs::is_symlink("second"));
    EXPECT_EQ(readBytes("dotfiles/Kadelo.ini"), "newer\r\n");

    // Links that go round in circles are refused, and stay links.
    fs::create_symlink("loop2", "loop1");
    fs::create_symlink("loop1", "loop2");
    EXPECT_FALSE(text::writeFileAtomic("loop1", "x"));
    EXPECT_TRUE(fs::is_symlink("loop1"));
}

TEST(FileIo, LeftoversOfAKilledSaveAreRemovedAndNothingElse)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    const std::vector<std::string> leftovers = {".~Kadelo.ini.012345.tmp", ".~Kadelo.ini.7.tmp", text::toUtf8(U".~山田こうすけ.txt.654321.tmp")};
    for (const std::string& name : leftovers)
        writeBytes(name, "half");
    const std::vector<std::string> others = {".~Kadelo.ini.1234567.tmp", ".~Kadelo.ini.tmp", ".~.123.tmp", "a.~Kadelo.ini.1.tmp",
        ".~Kadelo.ini.12a.tmp", ".~Kadelo.ini.1.tmp.bak", "Kadelo.ini"};
    for (const std::string& name : others)
        writeBytes(name, "keep");
    fs::create_directory(".~folder.1.tmp");
    fs::create_symlink("Kadelo.ini", ".~link.2.tmp");
    EXPECT_EQ(text::removeTemporaryLeftovers("."), 3);
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(name)) << name;
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(name)) << name;
    EXPECT_TRUE(fs::is_directory(".~folder.1.tmp"));
    EXPECT_TRUE(fs::is_symlink(".~link.2.tmp"));
    // The names a save uses are of that pattern.
    EXPECT_TRUE(text::isTemporaryFileName(".~Kadelo.ini.000001.tmp"));
}

TEST(DataFolder, PortableFolderStaysOtherwiseUserFolderIsFilledOnce)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories("portable");
    writeBytes(fs::path("portable") / text::strokeFileName(), "");
    fs::create_directories("supply");
    writeBytes(fs::path("supply") / text::strokeFileName(), "\"山\",3\r\n");
    writeBytes(fs::path("supply") / text::conversionFileName(), "63,1\r\n");

    const auto portable = text::chooseDataFolder("portable", "user", {"supply"});
    EXPECT_TRUE(portable.portable);
    EXPECT_EQ(portable.folder, fs::path("portable"));
    EXPECT_FALSE(fs::exists("user"));

    fs::create_directories("elsewhere");
    const auto first = text::chooseDataFolder("elsewhere", "user/kadelo", {"nowhere", "supply"});
    EXPECT_FALSE(first.portable);
    EXPECT_EQ(first.folder, fs::path("user/kadelo"));
    EXPECT_EQ(first.copied.size(), 2u);
    EXPECT_EQ(readBytes(fs::path("user/kadelo") / text::strokeFileName()), "\"山\",3\r\n");

    // The user's own dictionary is never overwritten by the supplied one.
    writeBytes(fs::path("user/kadelo") / text::strokeFileName(), "mine");
    const auto again = text::chooseDataFolder("elsewhere", "user/kadelo", {"supply"});
    EXPECT_TRUE(again.copied.empty());
    EXPECT_EQ(readBytes(fs::path("user/kadelo") / text::strokeFileName()), "mine");
}

TEST(DataFolder, AnUpgradeAddsTheNewSuppliedEntriesOnceAndKeepsTheUsersOwn)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    const fs::path supply = "supply", user = "user/kadelo", start = "start";
    fs::create_directories(supply);
    fs::create_directories(start);
    auto supplyFile = [&](const fs::path& name, const char* utf8) { writeBytes(supply / name, cp932(utf8)); };
    auto userFile = [&](const fs::path& name) { return text::toUtf8(text::decodeCp932(readBytes(user / name))); };

    // The old version, copied on the first start; no stamp yet, so nothing is merged.
    supplyFile(text::strokeFileName(), "\"山\",3\r\n\"川\",3\r\n");
    supplyFile(text::kanaFileName(), "\"やま\",\"山\",3\r\n");
    const auto first = text::chooseDataFolder(start, user, {supply});
    EXPECT_EQ(first.copied.size(), 2u);
    EXPECT_EQ(first.added, 0);
    EXPECT_TRUE(fs::exists(user / text::stampFileName()));

    // The user's own additions, the last one without its line end.
    writeBytes(user / text::strokeFileName(), readBytes(user / text::strokeFileName()) + cp932("\"淲\",11\r\n\"森\",99"));
    writeBytes(user / text::kanaFileName(), readBytes(user / text::kanaFileName()) + cp932("\"かわ\",\"川\",3\r\n"));

    // The new version: 山 corrected, 森 and 林 new, a reading of 川 and one of 林 new, conve.dat new.
    supplyFile(text::strokeFileName(), "\"山\",4\r\n\"川\",3\r\n\"森\",12\r\n\"林\",8\r\n");
    supplyFile(text::kanaFileName(), "\"やま\",\"山\",4\r\n\"かわ\",\"川\",3\r\n\"せん\",\"川\",3\r\n\"はやし\",\"林\",8\r\n");
    supplyFile(text::conversionFileName(), "41,1\r\n");
    const auto upgraded = text::chooseDataFolder(start, user, {supply});
    EXPECT_TRUE(upgraded.upgradeError.empty()) << upgraded.upgradeError;
    EXPECT_EQ(upgraded.added, 3); // 林; せん 川 and はやし 林
    EXPECT_EQ(upgraded.copied, std::vector<fs::path>{text::conversionFileName()});
    EXPECT_EQ(userFile(text::strokeFileName()), "\"山\",3\r\n\"川\",3\r\n\"淲\",11\r\n\"森\",99\r\n\"林\",8\r\n");
    EXPECT_EQ(userFile(text::kanaFileName()), "\"やま\",\"山\",3\r\n\"かわ\",\"川\",3\r\n\"せん\",\"川\",3\r\n\"はやし\",\"林\",8\r\n");

    // The second start adds nothing.
    const auto again = text::chooseDataFolder(start, user, {supply});
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(userFile(text::strokeFileName()), "\"山\",3\r\n\"川\",3\r\n\"淲\",11\r\n\"森\",99\r\n\"林\",8\r\n");

    // A stroke file in UTF-8 merges the same way: by its character field.
    writeBytes(supply / text::wideStrokeFileName(), "\"𠮷\",6\r\n");
    EXPECT_EQ(text::chooseDataFolder(start, user, {supply}).copied, std::vector<fs::path>{text::wideStrokeFileName()});
    writeBytes(user / text::wideStrokeFileName(), "\"𠮷\",7\r\n"); // the user's own count
    writeBytes(supply / text::wideStrokeFileName(), "\"𠮷\",6\r\n\"𩸽\",22\r\n");
    EXPECT_EQ(text::chooseDataFolder(start, user, {supply}).added, 1);
    EXPECT_EQ(readBytes(user / text::wideStrokeFileName()), "\"𠮷\",7\r\n\"𩸽\",22\r\n");

    // A folder made by an older version (no stamp) gets the stamp of what is supplied now, and
    // nothing merged; the next version then merges as usual.
    fs::remove(user / text::stampFileName());
    supplyFile(text::strokeFileName(), "\"山\",4\r\n\"川\",3\r\n\"森\",12\r\n\"林\",8\r\n\"谷\",7\r\n");
    EXPECT_EQ(text::chooseDataFolder(start, user, {supply}).added, 0);
    EXPECT_EQ(userFile(text::strokeFileName()).find("谷"), std::string::npos);
    supplyFile(text::strokeFileName(), "\"谷\",7\r\n\"岡\",8\r\n");
    EXPECT_EQ(text::chooseDataFolder(start, user, {supply}).added, 2);
}

TEST(DataFolder, ASuppliedFileThatCannotBeCopiedEndsOnlyAFirstStart)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories("supply");
    fs::create_directories("start");
    fs::create_directories("user/kadelo");
    writeBytes(fs::path("supply") / text::conversionFileName(), "41,1\r\n");
    // The disk is full (a file-size limit in a child): an existing folder goes on without the new
    // file and tries again next time; a new folder cannot be prepared.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1, 1};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto existing = text::chooseDataFolder("start", "user/kadelo", {"supply"});
        const auto fresh = text::chooseDataFolder("start", "user/new", {"supply"});
        ::_exit(!existing.error.empty() ? 10 : existing.upgradeError.empty() ? 11 : fresh.error.empty() || fresh.reason.empty() ? 12 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: an existing folder refused, 11: nothing said, 12: a new folder accepted";
    EXPECT_FALSE(fs::exists(fs::path("user/kadelo") / text::stampFileName())); // tried again next start
    EXPECT_TRUE(fs::is_empty("user/kadelo"));
    EXPECT_FALSE(fs::exists("user/new"));
}

TEST(DataFolder, APortableFolderIsNeverTouchedByAnUpgrade)
{
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories("supply");
    fs::create_directories("portable");
    writeBytes(fs::path("supply") / text::strokeFileName(), cp932("\"山\",3\r\n\"森\",12\r\n"));
    writeBytes(fs::path("supply") / text::kanaFileName(), cp932("\"やま\",\"山\",3\r\n"));
    writeBytes(fs::path("portable") / text::strokeFileName(), cp932("\"山\",3"));
    writeBytes(fs::path("portable") / text::stampFileName(), "\"漢字.dat\",1,\"0\"\r\n"); // an old stamp, even
    const auto chosen = text::chooseDataFolder("portable", "user", {"supply"});
    EXPECT_TRUE(chosen.portable);
    EXPECT_EQ(chosen.added, 0);
    EXPECT_EQ(readBytes(fs::path("portable") / text::strokeFileName()), cp932("\"山\",3"));
    EXPECT_EQ(readBytes(fs::path("portable") / text::stampFileName()), "\"漢字.dat\",1,\"0\"\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("portable"), fs::directory_iterator()), 2);
    EXPECT_FALSE(fs::exists("user"));
}

namespace {

std::size_t naiveFind(std::string_view bytes, std::string_view key, std::size_t from)
{
    for (std::size_t p = from; p + key.size() <= bytes.size(); ++p) {
        if (bytes.substr(p, key.size()) == key)
            return p;
    }
    return std::string_view::npos;
}

} // namespace

TEST(ByteSearch, FindsEveryPlaceANaiveSearchFindsAtAnyAlignmentAndLength)
{
    // Bytes drawn from a few values, so that pairs and keys stand often, next to each other and across
    // the 16- and 64-byte steps of the search, up to the very last byte.
    std::mt19937 random(5);
    const std::string alphabet = "\x82\xA0\xA4\"a,\n";
    for (int round = 0; round < 400; ++round) {
        std::string bytes(random() % 300, ' ');
        for (char& c : bytes)
            c = alphabet[random() % alphabet.size()];
        std::string key(1 + random() % 6, ' ');
        for (char& c : key)
            c = alphabet[random() % alphabet.size()];
        for (std::size_t from = 0; from <= bytes.size() + 1; from += 1 + random() % 7) {
            std::size_t expected = naiveFind(bytes, key, from);
            ASSERT_EQ(text::findKey(bytes, key, from), expected) << round << " from " << from;
            const std::size_t distance = random() % 5;
            const std::string pair{key[0], key.back()};
            expected = std::string_view::npos;
            for (std::size_t p = from; p + distance < bytes.size(); ++p) {
                if (bytes[p] == pair[0] && bytes[p + distance] == pair[1]) {
                    expected = p;
                    break;
                }
            }
            ASSERT_EQ(text::findBytePair(bytes, from, pair[0], pair[1], distance), expected) << round << " from " << from;
        }
    }
    // A key at the very end of a long stretch, and nowhere at all.
    std::string long_(100000, 'a');
    long_ += "\x82\xB1\x82\xA4";
    EXPECT_EQ(text::findKey(long_, "\x82\xB1\x82\xA4", 0), 100000u);
    EXPECT_EQ(text::findKey(long_, "\x82\xB1\x82\xA5", 0), std::string_view::npos);
    EXPECT_EQ(text::findKey("", "a", 0), std::string_view::npos);
}
