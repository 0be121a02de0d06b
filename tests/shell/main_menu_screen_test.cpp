// The main menu: first start, the four switch combinations, the animations and the exit.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>

#include "dictionary/dictionary_screen.h"
#include "settings/settings_file.h"
#include "shell/openers.h"
#include "shell/main_menu_screen.h"
#include "shell/startup.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/screen_registry.h"

using namespace kadelo;
using namespace kadelo::testing;

namespace {

const QStringList kSmallButtons = {"cmdS", "cmdM", "cmdD", "cmdSt", "cmdJ", "cmdHlp", "cmdExit"};

void writeSettings(const char* mouse, const char* anim1, const char* anim2)
{
    std::string ini = "[Kadelo]\r\nName=\r\nFamily name=\r\nMouse=" + std::string(mouse) + "\r\nAnimation1=" + anim1
        + "\r\nAnimation2=" + anim2 + "\r\nNo1=255\r\n";
    writeBytes("Kadelo.ini", ini);
}

bool menuShown(MainMenuScreen& menu)
{
    for (const QString& name : kSmallButtons)
        if (!child<QPushButton>(&menu, name)->isVisibleTo(&menu))
            return false;
    return child<QWidget>(&menu, "Imn")->isVisibleTo(&menu) && child<QWidget>(&menu, "concon_0")->isVisibleTo(&menu)
        && child<QPushButton>(&menu, "cmdP")->isEnabled();
}

QList<int> visibleFrames(MainMenuScreen& menu)
{
    QList<int> frames;
    for (int i = 0; i < 14; ++i)
        if (child<QWidget>(&menu, QStringLiteral("concon_%1").arg(i))->isVisibleTo(&menu))
            frames << i;
    return frames;
}

QTimer* timer(MainMenuScreen& menu, const char* name)
{
    return menu.findChild<QTimer*>(QString::fromLatin1(name));
}

} // namespace

class MainMenuScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartShowsTwoMessagesWritesDefaultsAndPlaysTheStartAnimation();
    void switchCombinations_data();
    void switchCombinations();
    void startAnimationRunsFramesOneToThirteenThenShowsTheMenu();
    void picturesAreDrawnWhenFirstShown();
    void exitAnimationEndsTheProgramOnItsFourteenthTick();
    void exitWithoutAnimationEndsAtOnce();
    void exitDuringIdleHidesThePoseAndItsCaption();
    void idleCycleFollowsTheButtons();
    void unreadableSettingsFileIsLeftAloneAndTheMenuRunsOnTheDefaults();
    void unwritableSettingsFileIsReportedAndTheMenuStillWorks();
    void pointerAfterStartAnimation();
    void helpWithoutItsFileDoesNothing();
    void buttonsSayWhatTheyOpen();
    void f1OpensTheHelpFromEveryScreen();
    void layoutNamesAndBackground();
};

void MainMenuScreenTest::firstStartShowsTwoMessagesWritesDefaultsAndPlaysTheStartAnimation()
{
    TempFolder folder;
    MessageCatcher messages;
    MainMenuScreen menu;
    menu.startUp();
    QCOMPARE(messages.texts(), QStringList({QStringLiteral("ダウンロードありがとうございます。"),
                                   QStringLiteral("初めての起動ですね。まず[設定]の[個人情報]を入力してください。")}));
    for (const SeenMessage& m : messages.seen) {
        QCOMPARE(m.title, QStringLiteral("kadelo"));
        QCOMPARE(m.icon, QMessageBox::Information);
    }
    QCOMPARE(QString::fromStdString(readBytes("Kadelo.ini")), QString::fromStdU32String(SettingsFile::defaultsText()));
    QVERIFY(timer(menu, "Timer1")->isActive());
    QCOMPARE(timer(menu, "Timer1")->interval(), 150);
    QCOMPARE(timer(menu, "Timer2")->interval(), 2500);
    QVERIFY(!menuShown(menu));
    QVERIFY(!child<QPushButton>(&menu, "cmdP")->isEnabled());
}

