// The naming screen `nfind`, driven as a user would: typing, clicking, answering the message and
// input boxes; the list, the labels, the candidate file and the judgement screen checked afterwards.
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QWheelEvent>
#include <algorithm>
#include <QtTest>

#include "judgement/judgement_screen.h"
#include "naming/naming_screen.h"
#include "shell/openers.h"
#include "ui/screen_registry.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"

using namespace kadelo;
namespace kt = kadelo::testing;

namespace {

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

template <class T = QWidget>
T* get(QWidget* screen, const char* name)
{
    T* w = kt::child<T>(screen, QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Replaces a box's text one keystroke per character, kana committed by the input method.
void type(QWidget* screen, const char* name, const QString& text)
{
    auto* box = get<QLineEdit>(screen, name);
    box->setFocus();
    if (!box->text().isEmpty()) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
    }
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
            continue;
        }
        QInputMethodEvent event;
        event.setCommitString(QString(c));
        QApplication::sendEvent(box, &event);
    }
}

void click(QWidget* screen, const char* name)
{
    auto* button = get<QAbstractButton>(screen, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    const int x = qobject_cast<QCheckBox*>(button) ? 6 : button->width() / 2; // a check box's tick
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, button->height() / 2));
}

QString label(QWidget* screen, const char* name)
{
    return get<QLabel>(screen, name)->text();
}

bool shown(QWidget* screen, const char* name)
{
    return get(screen, name)->isVisible();
}

QStringList lines(QWidget* screen, const char* name)
{
    return get<QTextEdit>(screen, name)->toPlainText().split(QLatin1Char('\n'));
}

QStringList numbers(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << QString::number(n);
    return out;
}

QColor base(QWidget* screen, const char* name)
{
    return get(screen, name)->palette().color(QPalette::Base);
}

void writeDictionaries()
{
    kt::writeBytes(kt::u8path("漢字.dat"), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"翔\",12\r\n"));
    std::string kana = "\"た\",\"太\",4\r\n\"た\",\"多\",6\r\n\"た\",\"汰\",7\r\n\"ろう\",\"郎\",9\r\n\"ろう\",\"朗\",10\r\n"
                       "\"に\",\"二\",2\r\n\"に\",\"仁\",4\r\n\"に\",\"丹\",4\r\n"
                       "\"に\",\"爾\",14\r\n\"に\",\"児\",7\r\n";
    for (const QChar c : u8("一二三四五六七八九十百"))
        kana += "\"いち\",\"" + QString(c).toStdString() + "\",1\r\n";
    const QString thirty = u8("一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日");
    for (const char* reading : {"あ", "い", "う"})
        for (int n = 0; n < thirty.size(); ++n)
            kana += std::string("\"") + reading + "\",\"" + QString(thirty[n]).toStdString() + "\"," + std::to_string(1 + n % 20) + "\r\n";
    kt::writeBytes(kt::u8path("かな.dat"), kt::cp932(kana));
}

// Every message box seen, as "icon|title|text" (i information, ! warning).
QStringList seen(const kt::MessageCatcher& messages)
{
    QStringList out;
    for (const kt::SeenMessage& m : messages.seen)
        out << QStringLiteral("%1|%2|%3").arg(m.icon == QMessageBox::Information ? "i" : m.icon == QMessageBox::Warning ? "!" : "?", m.title, m.text);
    return out;
}

QString info(const char* text)
{
    return QStringLiteral("i|kadelo|") + u8(text);
}

// Answers "送る" with `answer`; gives the judgement screen's given name, surname and 総運 mark and
// the naming screen's nbuf as they are when it opens, then closes it.
QStringList sendAndLook(NamingScreen* screen, const QString& answer)
{
    QStringList there;
    kt::InputAnswerer input(answer);
    kt::ModalWatcher<JudgementScreen> judgement([&](JudgementScreen* dlg) {
        there << get<QLineEdit>(dlg, "textNin")->text() << get<QLineEdit>(dlg, "textMin")->text()
              << get<QLabel>(dlg, "soukaku")->text() << screen->nbuf;
        dlg->close();
    });
    click(screen, "cmdsend");
    return there;
}

