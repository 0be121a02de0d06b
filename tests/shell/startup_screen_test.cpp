// The program's start: the real binary in a temporary home (a data folder that cannot be made, a
// settings file its user may not read, leftovers of a killed save), the notice of a missing
// 漢字.dat on the screens that count strokes, and the announcement of an upgrade.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QWidget>
#include <QtTest>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/openers.h"
#include "shell/startup.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "text/data_folder.h"
#include "ui/screen_registry.h"

using namespace kadelo;
using namespace kadelo::testing;
namespace fs = std::filesystem;

namespace {

struct ProgramRun {
    int exitCode = -1;
    bool crashed = true;
    QStringList messages; // "icon<TAB>title<TAB>text" each
};

// Runs the program in `folder` with `home` as its home, on the offscreen platform; messages are
// answered with OK. As an ordinary user when `asUser` (through setpriv when the test runs as root).
ProgramRun runProgram(const fs::path& folder, const fs::path& home, const fs::path& messages, bool asUser = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), QString::fromStdString(home.string()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KADELO_ANSWER_MESSAGES));
    env.insert(QStringLiteral("KADELO_TEST_MESSAGES"), QString::fromStdString(messages.string()));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(folder.string()));
    if (asUser && ::geteuid() == 0)
        p.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups", KADELO_PROGRAM});
    else
        p.start(QStringLiteral(KADELO_PROGRAM), {});
    ProgramRun run;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.crashed = p.exitStatus() != QProcess::NormalExit;
    run.exitCode = p.exitCode();
    QFile f(QString::fromStdString(messages.string()));
    if (f.open(QIODevice::ReadOnly))
        run.messages = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

// Every path under `root` with its size, to see that nothing was written.
std::set<std::string> snapshot(const fs::path& root)
{
    std::set<std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(root))
        all.insert(e.path().string() + (e.is_regular_file() ? " " + std::to_string(e.file_size()) : ""));
    return all;
}