void MainMenuScreenTest::switchCombinations_data()
{
    QTest::addColumn<QString>("anim1");
    QTest::addColumn<QString>("anim2");
    QTest::addColumn<bool>("shownAtOnce");
    QTest::addColumn<bool>("timer1");
    QTest::addColumn<bool>("timer2");
    QTest::newRow("0 0") << "0" << "0" << true << false << false;
    QTest::newRow("1 0") << "1" << "0" << true << false << true;
    QTest::newRow("0 1") << "0" << "1" << false << true << false;
    QTest::newRow("1 1") << "1" << "1" << false << true << false;
    // Values other than 1 count as 0, so a hand-edited file never leaves the menu hidden.
    QTest::newRow("5 0") << "5" << "0" << true << false << false;
    QTest::newRow("1 10") << "1" << "10" << true << false << true;
}

void MainMenuScreenTest::switchCombinations()
{
    QFETCH(QString, anim1);
    QFETCH(QString, anim2);
    QFETCH(bool, shownAtOnce);
    QFETCH(bool, timer1);
    QFETCH(bool, timer2);
    TempFolder folder;
    writeSettings("2", anim1.toLatin1().constData(), anim2.toLatin1().constData());
    MessageCatcher messages;
    MainMenuScreen menu;
    menu.startUp();
    QVERIFY(messages.seen.isEmpty());
    QCOMPARE(menuShown(menu), shownAtOnce);
    QCOMPARE(timer(menu, "Timer1")->isActive(), timer1);
    QCOMPARE(timer(menu, "Timer2")->isActive(), timer2);
}

void MainMenuScreenTest::startAnimationRunsFramesOneToThirteenThenShowsTheMenu()
{
    TempFolder folder;
    writeSettings("2", "1", "1");
    MainMenuScreen menu;
    menu.startUp();
    for (int tick = 1; tick <= 13; ++tick) {
        menu.timer1Tick();
        QCOMPARE(visibleFrames(menu), QList<int>{tick});
        QCOMPARE(menu.cursor().shape(), Qt::WaitCursor);
        QVERIFY(!menuShown(menu));
    }
    menu.timer1Tick(); // the 14th tick
    QCOMPARE(visibleFrames(menu), QList<int>{0});
    QVERIFY(menuShown(menu));
    QVERIFY(!timer(menu, "Timer1")->isActive());
    QVERIFY(timer(menu, "Timer2")->isActive());
}

void MainMenuScreenTest::picturesAreDrawnWhenFirstShown()
{
    TempFolder folder;
    writeSettings("2", "1", "1");
    MainMenuScreen menu;
    menu.startUp();
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    auto drawn = [&](const char* name) { return !child<QLabel>(&menu, name)->pixmap().isNull(); };
    QVERIFY(!drawn("concon_1") && !drawn("concon_5") && !drawn("micon1"));
    menu.timer1Tick();
    QVERIFY(drawn("concon_1"));
    QCOMPARE(child<QLabel>(&menu, "concon_1")->pixmap().deviceIndependentSize().toSize(), child<QLabel>(&menu, "concon_1")->size());
    QVERIFY(!drawn("concon_5"));
}

void MainMenuScreenTest::exitAnimationEndsTheProgramOnItsFourteenthTick()
{
    TempFolder folder;
    writeSettings("0", "1", "1");
    MainMenuScreen menu;
    int quits = 0;
    menu.setQuitHandler([&] { ++quits; });
    menu.startUp();
    for (int i = 0; i < 14; ++i)
        menu.timer1Tick();
    QVERIFY(menuShown(menu));
    menu.timer2Tick();
    QTest::mouseClick(child<QPushButton>(&menu, "cmdExit"), Qt::LeftButton);
    QVERIFY(!timer(menu, "Timer2")->isActive());
    QVERIFY(timer(menu, "Timer1")->isActive());
    QVERIFY(!child<QWidget>(&menu, "Imn")->isVisibleTo(&menu));
    QCOMPARE(menu.cursor().shape(), Qt::WaitCursor);
    menu.timer1Tick();
    QCOMPARE(visibleFrames(menu), QList<int>{13});
    QVERIFY(!child<QPushButton>(&menu, "cmdS")->isVisibleTo(&menu));
    QVERIFY(!child<QPushButton>(&menu, "cmdP")->isEnabled());
    for (int tick = 2; tick <= 13; ++tick) {
        menu.timer1Tick();
        QCOMPARE(visibleFrames(menu), QList<int>{14 - tick});
        QCOMPARE(quits, 0);
    }
    menu.timer1Tick();
    QCOMPARE(quits, 1);
    QVERIFY(visibleFrames(menu).isEmpty());
}