// The four marks of an entry, or nothing when it has none.
QString marksOf(const QString& entry)
{
    const int gap = entry.lastIndexOf(QStringLiteral("  "));
    return gap < 0 ? QString() : entry.mid(gap + 2);
}

int scoreOf(const QString& entry)
{
    int score = 0;
    for (const QChar m : marksOf(entry))
        score += m == u8("◎")[0] ? 2 : m == u8("○")[0] ? 1 : m == u8("×")[0] ? -1 : m == u8("★")[0] ? -2 : 0;
    return score;
}

bool isGood(const QString& entry)
{
    const QString marks = marksOf(entry);
    return marks.size() == 4 && QRegularExpression(u8("^[◎○]{4}$")).match(marks).hasMatch();
}

// Every entry of the list as shown, page after page, read from the list box.
QStringList everyShownLine(QWidget* screen)
{
    auto* vs = get<QScrollBar>(screen, "VS");
    QStringList all;
    for (int v = 0;; v = std::min(v + 10, vs->maximum())) {
        vs->setValue(v);
        all << lines(screen, "textIn").mid(all.size() - v);
        if (v == vs->maximum())
            break;
    }
    vs->setValue(0);
    while (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}

// The point of line `line` (from 0) of the list box, in its viewport.
QPoint linePoint(QWidget* screen, int line)
{
    auto* box = get<QTextEdit>(screen, "textIn");
    QTextCursor cursor(box->document()->findBlockByNumber(line));
    return box->cursorRect(cursor).center() + QPoint(4, 0);
}

void wheel(QWidget* target, int notches)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class NamingScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void opening();
    void hitsGenerationGradingAndPaging();
    void largeRunWithBarAndTime();
    void refusalsKeysFocusAndColours();
    void writingTheCandidateFile();
    void sendingAndResets();
    void sendingToAnOpenJudgementScreen();
    void surnameWithoutCountIsNotGradedAgainst();
    void kanaAddedOnTheDictionaryScreenIsFoundAtTheNextKeystroke();
    void theTraditionalWayGradesByTraditionalCounts();
    void goodNamesOnlyAndOrderByMarks();
    void wheelAndDoubleClickOnTheList();
};

void NamingScreenTest::init()
{
    MenuSettings settings;
    settings.mflag = 2;
    ui::menuSettings() = settings; // empty colour texts: the default colours
}

void NamingScreenTest::opening()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::writeBytes(kt::u8path("Kadelo.ini"), kt::cp932("[Kadelo]\r\nFamily name=\r\nName=太郎\r\nFamily name=山田\r\nFamily name=佐藤\r\n"));
    ui::menuSettings().col[7] = U"255";      // colour 8: red
    ui::menuSettings().col[21] = U"16711680"; // colour 22: blue
    ui::menuSettings().mflag = 1;
    NamingScreen screen;
    screen.show();

    QCOMPARE(screen.objectName(), QStringLiteral("nfind"));
    QCOMPARE(screen.windowTitle(), u8("名前決めるの、お手伝いしま～す。"));
    QCOMPARE(get<QLineEdit>(&screen, "textN")->text(), u8("山田")); // the first family name that is not empty
    QCOMPARE(screen.surnameCounts(), (naming::SurnameCounts{3, 5, 0}));
    QCOMPARE(get(&screen, "textIn")->geometry(), QRect(ui::twips(3600), ui::twips(240), ui::twips(2415), ui::twips(2415)));
    QCOMPARE(get(&screen, "hit5")->pos(), QPoint(ui::twips(3240), ui::twips(3000)));
    QVERIFY(get<QCheckBox>(&screen, "sex")->isChecked() && !get<QCheckBox>(&screen, "cbar")->isChecked());
    for (const char* name : {"hit1", "hit2", "hit3", "hit4", "hit5", "ltime", "Bar1"})
        QVERIFY2(!shown(&screen, name), name);

    QCOMPARE(base(&screen, "textN"), QColor(255, 255, 192));
    QCOMPARE(base(&screen, "Tno"), QColor(192, 255, 192));
    QCOMPARE(base(&screen, "Textn2"), QColor(0, 255, 255));
    QCOMPARE(get(&screen, "ctime")->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(get(&screen, "cmdsend")->palette().color(QPalette::Button), QColor(0, 0, 255));
    QVERIFY(screen.testAttribute(Qt::WA_SetCursor)); // the second custom pointer
}

