// The dictionaries keep an index of a file between keystrokes. Whatever changes the file, by this
// program or another, the next lookup must see it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_dictionary.h"
#include "dictionary/stroke_lookup.h"
#include "judgement/fortunes.h"
#include "naming/naming.h"
#include "support/temp_folder.h"
#include "text/file_cache.h"
#include "text/records.h"

namespace {

namespace fs = std::filesystem;
using namespace kadelo;
using kadelo::testing::cp932;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;

void appendBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::app).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::int16_t> last(const StrokeDictionary& dictionary, char32_t c)
{
    std::array<std::optional<std::int16_t>, 1> found;
    dictionary.lookUpLastEach(std::array<char32_t, 1>{c}, found);
    return found[0];
}

// Files that have been quiet long enough for their index to be kept, each indexed once; every case
// then changes its own file in one way.
class KeptIndexTest : public ::testing::Test {
protected:
    static constexpr const char* kStrokes = "\"山\",3\r\n\"田\",5\r\n";

    void SetUp() override
    {
        for (const char* name : {"append", "other", "inplace", "renamed", "surname"})
            writeBytes(name + std::string(".dat"), cp932(kStrokes));
        writeBytes(u8path("漢字.dat"), cp932(kStrokes));
        writeBytes(u8path("かな.dat"), cp932("\"やま\",\"山\",3\r\n"));
        // A file is indexed for keeps only once it has been quiet for two seconds.
        for (const fs::directory_entry& e : fs::directory_iterator("."))
            fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        // The first lookup of a quiet file is answered by a plain scan and has its index built on
        // the worker; later lookups use it.
        for (int pass = 0; pass < 2; ++pass) {
            const std::uint64_t builds = text::fileIndexBuilds();
            lookUpAll(3, 1u);
            text::waitForFileIndexBuilds();
            EXPECT_EQ(text::fileIndexBuilds() - builds, pass == 0 ? 7u : 0u);
        }
    }

    // Looks 山 up in every stroke file and やま in かな.dat.
    static void lookUpAll(std::int16_t yama, std::size_t kana)
    {
        for (const fs::directory_entry& e : fs::directory_iterator(".")) {
            if (e.path().extension() == ".dat" && e.path() != fs::path("./") / u8path("かな.dat"))
                EXPECT_EQ(StrokeDictionary(e.path()).lookUp(U"山"), yama) << e.path();
        }
        EXPECT_EQ(KanaDictionary().find(U"やま").size(), kana);
    }

    TempFolder folder;
};

