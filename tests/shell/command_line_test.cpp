// The program binary's command line, run as a user runs it: without any window system.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    bool exited = false; // ended on its own with a status (not by a signal, not still running)
    int status = -1;
    bool stillRunning = false;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the program with exactly these arguments and environment (nothing inherited), its output caught
// in files under `folder`. A program still running after `patience` is ended and reported as such.
Outcome runProgram(const fs::path& folder, const std::vector<std::string>& args, const std::vector<std::string>& env,
    std::chrono::milliseconds patience = std::chrono::seconds(20))
{
    const char* program = std::getenv("KADELO_PROGRAM");
    if (!program)
        throw std::runtime_error("KADELO_PROGRAM is not set");
    const fs::path outPath = folder / "stdout.txt";
    const fs::path errPath = folder / "stderr.txt";

    std::vector<std::string> argStore = {program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore = env;
    std::vector<char*> envp;
    for (std::string& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || chdir(folder.c_str()) != 0)
            _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(program, argv.data(), envp.data());
        _exit(127);
    }
    Outcome run;
    int wstatus = 0;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    pid_t done = 0;
    while ((done = waitpid(pid, &wstatus, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (done == 0) {
        run.stillRunning = true;
        kill(pid, SIGKILL);
        waitpid(pid, &wstatus, 0);
    } else if (WIFEXITED(wstatus)) {
        run.exited = true;
        run.status = WEXITSTATUS(wstatus);
    }
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

class CommandLineTest : public ::testing::Test {
protected:
    // A user's session without a window system: only a home folder, a locale and a path.
    std::vector<std::string> headless() const
    {
        return {"HOME=" + home_.string(), "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
    }
    bool homeUntouched() const { return fs::is_empty(home_); }

    kadelo::testing::TempFolder folder_;
    fs::path home_ = folder_.path() / "home";
    bool made_ = fs::create_directories(home_);
};

std::string version()
{
    const char* v = std::getenv("KADELO_VERSION");
    return v ? v : "";
}

TEST_F(CommandLineTest, HelpAndVersionPrintWithoutAnyDisplayAndExitZero)
{
    for (const char* option : {"--help", "-h"}) {
        const Outcome run = runProgram(folder_.path(), {option}, headless());
        EXPECT_TRUE(run.exited) << option << " did not exit normally: " << run.err;
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_NE(run.out.find("使い方: kadelo"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("--version"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(".local/share/kadelo"), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "") << option;
    }
    ASSERT_FALSE(version().empty());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--version"}, {"-v"}, {"-platform", "offscreen", "--version"}, {"-style=fusion", "--version"}}) {
        const Outcome run = runProgram(folder_.path(), args, headless());
        EXPECT_TRUE(run.exited) << args.front() << ": " << run.err;
        EXPECT_EQ(run.status, 0) << args.front();
        EXPECT_EQ(run.out, "kadelo " + version() + "\n") << args.front();
        EXPECT_EQ(run.err, "");
    }
    EXPECT_TRUE(homeUntouched()) << "printing help or the version must not prepare a data folder";
}

TEST_F(CommandLineTest, WrongUsagePrintsTheUsageOnStderrAndExitsTwo)
{
    const std::vector<std::vector<std::string>> wrong = {{"--bogus"}, {"-x"}, {"--help-me"}, {"stray"}, {"-platform"}};
    for (const std::vector<std::string>& args : wrong) {
        const Outcome run = runProgram(folder_.path(), args, headless());
        EXPECT_TRUE(run.exited) << args.front() << ": " << run.err;
        EXPECT_EQ(run.status, 2) << args.front();
        EXPECT_EQ(run.out, "") << args.front();
        EXPECT_NE(run.err.find("使い方: kadelo"), std::string::npos) << args.front() << ": " << run.err;
        EXPECT_NE(run.err.find(args.front()), std::string::npos) << "the message names the wrong argument: " << run.err;
    }
    EXPECT_TRUE(homeUntouched());
}

TEST_F(CommandLineTest, NoWindowSystemSaysSoInOneLineAndExitsOne)
{
    std::vector<std::string> emptyDisplays = headless();
    emptyDisplays.insert(emptyDisplays.end(), {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
    for (const std::vector<std::string>& env : {headless(), emptyDisplays}) {
        const Outcome run = runProgram(folder_.path(), {}, env);
        ASSERT_TRUE(run.exited) << "ended by a signal or kept running: " << run.err;
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("グラフィカルなデスクトップが必要です"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.back(), '\n');
    }
    EXPECT_TRUE(homeUntouched()) << "nothing is written before the program can show a window";
}

TEST_F(CommandLineTest, AnExplicitPlatformStartsTheScreens)
{
    // -platform on the command line is Qt's own option: accepted, and the screens start (the first-start
    // message then waits for the user, so the program is still running when the test ends it).
    const Outcome run = runProgram(folder_.path(), {"-platform", "offscreen"}, headless(), std::chrono::milliseconds(2500));
    EXPECT_TRUE(run.stillRunning) << "status " << run.status << ": " << run.err;
    EXPECT_EQ(run.err.find("kadelo:"), std::string::npos) << run.err;
}

} // namespace