void NamingScreenTest::hitsGenerationGradingAndPaging()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 3"));
    QCOMPARE(label(&screen, "hit4"), u8("3通り"));
    QVERIFY(shown(&screen, "hit1") && shown(&screen, "hit4") && !shown(&screen, "hit2"));
    QCOMPARE(label(&screen, "hit5"), u8("作成可能数"));
    type(&screen, "Textn2", u8("ろう"));
    QCOMPARE(label(&screen, "hit2"), QStringLiteral("hit 2"));
    QCOMPARE(label(&screen, "hit4"), u8("6通り"));

    QCursor::setPos(200, 200);
    click(&screen, "ComFind");
    // 山 3, 田 5 with 太 4, 郎 9: 21 ◎ (boy), 9 ▲, 12 ▲, 22 ▲.
    QCOMPARE(lines(&screen, "textIn"), (QStringList{u8("太郎  ◎▲▲▲"), u8("太朗  ▲▲◎◎"), u8("多郎  ◎◎▲▲"), u8("多朗  ◎◎◎×"),
                                          u8("汰郎  ◎▲▲○"), u8("汰朗  ▲▲◎◎"), "", "", "", ""}));
    QCOMPARE(lines(&screen, "Tno"), numbers(1, 10));
    QCOMPARE(label(&screen, "hit5"), u8("作成終了"));
    QVERIFY(!shown(&screen, "ltime") && !shown(&screen, "Bar1"));
    QCOMPARE(QCursor::pos(), QPoint(200, 200)); // the pointer stays where it was
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    click(&screen, "sex"); // girl: 21 is ▲
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").first(), u8("太郎  ▲▲▲▲"));

    // Ungraded, with Time: the entries end in two spaces, the elapsed time is shown.
    click(&screen, "chan");
    click(&screen, "ctime");
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").mid(0, 2), (QStringList{u8("太郎  "), u8("太朗  ")}));
    QVERIFY2(QRegularExpression(u8("^作成time \\d+\\.\\d\\d 秒$")).match(label(&screen, "ltime")).hasMatch(),
        qPrintable(label(&screen, "ltime")));
    QVERIFY(shown(&screen, "ltime"));

    // 11 candidates: the scroll bar moves one entry; a new generation starts at the first page again.
    auto* vs = get<QScrollBar>(&screen, "VS");
    get<QLineEdit>(&screen, "Textn2")->clear();
    type(&screen, "Textn1", u8("いち"));
    click(&screen, "ComFind");
    QCOMPARE(vs->maximum(), 1);
    QTest::keyClick(vs, Qt::Key_Down);
    QCOMPARE(lines(&screen, "Tno"), numbers(2, 11));
    QCOMPARE(lines(&screen, "textIn").last(), u8("百  "));
    click(&screen, "ComFind");
    QCOMPARE(vs->value(), 0);
    QCOMPARE(lines(&screen, "textIn").first(), u8("一  "));
}

void NamingScreenTest::largeRunWithBarAndTime()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("あ"));
    type(&screen, "Textn2", u8("い"));
    type(&screen, "Textn3", u8("う"));
    QCOMPARE(label(&screen, "hit4"), u8("27000通り"));
    click(&screen, "cbar");
    click(&screen, "ctime");
    // While the run goes on the busy pointer shows; afterwards the ordinary one is back.
    QList<Qt::CursorShape> during;
    QObject::connect(get<QProgressBar>(&screen, "Bar1"), &QProgressBar::valueChanged, &screen, [&during] {
        during << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
    });
    click(&screen, "ComFind");
    QVERIFY(!during.isEmpty());
    QVERIFY(std::all_of(during.begin(), during.end(), [](Qt::CursorShape c) { return c == Qt::WaitCursor; }));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    QCOMPARE(screen.candidates().ncount, 27000);
    QCOMPARE(get<QScrollBar>(&screen, "VS")->maximum(), 26990);
    QVERIFY(!shown(&screen, "Bar1"));
    // The bar is set only when its filled width changes, not once per entry.
    const int barWidth = get(&screen, "Bar1")->width();
    QVERIFY2(screen.barUpdates() > 0 && screen.barUpdates() <= barWidth, qPrintable(QString::number(screen.barUpdates())));
    qInfo("27,000 graded candidates with Bar and Time: %s (bar set %d times)", qPrintable(label(&screen, "ltime")),
        screen.barUpdates());
    get<QScrollBar>(&screen, "VS")->setValue(26990);
    QCOMPARE(lines(&screen, "Tno"), numbers(26991, 27000));
    QVERIFY(lines(&screen, "textIn").last().startsWith(u8("日日日  ")));
}