QString path(const fs::path& p)
{
    return QString::fromStdString(p.string());
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aDataFolderThatCannotBePreparedEndsTheProgramHavingWrittenNothing()
    {
        TempFolder temp;
        fs::create_directories("home/.local/share");
        writeBytes("home/.local/share/kadelo", "a file where the data folder should be");
        fs::create_directories("start");
        const auto before = snapshot(temp.path() / "home");
        const ProgramRun run = runProgram(temp.path() / "start", temp.path() / "home", temp.path() / "messages");
        QVERIFY(!run.crashed);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.messages.size(), 1);
        const QStringList parts = run.messages[0].split(QLatin1Char('\t'));
        QCOMPARE(parts.size(), 3);
        QCOMPARE(parts[0].toInt(), int(QMessageBox::Critical));
        QCOMPARE(parts[1], QStringLiteral("kadelo"));
        const QString prefix = QStringLiteral("データフォルダ「%1」を用意できませんでした。Kadelo を終了します。（")
                                   .arg(path(temp.path() / "home/.local/share/kadelo"));
        QVERIFY2(parts[2].startsWith(prefix) && parts[2].endsWith(QStringLiteral("）")) && parts[2].size() > prefix.size() + 1,
            qPrintable(parts[2]));
        // Nothing written: no settings in the folder it was started from, the home as it was.
        QVERIFY(fs::is_empty(temp.path() / "start"));
        QCOMPARE(snapshot(temp.path() / "home"), before);
    }

    void aSettingsFileItsUserMayNotReadIsLeftAsItIs()
    {
        TempFolder temp;
        // A portable folder anyone may write in, with a profile only its owner may read.
        const std::string profile = cp932("[Kadelo]\r\nName=花子\r\nAnimation1=0\r\nAnimation2=0\r\n");
        writeBytes("Kadelo.ini", profile);
        ::chmod("Kadelo.ini", 0);
        writeBytes(".~Kadelo.ini.004711.tmp", "half a save");
        writeBytes(".~Kadelo.ini.tmp", "not ours");
        ::chmod(".", 0777);
        const ProgramRun run = runProgram(temp.path(), temp.path(), temp.path() / "messages", true);
        QVERIFY(!run.crashed);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.messages,
            QStringList{QStringLiteral("%1\tkadelo\t設定ファイル「%2」を読み込めません。既定の設定で起動します。（cannot open Kadelo.ini: Permission denied）")
                            .arg(int(QMessageBox::Information))
                            .arg(path(temp.path() / "Kadelo.ini"))});
        QCOMPARE(fs::status("Kadelo.ini").permissions() & fs::perms::all, fs::perms::none);
        ::chmod("Kadelo.ini", 0600);
        QCOMPARE(readBytes("Kadelo.ini"), profile);
        // The leftover of a killed save is gone; a file of another name stays.
        QVERIFY(!fs::exists(".~Kadelo.ini.004711.tmp"));
        QVERIFY(fs::exists(".~Kadelo.ini.tmp"));
    }

    void aMissingStrokeFileIsSaidEachTimeAStrokeScreenOpens()
    {
        TempFolder temp;
        writeBytes("Kadelo.ini", "Family name=\r\n");
        const QString notice = QStringLiteral("漢字.dat が見つかりません。画数がわかりません。");
        MessageCatcher messages;
        for (int round = 1; round <= 2; ++round) {
            screens::openJudgement(nullptr);
            QTRY_COMPARE(messages.texts().count(notice), 2 * round - 1);
            // Brought forward while open: no second notice.
            screens::openJudgement(nullptr);
            screens::openNaming(nullptr);
            QTRY_COMPARE(messages.texts().count(notice), 2 * round);
            QTest::qWait(30);
            QCOMPARE(messages.texts().count(notice), 2 * round);
            for (const char* name : {"kadelo", "nfind"})
                ui::openScreen(QString::fromLatin1(name))->close();
        }
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QVERIFY(!fs::exists(text::strokeFileName())); // nothing created by it

        // Something that cannot be read in its place (a FIFO would block an ordinary open) is said too.
        QCOMPARE(::mkfifo(text::strokeFileName().c_str(), 0644), 0);
        screens::openJudgement(nullptr);
        QTRY_COMPARE(messages.seen.size(), 5);
        QCOMPARE(messages.seen[4].text, QStringLiteral("漢字.dat を読み込めません。画数がわかりません。（漢字.dat is not a regular file）"));
        ui::openScreen(QStringLiteral("kadelo"))->close();
        fs::remove(text::strokeFileName());

        writeBytes(text::strokeFileName(), cp932("\"山\",3\r\n"));
        screens::openJudgement(nullptr);
        screens::openNaming(nullptr);
        QTest::qWait(50);
        QCOMPARE(messages.texts().count(notice), 4);
        QCOMPARE(messages.seen.size(), 5);
        for (const char* name : {"kadelo", "nfind"})
            ui::openScreen(QString::fromLatin1(name))->close();
    }

    void entriesOfANewerSuppliedVersionAreAnnouncedOnce()
    {
        TempFolder temp;
        fs::create_directories("supply");
        fs::create_directories("start");
        writeBytes(fs::path("supply") / text::strokeFileName(), cp932("\"山\",3\r\n"));
        shell::setSupplyFolders({temp.path() / "supply"});
        const QString user = path(temp.path() / "user");
        MessageCatcher messages;
        fs::current_path(temp.path() / "start");
        QVERIFY(shell::prepareDataFolder(user)); // a new folder: filled, nothing to announce
        QCOMPARE(fs::current_path(), temp.path() / "user");
        writeBytes(temp.path() / "supply" / text::strokeFileName(), cp932("\"山\",3\r\n\"川\",3\r\n\"森\",12\r\n"));
        fs::current_path(temp.path() / "start");
        QVERIFY(shell::prepareDataFolder(user));
        fs::current_path(temp.path() / "start");
        QVERIFY(shell::prepareDataFolder(user));
        shell::setSupplyFolders({});
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("辞書に 2 件の新しい文字を追加しました。")});
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_screen_test.moc"
