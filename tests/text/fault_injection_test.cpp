// Every write-side call of a save, failed in turn and killed in turn: the file is always the old
// one or the new one (an append: the old one, or the old one plus the complete line), a failure is
// never reported as saved, and a failed save leaves no temporary file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"
#include "text/data_folder.h"
#include "text/file_io.h"

using namespace kadelo;
using namespace kadelo::testing;
namespace fs = std::filesystem;

namespace {

const std::string kOldSettings = "[Kadelo]\r\nName=太郎\r\n#End\r\n";
const std::string kOldStrokes = "\"山\",3\r\n\"田\",5"; // unterminated: the append writes CR LF first
const std::string kOldReadings = "\"かわ\",\"川\",3\r\n";

struct DriverRun {
    int status = -1; // the driver's exit status; -1 when it was killed
};

DriverRun runDriver(const char* op, const std::string& failAt, const char* mode, const fs::path& callsFile = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LD_PRELOAD", KADELO_FAIL_NTH_CALL, 1);
        ::setenv("KADELO_FAIL_AT", failAt.c_str(), 1);
        ::setenv("KADELO_FAIL_MODE", mode, 1);
        if (!callsFile.empty())
            ::setenv("KADELO_FAIL_CALLS", callsFile.c_str(), 1);
        ::execl(KADELO_SAVE_DRIVER, KADELO_SAVE_DRIVER, op, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return DriverRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

void prepare()
{
    writeBytes("Kadelo.ini", kOldSettings);
    writeBytes(u8path("漢字.dat"), cp932(kOldStrokes));
    writeBytes(u8path("かな.dat"), cp932(kOldReadings));
}

int temporaryFiles()
{
    int n = 0;
    for (const auto& e : fs::directory_iterator("."))
        n += text::isTemporaryFileName(e.path().filename().string());
    return n;
}

struct Case {
    const char* op;
    fs::path file;
    bool append;
};

} // namespace

TEST(FaultInjection, EveryWriteSideCallFailedOrKilledInTurnLeavesTheOldOrTheNewFile)
{
    const Case cases[] = {{"settings", "Kadelo.ini", false}, {"strokes", u8path("漢字.dat"), true},
        {"readings", u8path("かな.dat"), true}};
    int runs = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.op);
        // A run without faults gives the new file and the number of calls.
        std::string oldBytes, newBytes;
        long calls = 0;
        {
            TempFolder folder;
            prepare();
            oldBytes = readBytes(c.file);
            ASSERT_EQ(runDriver(c.op, "0", "fail", folder.path() / "calls").status, 0);
            newBytes = readBytes(c.file);
            std::ifstream(folder.path() / "calls") >> calls;
            ASSERT_NE(newBytes, oldBytes);
            if (c.append)
                ASSERT_EQ(newBytes.substr(0, oldBytes.size()), oldBytes);
        }
        ASSERT_GT(calls, 0);
        std::map<std::string, int> outcomes;
        for (const char* mode : {"fail", "kill"}) {
            for (long n = 1; n <= calls; ++n) {
                SCOPED_TRACE(std::string(mode) + " at call " + std::to_string(n));
                TempFolder folder;
                prepare();
                const DriverRun run = runDriver(c.op, std::to_string(n), mode);
                const std::string now = readBytes(c.file);
                ++runs;
                const bool isOld = now == oldBytes;
                const bool isNew = now == newBytes;
                EXPECT_TRUE(isOld || isNew) << "the file is neither the old nor the new one";
                if (run.status == 0)
                    EXPECT_TRUE(isNew) << "reported as saved, but the file is not the new one";
                else if (run.status >= 0)
                    EXPECT_EQ(run.status, 1) << "a failure without a reason, or one that could not be taken back";
                if (run.status == 1)
                    EXPECT_TRUE(isOld) << "reported as failed, but the file changed";
                if (run.status >= 0)
                    EXPECT_EQ(temporaryFiles(), 0);
                text::removeTemporaryLeftovers(".");
                EXPECT_EQ(temporaryFiles(), 0);
                outcomes[std::string(mode) + (run.status == 0 ? " saved" : run.status == 1 ? " refused" : " killed")
                    + (isNew ? " (new file)" : " (old file)")]++;
            }
        }
        std::cout << c.op << ": " << calls << " write-side calls;";
        for (const auto& [what, count] : outcomes)
            std::cout << " " << what << " " << count << ";";
        std::cout << "\n";
    }
    std::cout << runs << " runs\n";
}

TEST(FaultInjection, AnAppendThatCannotBeTakenBackSaysTheFileMayEndInAnIncompleteLine)
{
    // Two calls fail: when the second is the cut back of a half-written line, the append says the
    // file may now end in an incomplete line (status 3); every other pair still leaves the old or
    // the new file, told truly.
    for (const Case& c : {Case{"strokes", u8path("漢字.dat"), true}, Case{"readings", u8path("かな.dat"), true}}) {
        SCOPED_TRACE(c.op);
        std::string oldBytes, newBytes;
        {
            TempFolder folder;
            prepare();
            oldBytes = readBytes(c.file);
            ASSERT_EQ(runDriver(c.op, "0", "fail").status, 0);
            newBytes = readBytes(c.file);
        }
        int incomplete = 0;
        for (long n = 1; n <= 8; ++n) {
            for (long m = n + 1; m <= n + 3; ++m) {
                SCOPED_TRACE(std::to_string(n) + "," + std::to_string(m));
                TempFolder folder;
                prepare();
                const int status = runDriver(c.op, std::to_string(n) + "," + std::to_string(m), "fail").status;
                const std::string now = readBytes(c.file);
                if (status == 0)
                    EXPECT_EQ(now, newBytes);
                else if (status == 1)
                    EXPECT_EQ(now, oldBytes);
                else {
                    ASSERT_EQ(status, 3);
                    ++incomplete;
                    EXPECT_EQ(now.substr(0, oldBytes.size()), oldBytes);
                    EXPECT_NE(now, oldBytes);
                }
            }
        }
        EXPECT_GT(incomplete, 0);
    }
}