void NamingScreenTest::refusalsKeysFocusAndColours()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind");
    const QStringList page = lines(&screen, "textIn");

    get<QLineEdit>(&screen, "Textn1")->clear();
    click(&screen, "ComFind");
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn3", u8("ろう"));
    click(&screen, "ComFind");
    QCOMPARE(seen(messages), (QStringList{info(" かな１を入力してください。"), info(" かな２を、入力してください。")}));
    QCOMPARE(lines(&screen, "textIn"), page);
    QCOMPARE(screen.candidates().ncount, 3);

    for (const char* name : {"textIn", "Tno"}) {
        auto* box = get<QTextEdit>(&screen, name);
        const QString before = box->toPlainText();
        box->setFocus();
        QTest::keyClicks(box, "abc");
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->toPlainText(), before);
    }

    const char* order[] = {"textN", "Textn1", "Textn2", "Textn3", "ComFind"};
    get(&screen, "textN")->setFocus();
    for (int n = 0; n < 4; ++n) {
        QTest::keyClick(screen.focusWidget(), n == 2 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(screen.focusWidget(), get(&screen, order[n + 1]));
    }
    QCOMPARE(label(&screen, "hit5"), u8("作成可能数")); // Enter on box 3 does not generate

    click(&screen, "sex");
    for (const char* name : {"textIn", "Textn1", "Textn2", "Textn3"})
        QCOMPARE(base(&screen, name), QColor(255, 192, 255));
    QCOMPARE(base(&screen, "Tno"), QColor(192, 255, 192));
    click(&screen, "sex");
    QCOMPARE(base(&screen, "textIn"), QColor(0, 255, 255));
}

void NamingScreenTest::writingTheCandidateFile()
{
    kt::TempFolder folder;
    writeDictionaries();
    std::filesystem::create_directory("sub");
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();

    click(&screen, "cmdView");
    type(&screen, "textN", u8("山田"));
    click(&screen, "cmdView");
    type(&screen, "Textn1", u8("た"));
    click(&screen, "cmdView");
    click(&screen, "chan");
    type(&screen, "Textn2", u8("ろう"));
    click(&screen, "ComFind");
    kt::writeBytes(kt::u8path("山田たろう.txt"), std::string(300, 'x')); // rewritten, not appended to
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{info("かなを入力してください。"), info("かなを入力してください。"),
                                 info("作成してから、保存します。"), info("保存しました。")}));
    QCOMPARE(kt::readBytes(kt::u8path("山田たろう.txt")), kt::cp932("太郎  \r\n太朗  \r\n多郎  \r\n多朗  \r\n汰郎  \r\n汰朗  \r\n\r\n"));

    // The file is named after the generation that made the list, not after the boxes as they are
    // now: boxes typed back to an older list's readings never overwrite that list's file.
    const std::string taroList = kt::readBytes(kt::u8path("山田たろう.txt"));
    get<QLineEdit>(&screen, "Textn2")->clear();
    type(&screen, "Textn1", u8("に"));
    click(&screen, "ComFind");
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn2", u8("ろう"));
    get<QLineEdit>(&screen, "textN")->clear();
    messages.seen.clear();
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), QStringList{info("保存しました。")});
    QCOMPARE(kt::readBytes(kt::u8path("山田たろう.txt")), taroList);
    QCOMPARE(kt::readBytes(kt::u8path("山田に.txt")), kt::cp932("二  \r\n仁  \r\n丹  \r\n爾  \r\n児  \r\n\r\n"));
    QVERIFY(!std::filesystem::exists(kt::u8path("たろう.txt")));

    // Names that are no plain file name of this folder, and a read-only file: a message, nothing written.
    kt::writeBytes(kt::u8path("たろう.txt"), "keep");
    std::filesystem::permissions(kt::u8path("たろう.txt"), std::filesystem::perms::owner_read);
    messages.seen.clear();
    for (const char* surname : {"sub/", "../", ".", "😀", ""}) {
        get<QLineEdit>(&screen, "textN")->setText(u8(surname));
        click(&screen, "ComFind");
        click(&screen, "cmdView");
    }
    QCOMPARE(messages.seen.size(), 5);
    for (const kt::SeenMessage& m : messages.seen) {
        QCOMPARE(m.icon, QMessageBox::Information);
        QVERIFY2(m.text.contains(u8("ファイル名に使えません")) || m.text.contains(u8("保存できませんでした")), qPrintable(m.text));
    }
    QVERIFY(messages.seen.last().text.contains(u8("保存できませんでした")));
    QCOMPARE(kt::readBytes(kt::u8path("たろう.txt")), std::string("keep"));
    QVERIFY(std::filesystem::is_empty("sub"));
    QVERIFY(!std::filesystem::exists(folder.path().parent_path() / kt::u8path("たろう.txt")));
    std::filesystem::permissions(kt::u8path("たろう.txt"), std::filesystem::perms::owner_all);
}