void MainMenuScreenTest::exitWithoutAnimationEndsAtOnce()
{
    TempFolder folder;
    writeSettings("0", "0", "0");
    MainMenuScreen menu;
    int quits = 0;
    menu.setQuitHandler([&] { ++quits; });
    menu.startUp();
    QTest::mouseClick(child<QPushButton>(&menu, "cmdExit"), Qt::LeftButton);
    QCOMPARE(quits, 1);
    QVERIFY(!timer(menu, "Timer1")->isActive());

    // Closing the window frame ends the program the same way.
    TempFolder other;
    writeSettings("0", "0", "0");
    MainMenuScreen second;
    int secondQuits = 0;
    second.setQuitHandler([&] { ++secondQuits; });
    second.startUp();
    second.show();
    second.close();
    QCOMPARE(secondQuits, 1);
}

void MainMenuScreenTest::exitDuringIdleHidesThePoseAndItsCaption()
{
    TempFolder folder;
    writeSettings("0", "1", "1");
    MainMenuScreen menu;
    menu.setQuitHandler([] {});
    menu.startUp();
    for (int i = 0; i < 14; ++i)
        menu.timer1Tick();
    menu.timer2Tick();
    menu.timer2Tick(); // pose 7 with "簡単な設定"
    QVERIFY(child<QWidget>(&menu, "concon_7")->isVisibleTo(&menu));
    QVERIFY(child<QLabel>(&menu, "L1_3")->isVisibleTo(&menu));
    menu.startExit();
    QVERIFY(!child<QWidget>(&menu, "concon_7")->isVisibleTo(&menu));
    QVERIFY(!child<QLabel>(&menu, "L1_3")->isVisibleTo(&menu));
}

void MainMenuScreenTest::idleCycleFollowsTheButtons()
{
    TempFolder folder;
    writeSettings("0", "1", "0");
    MainMenuScreen menu;
    menu.startUp();
    const QList<QPair<int, QString>> cycle = {{1, "姓名判断"}, {7, "簡単な設定"}, {3, "名前の作成"}, {9, "一度みてね"},
        {5, "漢字・かなの登録"}, {11, "簡易ヘルプ"}, {1, "姓名判断"}};
    for (const auto& [pose, caption] : cycle) {
        menu.timer2Tick();
        QCOMPARE(visibleFrames(menu), (QList<int>{0, pose}));
        QStringList captions;
        for (int i = 0; i < 6; ++i) {
            auto* label = child<QLabel>(&menu, QStringLiteral("L1_%1").arg(i));
            if (label->isVisibleTo(&menu))
                captions << label->text();
        }
        QCOMPARE(captions, QStringList{caption});
    }
    QCOMPARE(menu.idleStep(), 1);
}

void MainMenuScreenTest::unreadableSettingsFileIsLeftAloneAndTheMenuRunsOnTheDefaults()
{
    // Something that is not a regular file stands in its place: a FIFO would block an ordinary
    // open for good. (Permissions, which do not stop root, are tried by the start-up test.)
    for (const bool fifo : {true, false}) {
        TempFolder folder;
        if (fifo)
            QCOMPARE(::mkfifo("Kadelo.ini", 0644), 0);
        else
            std::filesystem::create_directories("Kadelo.ini/inside");
        MessageCatcher messages;
        MainMenuScreen menu;
        menu.setQuitHandler([] {});
        menu.startUp();
        QCOMPARE(messages.seen.size(), 1);
        const QString where = QDir::current().absoluteFilePath(QStringLiteral("Kadelo.ini"));
        QCOMPARE(messages.seen[0].text, QStringLiteral("設定ファイル「%1」を読み込めません。既定の設定で起動します。（Kadelo.ini is not a regular file）").arg(where));
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QVERIFY(fifo ? std::filesystem::is_fifo("Kadelo.ini") : std::filesystem::is_directory("Kadelo.ini/inside"));
        QCOMPARE(ui::menuSettings().aflag1, 1);
        QCOMPARE(ui::menuSettings().col[0], std::u32string(U"16777088"));
    }
}