TEST_F(KeptIndexTest, AnUnchangedFileIsNotReadAgainAndEveryChangeIsSeenAtTheNextLookup)
{
    // Kept: looking up again in unchanged files builds nothing.
    const std::uint64_t builds = text::fileIndexBuilds();
    EXPECT_EQ(StrokeDictionary("append.dat").lookUp(U"田"), std::int16_t{5});
    EXPECT_EQ(lookupStrokes(U"山田", StrokeLookup("other.dat"), true).counts[1], 5);
    EXPECT_EQ(KanaDictionary().find(U"やま").size(), 1u);
    EXPECT_EQ(text::fileIndexBuilds(), builds);

    // An entry appended by the dictionary's own append, as the dictionary screen does.
    const StrokeDictionary appended("append.dat");
    ASSERT_TRUE(appended.append(U"川", 3));
    EXPECT_EQ(appended.lookUp(U"川"), std::int16_t{3});

    // An entry appended by another program.
    appendBytes("other.dat", cp932("\"森\",12\r\n"));
    EXPECT_EQ(StrokeDictionary("other.dat").lookUp(U"森"), std::int16_t{12});

    // Rewritten in place to the same size, with the old modification time put back, as a copy that
    // keeps times would leave it.
    const fs::file_time_type oldTime = fs::last_write_time("inplace.dat");
    writeBytes("inplace.dat", cp932("\"山\",4\r\n\"田\",5\r\n"));
    fs::last_write_time("inplace.dat", oldTime);
    EXPECT_EQ(StrokeDictionary("inplace.dat").lookUp(U"山"), std::int16_t{4});

    // Replaced by another file of the same size and time.
    writeBytes("new.tmp", cp932("\"山\",7\r\n\"田\",5\r\n"));
    fs::last_write_time("new.tmp", fs::last_write_time("renamed.dat"));
    fs::rename("new.tmp", "renamed.dat");
    EXPECT_EQ(StrokeDictionary("renamed.dat").lookUp(U"山"), std::int16_t{7});

    // The naming surname box takes the last entry, the judgement boxes the first.
    appendBytes("surname.dat", cp932("\"山\",8\r\n"));
    naming::SurnameCounts sei{};
    naming::resolveSurname(U"山田", StrokeLookup("surname.dat"), sei);
    EXPECT_EQ(sei, (naming::SurnameCounts{8, 5, 0}));
    EXPECT_EQ(last(StrokeDictionary("surname.dat"), U'山'), std::int16_t{8});
    EXPECT_EQ(StrokeDictionary("surname.dat").lookUp(U"山"), std::int16_t{3});

    // かな.dat: a reading registered by the program, then one appended by another program.
    const KanaDictionary kana;
    ASSERT_TRUE(kana.registerReadings(U"田", {U"た", U"", U"", U""}).written);
    ASSERT_EQ(kana.find(U"た").size(), 1u);
    EXPECT_EQ(kana.find(U"た")[0].strokes, 5);
    appendBytes(u8path("かな.dat"), cp932("\"やま\",\"岳\",8\r\n"));
    EXPECT_EQ(kana.find(U"やま").size(), 2u);

    // Once the changed files are quiet again: the grown ones carry their kept index on at once, the
    // rewritten ones are scanned once more and indexed on the worker; each answer the same.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    for (int pass = 0; pass < 3; ++pass) {
        const std::uint64_t builds = text::fileIndexBuilds();
        EXPECT_EQ(appended.lookUp(U"川"), std::int16_t{3});
        EXPECT_EQ(StrokeDictionary("other.dat").lookUp(U"森"), std::int16_t{12});
        EXPECT_EQ(StrokeDictionary("inplace.dat").lookUp(U"山"), std::int16_t{4});
        EXPECT_EQ(StrokeDictionary("renamed.dat").lookUp(U"山"), std::int16_t{7});
        EXPECT_EQ(last(StrokeDictionary("surname.dat"), U'山'), std::int16_t{8});
        EXPECT_EQ(StrokeDictionary("surname.dat").lookUp(U"山"), std::int16_t{3});
        EXPECT_EQ(kana.find(U"やま").size(), 2u);
        EXPECT_EQ(kana.find(U"た").size(), 1u);
        text::waitForFileIndexBuilds();
        EXPECT_EQ(text::fileIndexBuilds() - builds, std::vector<std::uint64_t>({6, 0, 0})[pass]) << pass;
    }

    // A removed file finds nothing.
    fs::remove("append.dat");
    EXPECT_EQ(StrokeDictionary("append.dat").lookUp(U"山"), std::nullopt);
}

// What a file's bytes say by the plain reading rule: the first (or last) entry of a character, and
// every kana entry of a reading.
std::optional<std::int16_t> referenceCount(std::string_view bytes, char32_t wanted, bool lastWins)
{
    std::optional<std::int16_t> found;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        if ((found && !lastWins) || fields.size() < 2)
            return;
        if (StrokeDictionary::characterOf(fields[0]) == wanted)
            found = StrokeDictionary::countOf(fields[1]);
    });
    return found;
}

std::vector<std::pair<std::u32string, std::int16_t>> referenceKana(std::string_view bytes, std::string_view reading)
{
    std::vector<std::pair<std::u32string, std::int16_t>> out;
    text::forEachLine(bytes, [&](const text::FieldList& fields) {
        if (fields.size() >= 3 && fields[0] == reading)
            out.emplace_back(text::fieldText(fields[1]), StrokeDictionary::countOf(fields[2]));
    });
    return out;
}