void NamingScreenTest::sendingAndResets()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    click(&screen, "cmdsend");
    QCOMPARE(seen(messages), QStringList{info(" 作成してから、ボタンを押してください。")});

    click(&screen, "chan");
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind"); // 太, 多, 汰
    const std::pair<const char*, const char*> refused[] = {{"4", "4"}, {"abc", "0"}, {"100000", "100000"}};
    for (const auto& [answer, number] : refused) {
        messages.seen.clear();
        kt::InputAnswerer input(u8(answer));
        click(&screen, "cmdsend");
        QCOMPARE(input.prompts, QStringList{u8(" 何番の名前を、姓名判断に送りますか？ ")});
        QCOMPARE(seen(messages), QStringList{QStringLiteral("!|kadelo|%1 番はありません。").arg(number)});
    }
    messages.seen.clear();
    {
        kt::InputAnswerer cancel(QString(), true);
        click(&screen, "cmdsend");
    }

    // The judgement screen opens with the entry (cut to three characters there) and the surname, and
    // no judgement; nbuf has been emptied.
    type(&screen, "textN", u8("山田"));
    QCOMPARE(sendAndLook(&screen, QStringLiteral("2")), (QStringList{u8("多  "), u8("山田"), QString(), QString()}));
    type(&screen, "Textn1", u8("に"));
    click(&screen, "ComFind"); // 二, 仁, 丹, 爾, 児
    QCOMPARE(sendAndLook(&screen, QStringLiteral("3.5")).first(), u8("爾  ")); // halves to even
    QCOMPARE(messages.seen.size(), 0);

    // Reset: the readings and the view go, the surname and the list stay; entry 1 can still be sent.
    click(&screen, "ctime");
    click(&screen, "ComFind");
    click(&screen, "cmdFcls");
    for (const char* name : {"Textn1", "Textn2", "Textn3"})
        QCOMPARE(get<QLineEdit>(&screen, name)->text(), QString());
    QCOMPARE(get<QLineEdit>(&screen, "textN")->text(), u8("山田"));
    QCOMPARE(get<QTextEdit>(&screen, "textIn")->toPlainText(), QString());
    QCOMPARE(get<QTextEdit>(&screen, "Tno")->toPlainText(), QString());
    for (const char* name : {"hit1", "hit4", "hit5", "ltime"})
        QVERIFY2(!shown(&screen, name), name);
    QCOMPARE(screen.candidates().ncount, 5);
    QCOMPARE(sendAndLook(&screen, QStringLiteral("1")).first(), u8("二  "));
    {
        kt::InputAnswerer input(QStringLiteral("2"));
        click(&screen, "cmdsend");
    }
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{QStringLiteral("!|kadelo|2 番はありません。"), info("かなを入力してください。")}));

    type(&screen, "Textn1", u8("た"));
    click(&screen, "allcls");
    for (const char* name : {"textN", "Textn1"})
        QCOMPARE(get<QLineEdit>(&screen, name)->text(), QString());
    QVERIFY(!shown(&screen, "hit4") && !shown(&screen, "hit1"));
    QCOMPARE(screen.candidates().ncount, 5);
}

