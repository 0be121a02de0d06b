// The screens on a real display, run under X11 (xvfb-run -a -s "-screen 0 1280x1024x24"
// build/bench/screens_bench): one keystroke in the judgement screen's surname box, a graded
// generation of 27,000 candidates with the progress bar on, and the start of the program up to the
// main menu's first paint beside a minimal Qt Widgets program's first paint.
//
// Each on-screen iteration is timed with QElapsedTimer around the event and the processEvents()
// that paints its outcome (manual time), so the figure is what a person waits for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/grown_data.h"
#include "judgement/judgement_screen.h"
#include "naming/naming_screen.h"
#include "settings/settings_file.h"

extern char** environ;

namespace {

using namespace kadelo;
namespace kb = kadelo::bench;
namespace fs = std::filesystem;

void settle()
{
    for (int n = 0; n < 5; ++n)
        QCoreApplication::processEvents();
}

template <class W>
W* child(QWidget* screen, const char* name)
{
    return screen->findChild<W*>(QString::fromUtf8(name));
}

// One key pressed and released, as the keyboard delivers it (QTest's key helpers take ASCII only).
void typeKey(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
}

// Typing 佐, 藤, 子 into the surname box and taking them out again with Backspace: six keystrokes,
// each timed alone, against 漢字.dat as supplied or grown 100× (the first argument), with the
// pointer resting on the box, as after a click into it (second argument 1), or away from
// the window (0). Over the window, each piece Qt shows on its own costs a round trip to the X server.
void BM_ScreenJudgementKeystroke(benchmark::State& state)
{
    fs::current_path(kb::grownFile("漢字.dat", static_cast<int>(state.range(0))).parent_path());
    JudgementScreen screen;
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen)) {
        state.SkipWithError("no window");
        return;
    }
    QLineEdit* box = child<QLineEdit>(&screen, "textMin");
    box->setFocus();
    const bool pointerOver = state.range(1) != 0;
    QCursor::setPos(pointerOver ? box->mapToGlobal(box->rect().center()) : QPoint(0, 0));
    const bool placed = QTest::qWaitFor([&] { return screen.underMouse() == pointerOver; }, 2000);
    settle();
    if (!placed || screen.underMouse() != pointerOver) {
        state.SkipWithError("the pointer is not where it was put");
        return;
    }
    const QString typed = QString::fromUtf8("佐藤子");
    int step = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (step < 3)
            typeKey(box, Qt::Key_unknown, typed.mid(step, 1));
        else
            typeKey(box, Qt::Key_Backspace, QString());
        QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        step = (step + 1) % 6;
    }
}
BENCHMARK(BM_ScreenJudgementKeystroke)
    ->ArgNames({"size", "pointerOver"})
    ->Args({1, 1})
    ->Args({100, 1})
    ->Args({1, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// 作成 with three readings of 30 kanji each and the progress bar on.
void BM_ScreenGradedGeneration27000WithBar(benchmark::State& state)
{
    const fs::path folder = kb::grownFolder() / "naming";
    fs::create_directories(folder);
    fs::current_path(folder);
    const std::u32string thirty = text::fromUtf8("一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日");
    std::u32string kana;
    for (const char32_t* reading : {U"あ", U"い", U"う"})
        for (std::size_t n = 0; n < thirty.size(); ++n)
            kana += U"\"" + std::u32string(reading) + U"\",\"" + thirty[n] + U"\"," + text::numberField(1 + n % 20) + U"\r\n";
    std::ofstream("かな.dat", std::ios::binary) << text::encodeCp932(kana).bytes;
    std::ofstream("漢字.dat", std::ios::binary) << text::encodeCp932(U"\"山\",3\r\n\"田\",5\r\n").bytes;

    NamingScreen screen;
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen)) {
        state.SkipWithError("no window");
        return;
    }
    child<QLineEdit>(&screen, "textN")->setText(QString::fromUtf8("山田"));
    child<QLineEdit>(&screen, "Textn1")->setText(QString::fromUtf8("あ"));
    child<QLineEdit>(&screen, "Textn2")->setText(QString::fromUtf8("い"));
    child<QLineEdit>(&screen, "Textn3")->setText(QString::fromUtf8("う"));
    child<QCheckBox>(&screen, "cbar")->setChecked(true);
    QPushButton* make = child<QPushButton>(&screen, "ComFind");
    settle();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        make->click();
        QCoreApplication::processEvents();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["candidates"] = screen.candidates().ncount;
    state.counters["bar_updates"] = screen.barUpdates();
}
BENCHMARK(BM_ScreenGradedGeneration27000WithBar)->UseManualTime()->Unit(benchmark::kMillisecond);

// ---- Start-up ------------------------------------------------------------------------------------

// A portable data folder whose Kadelo.ini has both animations off: the menu appears at once.
const fs::path& startupFolder()
{
    static const fs::path folder = [] {
        const fs::path f = kb::grownFolder() / "startup";
        fs::create_directories(f);
        SettingsRecord record;
        record.animation1 = 0;
        record.animation2 = 0;
        record.colours = SettingsFile::defaultColours();
        SettingsFile(f / "Kadelo.ini").save(record);
        return f;
    }();
    return folder;
}

// Starts the program and waits for its end; false when it could not start or did not end well.
bool runToFirstPaint(const char* program)
{
    char* argv[] = {const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Each iteration starts the minimal program, then the program itself, each timed from the start of
// the process to its end after the first paint; taking turns keeps the load of a shared machine the
// same for both. The iteration time is the pair; the counters give each side's median and the ratio.
void BM_ColdStartMenuVsMinimalQtWidgets(benchmark::State& state)
{
    fs::current_path(startupFolder());
    std::vector<double> menu, minimal;
    for (auto _ : state) {
        for (const char* program : {KADELO_STARTUP_MINIMAL_PATH, KADELO_STARTUP_PROBE_PATH}) {
            const auto start = std::chrono::steady_clock::now();
            if (!runToFirstPaint(program)) {
                state.SkipWithError("a program did not end after its first paint");
                return;
            }
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            (program == std::string_view(KADELO_STARTUP_PROBE_PATH) ? menu : minimal).push_back(ms);
        }
    }
    state.counters["menu_ms"] = median(menu);
    state.counters["minimal_ms"] = median(minimal);
    state.counters["ratio"] = median(minimal) > 0 ? median(menu) / median(minimal) : 0;
}
BENCHMARK(BM_ColdStartMenuVsMinimalQtWidgets)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program's own look: Fusion and the Japanese font.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QString& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")}) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font(family);
            font.setPointSize(9);
            QApplication::setFont(font);
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(fs::temp_directory_path());
    return 0;
}