TEST(GrownFile, AnswersFromAScanAndFromACarriedOnIndexAgreeWithTheWholeFile)
{
    // A kept index of a quiet file, then appends (also ones that finish an unterminated last line),
    // rewrites of earlier bytes and cuts, each followed by lookups compared with a plain reading:
    // right after each write they are answered by a scan of the bytes, and once the file is quiet
    // again by the kept index carried on over what was appended.
    TempFolder folder;
    const std::string base = cp932("\"山\",3\r\n\"田\",5\r\n\"ｱ\",2\r\n\"やま\",\"山\",3\r\n\"やま\",\"岳\"");
    writeBytes("grown.dat", base);
    fs::last_write_time("grown.dat", fs::file_time_type::clock::now() - std::chrono::hours(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    const StrokeDictionary strokes("grown.dat");
    const KanaDictionary kana("grown.dat", "grown.dat");
    ASSERT_EQ(strokes.lookUp(U"田"), std::int16_t{5});
    ASSERT_EQ(kana.find(U"やま").size(), 1u);
    text::waitForFileIndexBuilds(); // kept from here on

    std::string bytes = base;
    const auto check = [&](int round) {
        for (char32_t c : {U'山', U'田', U'岳', U'ｱ'}) {
            ASSERT_EQ(strokes.lookUp(std::u32string(1, c)), referenceCount(bytes, c, false)) << "round " << round;
            ASSERT_EQ(last(strokes, c), referenceCount(bytes, c, true)) << "round " << round;
        }
        std::vector<std::pair<std::u32string, std::int16_t>> found;
        for (const KanaMatch& m : kana.find(U"やま"))
            found.emplace_back(m.character, m.strokes);
        ASSERT_EQ(found, referenceKana(bytes, cp932("やま"))) << "round " << round;
    };
    const std::vector<std::string> pieces = {cp932(",8\r\n"), cp932("\"山\",4\r\n"), cp932("\"田\",6"), cp932("\r\n"),
        cp932("\"やま\",\"川\",3\r\n"), cp932("\"やま\",\"森\",12"), cp932("山,9\n"), cp932("\r"), cp932("\"岳\",8\r\n"),
        cp932("\"ｱ\",7\r\n")};
    std::mt19937 random(99);
    for (int round = 0; round < 300; ++round) {
        const unsigned kind = random() % 10;
        if (kind < 7) {
            bytes += pieces[random() % pieces.size()];
        } else if (kind < 9 && !bytes.empty()) {
            bytes[random() % bytes.size()] = "35,\"\n"[random() % 5]; // an earlier byte rewritten
        } else {
            bytes.resize(random() % (bytes.size() + 1)); // cut
        }
        if (random() % 4 == 0)
            bytes = base; // back to the kept state
        writeBytes("grown.dat", bytes);
        check(round);
    }

    // Grown from the kept state and quiet: the kept index is carried on, twice in turn (the second
    // time finishing the unterminated last line).
    bytes = base + cp932(",8\r\n\"山\",4\r\n\"ｱ\",7\r\n\"やま\",\"川\",3\r\n\"田\",6");
    for (const std::string& more : {std::string(), cp932("\r\n\"山\",2\r\n\"やま\",\"森\",12")}) {
        bytes += more;
        writeBytes("grown.dat", bytes);
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        const std::uint64_t builds = text::fileIndexBuilds();
        check(1000);
        EXPECT_EQ(text::fileIndexBuilds() - builds, 2u); // at once, for each kind of index
        check(1001);
        EXPECT_EQ(text::fileIndexBuilds() - builds, 2u); // kept
    }
}

TEST(WorkerIndex, LookupsWhileAFileIsIndexedAndAfterItChangesAgreeWithTheFile)
{
    // A big quiet file: its first lookup hands the index to the worker, and the lookups typed while it
    // works are answered by scans; a rewrite while the index is queued or being built is seen at once,
    // and what the worker made of the old bytes is never used for the new ones.
    TempFolder folder;
    std::string bytes = cp932("\"山\",3\r\n");
    for (int i = 0; i < 200000; ++i)
        bytes += cp932(i % 2 ? "\"川\",3\r\n" : "\"森\",12\r\n");
    bytes += cp932("\"山\",9\r\n");
    writeBytes("big.dat", bytes);
    fs::last_write_time("big.dat", fs::file_time_type::clock::now() - std::chrono::hours(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    const StrokeDictionary dictionary("big.dat");
    const std::uint64_t builds = text::fileIndexBuilds();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(dictionary.lookUp(U"山"), std::int16_t{3}) << i;
        ASSERT_EQ(last(dictionary, U'山'), std::int16_t{9}) << i;
    }
    text::waitForFileIndexBuilds();
    EXPECT_EQ(text::fileIndexBuilds() - builds, 1u); // one file, indexed once
    EXPECT_EQ(dictionary.lookUp(U"森"), std::int16_t{12});

    // Rewritten in place, same size, old time put back: the next lookups give the new count, also
    // once the worker is done with whatever it was given.
    const fs::file_time_type oldTime = fs::last_write_time("big.dat");
    bytes[cp932("\"山\",").size()] = '4';
    writeBytes("big.dat", bytes);
    fs::last_write_time("big.dat", oldTime);
    ASSERT_EQ(dictionary.lookUp(U"山"), std::int16_t{4});
    text::waitForFileIndexBuilds();
    ASSERT_EQ(dictionary.lookUp(U"山"), std::int16_t{4});
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    for (int i = 0; i < 3; ++i) { // a scan that queues the index, then from the index
        ASSERT_EQ(dictionary.lookUp(U"山"), std::int16_t{4}) << i;
        text::waitForFileIndexBuilds();
    }
}

TEST(RecentIndex, ASameSizeRewriteRightAfterALookupIsSeen)
{
    // Within one tick of the file system's clock the stamp may not change at all.
    TempFolder folder;
    const StrokeDictionary dictionary("recent.dat");
    for (int round = 0; round < 200; ++round) {
        writeBytes("recent.dat", "\"" + cp932("山") + "\"," + std::to_string(round % 10) + "\r\n");
        ASSERT_EQ(dictionary.lookUp(U"山"), std::int16_t(round % 10)) << round;
    }
}

} // namespace