// Every visible window `kadelo`.
QList<QWidget*> judgementWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("kadelo") && w->isVisible())
            found << w;
    return found;
}

void NamingScreenTest::sendingToAnOpenJudgementScreen()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn2", u8("ろう"));
    click(&screen, "ComFind"); // 太郎 太朗 多郎 …

    // A judgement screen opened from the menu, with a judgement of its own on view.
    screens::openJudgement(nullptr);
    QPointer<QWidget> judgement = ui::openScreen(QStringLiteral("kadelo"));
    QVERIFY(judgement);
    get<QLineEdit>(judgement, "textMin")->setText(u8("田"));
    get<QLineEdit>(judgement, "textNin")->setText(u8("山"));
    QTest::mouseClick(get<QPushButton>(judgement, "Command1"), Qt::LeftButton);
    QVERIFY(!get<QLabel>(judgement, "ls")->text().isEmpty());
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));

    // "送る" hands the name to that screen, which comes forward; the naming screen does not wait.
    {
        kt::InputAnswerer input(QStringLiteral("3"));
        click(&screen, "cmdsend");
    }
    QCOMPARE(judgementWindows(), QList<QWidget*>{judgement.data()});
    QCOMPARE(get<QLineEdit>(judgement, "textNin")->text(), u8("多郎 "));
    QCOMPARE(get<QLineEdit>(judgement, "textMin")->text(), u8("山田"));
    QCOMPARE(get<QLabel>(judgement, "lm2")->text(), QStringLiteral("5"));
    QCOMPARE(get<QLabel>(judgement, "lm1")->text(), QStringLiteral("3"));
    QCOMPARE(get<QLabel>(judgement, "ls")->text(), QString()); // counted, not judged
    QCOMPARE(screen.nbuf, QString());
    QVERIFY(QTest::qWaitForWindowActive(judgement));
    QCOMPARE(QApplication::activeWindow(), judgement.data());

    // Again, once it is closed: a modal one opens as before, and still only one.
    judgement->close();
    QTRY_VERIFY(judgementWindows().isEmpty());
    int windows = -1;
    kt::InputAnswerer input(QStringLiteral("1"));
    kt::ModalWatcher<JudgementScreen> modal([&](JudgementScreen* dlg) {
        windows = judgementWindows().size();
        QCOMPARE(get<QLineEdit>(dlg, "textNin")->text(), u8("太郎 "));
        dlg->close();
    });
    click(&screen, "cmdsend");
    QVERIFY(modal.done());
    QCOMPARE(windows, 1);
    QCOMPARE(messages.seen.size(), 0);
}

void NamingScreenTest::surnameWithoutCountIsNotGradedAgainst()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind");
    const QStringList page = lines(&screen, "textIn");

    // 𠮷 (no Shift-JIS form) and ｱ are not in 漢字.dat: grading against them would grade against 0.
    type(&screen, "textN", u8("𠮷田ｱ"));
    type(&screen, "Textn1", u8("に"));
    click(&screen, "ComFind");
    QCOMPARE(seen(messages), QStringList{info("苗字の「𠮷ｱ」の画数が辞書にありません。")});
    QCOMPARE(lines(&screen, "textIn"), page);
    QCOMPARE(screen.candidates().ncount, 3);
    click(&screen, "cmdView");
    const QString kept = page.mid(0, 3).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n");
    QCOMPARE(kt::readBytes(kt::u8path("山田た.txt")), kt::cp932(kept.toStdString()));

    // Ungraded, the surname plays no part.
    messages.seen.clear();
    click(&screen, "chan");
    click(&screen, "ComFind");
    QCOMPARE(messages.seen.size(), 0);
    QCOMPARE(screen.candidates().ncount, 5);
}