void MainMenuScreenTest::unwritableSettingsFileIsReportedAndTheMenuStillWorks()
{
    TempFolder folder;
    // No file, and the name leads into a folder that does not exist: nothing can be written.
    std::filesystem::create_symlink("no/such/folder/Kadelo.ini", "Kadelo.ini");
    MessageCatcher messages;
    MainMenuScreen menu;
    menu.setQuitHandler([] {});
    menu.startUp();
    QCOMPARE(messages.seen.size(), 3);
    QVERIFY(messages.seen[2].text.startsWith(QStringLiteral("設定ファイル「Kadelo.ini」を作成できませんでした。")));
    QCOMPARE(messages.seen[2].icon, QMessageBox::Information);
    QCOMPARE(ui::menuSettings().aflag1, 1);
    QCOMPARE(ui::menuSettings().aflag2, 1);
    for (int i = 0; i < 14; ++i)
        menu.timer1Tick();
    QVERIFY(menuShown(menu));
}

void MainMenuScreenTest::pointerAfterStartAnimation()
{
    for (const char* mouse : {"0", "1", "2"}) {
        TempFolder folder;
        writeSettings(mouse, "0", "1");
        MainMenuScreen menu;
        menu.startUp();
        for (int i = 0; i < 14; ++i)
            menu.timer1Tick();
        const Qt::CursorShape expected = std::string(mouse) == "2" ? Qt::ArrowCursor : Qt::BitmapCursor;
        QCOMPARE(menu.cursor().shape(), expected);
    }
}

void MainMenuScreenTest::helpWithoutItsFileDoesNothing()
{
    TempFolder folder;
    shell::setSupplyFolders({"nowhere"});
    writeSettings("2", "0", "0");
    MessageCatcher messages;
    MainMenuScreen menu;
    menu.startUp();
    menu.show();
    const int windowsBefore = QApplication::topLevelWidgets().size();
    QTest::mouseClick(child<QPushButton>(&menu, "cmdHlp"), Qt::LeftButton);
    QTest::qWait(30);
    QVERIFY(messages.seen.isEmpty());
    QVERIFY(!ui::openScreen(QStringLiteral("help")));
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);

    // The help comes from where it is installed, never from an old copy in the data folder.
    writeBytes("kadelo_help.html", "<html><body><h1>old help</h1></body></html>");
    QTest::mouseClick(child<QPushButton>(&menu, "cmdHlp"), Qt::LeftButton);
    QVERIFY(!ui::openScreen(QStringLiteral("help")));
    std::filesystem::create_directories("installed");
    writeBytes("installed/kadelo_help.html", "<html><body><h1>new help</h1></body></html>");
    shell::setSupplyFolders({"nowhere", folder.path() / "installed"});
    QTest::mouseClick(child<QPushButton>(&menu, "cmdHlp"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&menu, "cmdHlp"), Qt::LeftButton);
    int helpWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        helpWindows += w->objectName() == QLatin1String("help") && w->isVisible();
    QCOMPARE(helpWindows, 1);
    QWidget* help = ui::openScreen(QStringLiteral("help"));
    QCOMPARE(child<QTextBrowser>(help, "helpText")->toPlainText(), QStringLiteral("new help"));
    help->close();
    shell::setSupplyFolders({});
}

void MainMenuScreenTest::buttonsSayWhatTheyOpen()
{
    TempFolder folder;
    writeSettings("2", "0", "0");
    MainMenuScreen menu;
    QCOMPARE(child<QPushButton>(&menu, "cmdS")->toolTip(), QStringLiteral("姓名判断：苗字と名前の画数から運勢をみます"));
    QSet<QString> tips;
    for (const QString& name : kSmallButtons + QStringList{QStringLiteral("cmdP")}) {
        const QString tip = child<QPushButton>(&menu, name)->toolTip();
        QVERIFY2(tip.contains(QStringLiteral("：")), qPrintable(name));
        tips << tip;
    }
    QCOMPARE(tips.size(), 8);
    QVERIFY(child<QPushButton>(&menu, "cmdHlp")->toolTip().contains(QStringLiteral("F1")));
}