void NamingScreenTest::kanaAddedOnTheDictionaryScreenIsFoundAtTheNextKeystroke()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    type(&screen, "Textn1", u8("しょ"));
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 0"));

    kt::ModalWatcher<QDialog> dictionary([&](QDialog* jisyo) {
        QCOMPARE(jisyo->objectName(), QStringLiteral("jisyo"));
        get<QTabWidget>(jisyo, "SSTab1")->setCurrentIndex(1);
        get<QLineEdit>(jisyo, "textIN")->setText(u8("翔"));
        get<QLineEdit>(jisyo, "textK1")->setText(u8("しょう"));
        QTest::mouseClick(get<QPushButton>(jisyo, "cmdwrite"), Qt::LeftButton);
        jisyo->close();
    });
    click(&screen, "cmdJ");
    QVERIFY(dictionary.done());
    QCOMPARE(seen(messages), QStringList{info("しょう 登録しました。")});

    QInputMethodEvent u;
    u.setCommitString(u8("う"));
    QApplication::sendEvent(get(&screen, "Textn1"), &u);
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 1"));
    QCOMPARE(screen.kanaBoxes()[0].kaku[0], 12);
}

void NamingScreenTest::theTraditionalWayGradesByTraditionalCounts()
{
    kt::TempFolder folder;
    writeDictionaries();
    // 田 counts 5 either way; traditionally 太 counts 4, 多 6 and 汰 水 4 + 4 = 8 (7 in かな.dat).
    kt::writeBytes(kt::u8path("旧字体.dat"), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"太\",4\r\n\"多\",6\r\n\"汰\",8\r\n"));
    kt::writeBytes(kt::u8path("画数.ini"), "Way=1\r\nNumerals=0\r\n");
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    QCOMPARE(screen.surnameCounts(), (naming::SurnameCounts{3, 5, 0}));
    QCOMPARE(screen.kanaBoxes()[0].kaku[2], 8);
    click(&screen, "ComFind");
    // 山田汰: 総運 16 ◎, 社会運 13 ◎, 人生運 11 ◎, 伏運 21 ◎ (with 7 it would be 15 ◎, 12 ▲, 10 ×, 19 ×).
    QVERIFY(get<QTextEdit>(&screen, "textIn")->toPlainText().contains(u8("汰  ◎◎◎◎")));
}

void NamingScreenTest::goodNamesOnlyAndOrderByMarks()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    auto* good = get<QCheckBox>(&screen, "chkGood");
    auto* order = get<QCheckBox>(&screen, "chkOrder");
    QVERIFY(!good->isChecked() && !order->isChecked() && good->isEnabled() && order->isEnabled());

    // 評価順 alone: 山田 + た/ろう, marks summed (see hitsGenerationGradingAndPaging), ties as generated.
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn2", u8("ろう"));
    click(&screen, "ComFind");
    click(&screen, "chkOrder");
    QCOMPARE(lines(&screen, "textIn").mid(0, 6), (QStringList{u8("多朗  ◎◎◎×"), u8("太朗  ▲▲◎◎"), u8("多郎  ◎◎▲▲"),
                                                   u8("汰朗  ▲▲◎◎"), u8("汰郎  ◎▲▲○"), u8("太郎  ◎▲▲▲")}));
    QCOMPARE(label(&screen, "hit4"), u8("6 / 6通り"));
    QCOMPARE(sendAndLook(&screen, QStringLiteral("1")).first(), u8("多朗 ")); // the shown numbering (cut to 3 there)
    click(&screen, "cmdView");
    QCOMPARE(kt::readBytes(kt::u8path("山田たろう.txt")),
        kt::cp932("多朗  ◎◎◎×\r\n太朗  ▲▲◎◎\r\n多郎  ◎◎▲▲\r\n汰朗  ▲▲◎◎\r\n汰郎  ◎▲▲○\r\n太郎  ◎▲▲▲\r\n\r\n"));
    // None of them is a good name: nothing to show, write or send.
    click(&screen, "chkGood");
    QCOMPARE(label(&screen, "hit4"), u8("0 / 6通り"));
    QCOMPARE(lines(&screen, "textIn"), QStringList(10, QString()));
    messages.seen.clear();
    click(&screen, "cmdView");
    {
        kt::InputAnswerer input(QStringLiteral("1"));
        click(&screen, "cmdsend");
    }
    QCOMPARE(seen(messages), (QStringList{info("表示している名前がないので、保存しませんでした。"),
                                 QStringLiteral("!|kadelo|1 番はありません。")}));
    click(&screen, "chkGood");
    click(&screen, "chkOrder");
    QCOMPARE(label(&screen, "hit4"), u8("6通り")); // both off: as before
    QCOMPARE(lines(&screen, "textIn").first(), u8("太郎  ◎▲▲▲"));

    // 900 candidates: the good ones, in generation order, then best first.
    type(&screen, "Textn1", u8("あ"));
    type(&screen, "Textn2", u8("い"));
    click(&screen, "ComFind");
    const QStringList all = everyShownLine(&screen);
    QCOMPARE(all.size(), 900);
    QStringList goodOnes;
    for (const QString& entry : all)
        if (isGood(entry))
            goodOnes << entry;
    QVERIFY(goodOnes.size() > 10 && goodOnes.size() < 900);
    click(&screen, "chkGood");
    QCOMPARE(label(&screen, "hit4"), QStringLiteral("%1 / 900通り").arg(goodOnes.size()));
    QCOMPARE(get<QScrollBar>(&screen, "VS")->maximum(), goodOnes.size() - 10);
    QCOMPARE(everyShownLine(&screen), goodOnes);
    click(&screen, "chkOrder");
    QStringList best = goodOnes;
    std::stable_sort(best.begin(), best.end(), [](const QString& a, const QString& b) { return scoreOf(a) > scoreOf(b); });
    QCOMPARE(everyShownLine(&screen), best);
    // A new generation keeps the choice.
    click(&screen, "ComFind");
    QCOMPARE(everyShownLine(&screen), best);
    QCOMPARE(label(&screen, "hit4"), QStringLiteral("%1 / 900通り").arg(goodOnes.size()));

    // Without grading the two are off and greyed, whatever their ticks; the whole list is back.
    click(&screen, "chan");
    QVERIFY(!good->isEnabled() && !order->isEnabled());
    QVERIFY(good->isChecked() && order->isChecked());
    QCOMPARE(label(&screen, "hit4"), u8("900通り"));
    QCOMPARE(everyShownLine(&screen), all);
    click(&screen, "chan");
    QCOMPARE(everyShownLine(&screen), best);
}

void NamingScreenTest::wheelAndDoubleClickOnTheList()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("いち"));
    click(&screen, "ComFind"); // 11 names: 一 … 百
    auto* vs = get<QScrollBar>(&screen, "VS");
    auto* textIn = get<QTextEdit>(&screen, "textIn");
    auto* tno = get<QTextEdit>(&screen, "Tno");

    // The wheel turns the list over either box, as it turns the scroll bar.
    wheel(textIn->viewport(), 1);
    QCOMPARE(vs->value(), 1);
    QCOMPARE(lines(&screen, "Tno").first(), QStringLiteral("2"));
    wheel(tno->viewport(), -1);
    QCOMPARE(vs->value(), 0);
    QVERIFY(lines(&screen, "textIn").first().startsWith(u8("一  ")));

    // A double-click sends the line, as "送る" with its number would: no question asked.
    vs->setValue(1);
    QStringList there;
    kt::InputAnswerer input(QStringLiteral("9")); // would answer a question, were one asked
    {
        kt::ModalWatcher<JudgementScreen> judgement([&](JudgementScreen* dlg) {
            there << get<QLineEdit>(dlg, "textNin")->text() << get<QLineEdit>(dlg, "textMin")->text();
            dlg->close();
        });
        QTest::mouseDClick(textIn->viewport(), Qt::LeftButton, {}, linePoint(&screen, 2));
        QTRY_VERIFY(judgement.done());
    }
    QCOMPARE(there, (QStringList{lines(&screen, "textIn")[2].left(3), u8("山田")}));
    QCOMPARE(lines(&screen, "Tno")[2], QStringLiteral("4"));
    QVERIFY(input.prompts.isEmpty());
    QVERIFY(messages.seen.isEmpty());

    // An empty line sends nothing.
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind"); // 3 names
    int opened = 0;
    kt::ModalWatcher<JudgementScreen> none([&](JudgementScreen* dlg) {
        ++opened;
        dlg->close();
    });
    QTest::mouseDClick(textIn->viewport(), Qt::LeftButton, {}, linePoint(&screen, 5));
    QTest::qWait(50);
    QCOMPARE(opened, 0);
    QVERIFY(messages.seen.isEmpty());
}

QTEST_MAIN(NamingScreenTest)
#include "naming_screen_test.moc"