namespace {

QWidget* helpWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("help") && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

void MainMenuScreenTest::f1OpensTheHelpFromEveryScreen()
{
    TempFolder folder;
    writeSettings("2", "0", "0");
    writeBytes("kadelo_help.html", "<html><body><h1>help</h1></body></html>");
    shell::setSupplyFolders({folder.path()});
    MessageCatcher messages;
    MainMenuScreen menu;
    menu.startUp();
    menu.show();

    QTest::keyClick(&menu, Qt::Key_F1);
    QVERIFY(helpWindow());
    helpWindow()->close();
    QTRY_VERIFY(!helpWindow());

    // From an ordinary screen, with the focus in one of its boxes.
    screens::openNaming(&menu);
    QWidget* naming = ui::openScreen(QStringLiteral("nfind"));
    QVERIFY(naming);
    QTest::keyClick(child<QWidget>(naming, "textN"), Qt::Key_F1);
    QVERIFY(helpWindow());
    helpWindow()->close();
    naming->close();
    QTRY_VERIFY(!helpWindow());

    // From a modal screen: the help opens over it, takes input, and goes when the screen closes.
    bool sawHelp = false;
    bool helpOverTheScreen = false;
    ModalWatcher<DictionaryScreen> watcher([&](DictionaryScreen* dictionary) {
        QTest::keyClick(child<QWidget>(dictionary, "T1"), Qt::Key_F1);
        QWidget* help = helpWindow();
        sawHelp = help != nullptr;
        helpOverTheScreen = help && help->parentWidget() == dictionary; // so the modal screen does not block it
        dictionary->reject();
    });
    QTest::mouseClick(child<QPushButton>(&menu, "cmdD"), Qt::LeftButton);
    QVERIFY(watcher.done());
    QVERIFY(sawHelp);
    QVERIFY(helpOverTheScreen);
    QTRY_VERIFY(!helpWindow());
    QVERIFY(messages.seen.isEmpty());
    shell::setSupplyFolders({});
}

void MainMenuScreenTest::layoutNamesAndBackground()
{
    TempFolder folder;
    writeSettings("2", "0", "0");
    MainMenuScreen menu;
    menu.startUp();
    QCOMPARE(menu.objectName(), QStringLiteral("main"));
    QCOMPARE(menu.windowTitle(), QStringLiteral("ぼくの名前は、zedi"));
    QCOMPARE(menu.size(), QSize(ui::twips(5295), ui::twips(2415)));
    QCOMPARE(child<QLabel>(&menu, "Label1")->text(), QStringLiteral("Kadelo"));
    const QStringList captions = {"姓名", "支援", "辞書", "設定", "情報", "HLP", "終了"};
    int left = -1;
    for (int i = 0; i < kSmallButtons.size(); ++i) {
        auto* b = child<QPushButton>(&menu, kSmallButtons[i]);
        QCOMPARE(b->text(), captions[i]);
        QVERIFY(b->x() > left); // one row, left to right
        QCOMPARE(b->y(), ui::twips(1680));
        left = b->x();
    }
    QCOMPARE(child<QPushButton>(&menu, "cmdP")->text(), QStringLiteral("動　物　占　い"));
    QCOMPARE(child<QPushButton>(&menu, "cmdP")->width(), menu.width());
    for (const char* name : {"micon1", "micon2", "Timer1", "Timer2"})
        QVERIFY(menu.findChild<QObject*>(QString::fromLatin1(name)));
    QCOMPARE(child<QWidget>(&menu, "concon_9")->pos(), QPoint(ui::twips(3195), ui::twips(1440)));
    // "No1=255" is pure red.
    QCOMPARE(menu.palette().color(QPalette::Window), QColor(255, 0, 0));
}

QTEST_MAIN(MainMenuScreenTest)
#include "main_menu_screen_test.moc"
