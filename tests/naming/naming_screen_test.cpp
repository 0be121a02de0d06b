// The naming screen `nfind`, driven as a user would: typing into the boxes, clicking the buttons and
// the scroll bar, answering the message and input boxes; the list, the labels and the candidate file
// checked afterwards.
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "judgement/judgement_screen.h"
#include "naming/naming_screen.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"

using namespace kadelo;
namespace kt = kadelo::testing;

namespace {

const QColor kCyan(0, 255, 255);
const QColor kPink(255, 192, 255);

template <class T>
T* get(QWidget* screen, const char* name)
{
    T* w = kt::child<T>(screen, QString::fromLatin1(name));
    if (!w)
        qFatal("the naming screen has no control %s", name);
    return w;
}

// Replaces the text of a box as typed, one keystroke per character: ASCII from the keyboard,
// everything else committed by the input method.
void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    if (!box->text().isEmpty()) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
    }
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QApplication::sendEvent(box, &event);
        }
    }
}

void type(QWidget* screen, const char* box, const QString& text)
{
    typeInto(get<QLineEdit>(screen, box), text);
}

void click(QWidget* screen, const char* name)
{
    auto* button = get<QAbstractButton>(screen, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    // A check box reacts on its indicator and caption only, at its left.
    const int x = qobject_cast<QCheckBox*>(button) ? 6 : button->width() / 2;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, button->height() / 2));
}

QString label(QWidget* screen, const char* name)
{
    return get<QLabel>(screen, name)->text();
}

bool shown(QWidget* screen, const char* name)
{
    return get<QWidget>(screen, name)->isVisible();
}

QStringList lines(QWidget* screen, const char* name)
{
    return get<QPlainTextEdit>(screen, name)->toPlainText().split(QLatin1Char('\n'));
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
    return get<QWidget>(screen, name)->palette().color(QPalette::Base);
}

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const char* kThirty = "一二三四五六七八九十百千万円山川田中林森木本上下左右大小月日";

// The stroke dictionary and kana file of these tests.
void writeDictionaries()
{
    kt::writeBytes(kt::u8path("漢字.dat"), kt::cp932("\"山\",3\r\n\"田\",5\r\n\"佐\",7\r\n\"木\",4\r\n\"翔\",12\r\n"));
    std::string kana = "\"た\",\"太\",4\r\n\"た\",\"多\",6\r\n\"た\",\"汰\",7\r\n\"ろう\",\"郎\",9\r\n\"ろう\",\"朗\",10\r\n"
                       "\"さ\",\"佐\",7\r\n\"さ\",\"沙\",7\r\n\"に\",\"二\",2\r\n\"に\",\"仁\",4\r\n\"に\",\"丹\",4\r\n"
                       "\"に\",\"爾\",14\r\n\"に\",\"児\",7\r\n";
    const QString eleven = u8("一二三四五六七八九十百");
    for (const QChar c : eleven)
        kana += "\"いち\",\"" + QString(c).toStdString() + "\",1\r\n";
    const QString thirty = u8(kThirty);
    for (const char* reading : {"あ", "い", "う"})
        for (int n = 0; n < thirty.size(); ++n)
            kana += std::string("\"") + reading + "\",\"" + QString(thirty[n]).toStdString() + "\"," + std::to_string(1 + n % 20) + "\r\n";
    kt::writeBytes(kt::u8path("かな.dat"), kt::cp932(kana));
}

// Every message box seen, as "icon|title|text".
QStringList seen(const kt::MessageCatcher& messages)
{
    QStringList out;
    for (const kt::SeenMessage& m : messages.seen)
        out << QStringLiteral("%1|%2|%3").arg(m.icon == QMessageBox::Information ? "i" : m.icon == QMessageBox::Warning ? "!" : "?", m.title, m.text);
    return out;
}

// Answers "送る" with `answer` and gives what the judgement screen shows when it opens:
// given name, surname, its 総運 mark and the naming screen's nbuf at that moment; then closes it.
QStringList sendAndLook(NamingScreen* screen, const QString& answer)
{
    QStringList seenThere;
    kt::InputAnswerer input(answer);
    kt::ModalWatcher<JudgementScreen> judgement([&](JudgementScreen* dlg) {
        seenThere << dlg->findChild<QLineEdit*>(QStringLiteral("textNin"))->text()
                  << dlg->findChild<QLineEdit*>(QStringLiteral("textMin"))->text()
                  << dlg->findChild<QLabel*>(QStringLiteral("soukaku"))->text() << screen->nbuf;
        dlg->close();
    });
    click(screen, "cmdsend");
    return seenThere;
}

QString info(const QString& text)
{
    return QStringLiteral("i|kadelo|") + text;
}

QString warning(const QString& text)
{
    return QStringLiteral("!|kadelo|") + text;
}

} // namespace

class NamingScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void openingLayoutColoursAndSurnameFromSettings();
    void kanaBoxesShowTheirHitsAndThePossibleCount();
    void generationListsGradedCandidatesInOrder();
    void refusedGenerationChangesNothing();
    void pagingTenAtATime();
    void largeGradedRunWithBarAndTime();
    void listBoxesTakeNoKeysAndEnterMovesTheFocus();
    void boyAndGirlColours();
    void writingTheCandidateFile();
    void unsafeOrUnwritableFileNamesAreRefused();
    void sendingAskForANumber();
    void resetsKeepTheList();
    void kanaAddedOnTheDictionaryScreenIsFoundAtTheNextKeystroke();
};

void NamingScreenTest::init()
{
    MenuSettings settings;
    settings.mflag = 2;
    for (int i = 0; i < kColourCount; ++i)
        settings.col[i] = text::numberField(SettingsFile::defaultColours()[i]);
    ui::menuSettings() = settings;
}

void NamingScreenTest::openingLayoutColoursAndSurnameFromSettings()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::writeBytes(kt::u8path("Kadelo.ini"), kt::cp932("[Kadelo]\r\nFamily name=\r\nName=太郎\r\nFamily name=山田\r\nFamily name=佐藤\r\n"));
    ui::menuSettings().col[7] = U"255";     // colour 8: red
    ui::menuSettings().col[8] = U"65280";   // colour 9: green
    ui::menuSettings().col[21] = U"16711680"; // colour 22: blue
    ui::menuSettings().mflag = 1;

    NamingScreen screen;
    screen.show();
    QCOMPARE(screen.objectName(), QStringLiteral("nfind"));
    QCOMPARE(screen.windowTitle(), u8("名前決めるの、お手伝いしま～す。"));
    QVERIFY(!screen.isModal());

    QCOMPARE(get<QLineEdit>(&screen, "textN")->text(), u8("山田"));
    QCOMPARE(screen.surnameCounts(), (naming::SurnameCounts{3, 5, 0}));

    struct Place {
        const char* name;
        int left, top, width, height;
    };
    for (const Place& p : {Place{"textN", 840, 360, 1335, 420}, Place{"Textn1", 840, 1080, 1335, 420},
             Place{"Textn2", 840, 1680, 1335, 420}, Place{"Textn3", 840, 2280, 1335, 420}, Place{"Tno", 2880, 240, 735, 2415},
             Place{"textIn", 3600, 240, 2415, 2415}, Place{"VS", 6000, 240, 200, 2415}, Place{"ComFind", 0, 4440, 975, 375},
             Place{"cmdsend", 960, 4440, 975, 375}, Place{"cmdFcls", 1920, 4440, 975, 375}, Place{"allcls", 2880, 4440, 975, 375},
             Place{"cmdView", 3840, 4440, 975, 375}, Place{"cmdJ", 4800, 4440, 975, 375}, Place{"cmdExit", 5760, 4440, 975, 375}})
        QCOMPARE(get<QWidget>(&screen, p.name)->geometry(),
            QRect(ui::twips(p.left), ui::twips(p.top), ui::twips(p.width), ui::twips(p.height)));
    for (const Place& p : {Place{"Label4", 480, 480, 0, 0}, Place{"Label1", 240, 1200, 0, 0}, Place{"Label2", 240, 1800, 0, 0},
             Place{"Label3", 240, 2400, 0, 0}, Place{"hit1", 2280, 1200, 0, 0}, Place{"hit3", 2280, 2400, 0, 0},
             Place{"Label6", 840, 2760, 0, 0}, Place{"sex", 840, 3000, 0, 0}, Place{"chan", 840, 3240, 0, 0},
             Place{"cbar", 840, 3480, 0, 0}, Place{"ctime", 840, 3720, 0, 0}, Place{"Label5", 3480, 2760, 0, 0},
             Place{"hit5", 3240, 3000, 0, 0}, Place{"hit4", 3240, 3360, 0, 0}, Place{"ltime", 3240, 3720, 0, 0}})
        QCOMPARE(get<QWidget>(&screen, p.name)->pos(), QPoint(ui::twips(p.left), ui::twips(p.top)));
    for (int n = 1; n <= 10; ++n)
        QVERIFY(screen.findChild<QWidget*>(QStringLiteral("Line%1").arg(n)));

    const std::pair<const char*, const char*> captions[] = {{"Label4", "姓"}, {"Label1", "かな 1"}, {"Label2", "かな 2"},
        {"Label3", "かな 3"}, {"Label6", "Option"}, {"Label5", "Information"}};
    for (const auto& [name, caption] : captions)
        QCOMPARE(label(&screen, name), u8(caption));
    const std::pair<const char*, const char*> buttons[] = {{"ComFind", "作成"}, {"cmdsend", "送る"}, {"cmdFcls", "ﾘｾｯﾄ"},
        {"allcls", "ｵｰﾙ･ﾘｾｯﾄ"}, {"cmdView", "書き込み"}, {"cmdJ", "辞書"}, {"cmdExit", "終了"}, {"sex", "boy"},
        {"chan", "Determination "}, {"cbar", "Bar"}, {"ctime", "Time"}};
    for (const auto& [name, caption] : buttons)
        QCOMPARE(get<QAbstractButton>(&screen, name)->text(), u8(caption));

    QVERIFY(get<QCheckBox>(&screen, "sex")->isChecked());
    QVERIFY(get<QCheckBox>(&screen, "chan")->isChecked());
    QVERIFY(!get<QCheckBox>(&screen, "cbar")->isChecked());
    QVERIFY(!get<QCheckBox>(&screen, "ctime")->isChecked());
    for (const char* name : {"hit1", "hit2", "hit3", "hit4", "hit5", "ltime", "Bar1"})
        QVERIFY2(!shown(&screen, name), name);

    QCOMPARE(base(&screen, "textN"), QColor(255, 255, 192));
    QCOMPARE(base(&screen, "Tno"), QColor(192, 255, 192));
    for (const char* name : {"textIn", "Textn1", "Textn2", "Textn3"})
        QCOMPARE(base(&screen, name), kCyan);
    QCOMPARE(screen.palette().color(QPalette::Window), QColor(255, 0, 0));
    for (const char* name : {"sex", "chan", "cbar", "ctime"})
        QCOMPARE(get<QWidget>(&screen, name)->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(get<QWidget>(&screen, "ComFind")->palette().color(QPalette::Button), QColor(0, 255, 0));
    QCOMPARE(get<QWidget>(&screen, "cmdsend")->palette().color(QPalette::Button), QColor(0, 0, 255));
    const auto& defaults = SettingsFile::defaultColours();
    const std::pair<const char*, int> themed[] = {{"cmdFcls", 10}, {"allcls", 11}, {"cmdView", 12}, {"cmdJ", 13}, {"cmdExit", 14}};
    for (const auto& [name, index] : themed)
        QCOMPARE(get<QWidget>(&screen, name)->palette().color(QPalette::Button), ui::fromColourValue(defaults[index - 1]));
    QVERIFY(screen.testAttribute(Qt::WA_SetCursor)); // the custom pointer of micon2

    // No settings file: the surname box stays empty.
    std::filesystem::remove(kt::u8path("Kadelo.ini"));
    NamingScreen bare;
    QCOMPARE(get<QLineEdit>(&bare, "textN")->text(), QString());
}

void NamingScreenTest::kanaBoxesShowTheirHitsAndThePossibleCount()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();

    type(&screen, "Textn1", u8("た"));
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 3"));
    QVERIFY(shown(&screen, "hit1"));
    QCOMPARE(label(&screen, "hit4"), u8("3通り"));
    QVERIFY(shown(&screen, "hit4"));
    QCOMPARE(label(&screen, "hit5"), u8("作成可能数"));
    QVERIFY(shown(&screen, "hit5"));
    QVERIFY(!shown(&screen, "hit2"));
    QCOMPARE(get<QProgressBar>(&screen, "Bar1")->maximum(), 3);

    // Keystroke by keystroke: ろ finds nothing, ろう finds two.
    auto* box2 = get<QLineEdit>(&screen, "Textn2");
    box2->setFocus();
    QInputMethodEvent ro;
    ro.setCommitString(u8("ろ"));
    QApplication::sendEvent(box2, &ro);
    QCOMPARE(label(&screen, "hit2"), QStringLiteral("hit 0"));
    QCOMPARE(label(&screen, "hit4"), u8("0通り"));
    QCOMPARE(get<QProgressBar>(&screen, "Bar1")->maximum(), 1);
    QInputMethodEvent u;
    u.setCommitString(u8("う"));
    QApplication::sendEvent(box2, &u);
    QCOMPARE(label(&screen, "hit2"), QStringLiteral("hit 2"));
    QCOMPARE(label(&screen, "hit4"), u8("6通り"));

    type(&screen, "Textn3", u8("ぬ"));
    QCOMPARE(label(&screen, "hit3"), QStringLiteral("hit 0"));
    QCOMPARE(label(&screen, "hit4"), u8("0通り"));
    get<QLineEdit>(&screen, "Textn3")->clear();
    QVERIFY(!shown(&screen, "hit3"));
    QCOMPARE(label(&screen, "hit4"), u8("6通り"));
    QCOMPARE(screen.kanaBoxes()[2].hits, 0);

    // A reading with 31 kanji keeps 30 and says so.
    std::string many;
    const QString kanji = u8(kThirty) + u8("海");
    for (const QChar c : kanji)
        many += "\"かい\",\"" + QString(c).toStdString() + "\",9\r\n";
    kt::writeBytes(kt::u8path("かな.dat"), kt::cp932(many));
    type(&screen, "Textn1", u8("かい"));
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 30+"));
    QCOMPARE(screen.kanaBoxes()[0].hits, 30);
}

void NamingScreenTest::generationListsGradedCandidatesInOrder()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn2", u8("ろう"));
    QCursor::setPos(200, 200);
    click(&screen, "ComFind");

    // 山 3, 田 5 with 太 4, 郎 9: 21 ◎ (boy), 9 ▲, 12 ▲, 22 ▲.
    QCOMPARE(lines(&screen, "textIn"),
        (QStringList{u8("太郎  ◎▲▲▲"), u8("太朗  ▲▲◎◎"), u8("多郎  ◎◎▲▲"), u8("多朗  ◎◎◎×"), u8("汰郎  ◎▲▲○"),
            u8("汰朗  ▲▲◎◎"), "", "", "", ""}));
    QCOMPARE(lines(&screen, "Tno"), numbers(1, 10));
    QCOMPARE(screen.candidates().ncount, 6);
    QCOMPARE(label(&screen, "hit4"), u8("6通り"));
    QCOMPARE(label(&screen, "hit5"), u8("作成終了"));
    QVERIFY(shown(&screen, "hit5"));
    QVERIFY(!shown(&screen, "ltime"));
    QVERIFY(!shown(&screen, "Bar1"));
    QCOMPARE(get<QScrollBar>(&screen, "VS")->maximum(), 0);
    QCOMPARE(QCursor::pos(), QPoint(0, 0));

    // Girl: only 総運 changes (21 is ▲ for a girl).
    click(&screen, "sex");
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").first(), u8("太郎  ▲▲▲▲"));

    // Without grading the entries end in two spaces; with Time the elapsed seconds are shown.
    click(&screen, "chan");
    click(&screen, "ctime");
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").mid(0, 2), (QStringList{u8("太郎  "), u8("太朗  ")}));
    QVERIFY(shown(&screen, "ltime"));
    QVERIFY2(QRegularExpression(u8("^作成time \\d+\\.\\d\\d 秒$")).match(label(&screen, "ltime")).hasMatch(),
        qPrintable(label(&screen, "ltime")));

    // An empty surname grades every candidate ★★★★; so does one of four characters.
    click(&screen, "chan");
    get<QLineEdit>(&screen, "textN")->clear();
    QVERIFY(!shown(&screen, "ltime"));
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").first(), u8("太郎  ★★★★"));
    type(&screen, "textN", u8("山田山田"));
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").first(), u8("太郎  ★★★★"));

    // Only box 1: three one-kanji entries in file order.
    get<QLineEdit>(&screen, "Textn2")->clear();
    click(&screen, "chan");
    click(&screen, "ComFind");
    QCOMPARE(lines(&screen, "textIn").mid(0, 4), (QStringList{u8("太  "), u8("多  "), u8("汰  "), ""}));
    QCOMPARE(screen.candidates().kanacnt, 1);

    // Box 2 finds nothing while box 3 does: nothing is made, the page is ten empty numbered lines.
    type(&screen, "Textn2", u8("ぬ"));
    type(&screen, "Textn3", u8("た"));
    click(&screen, "ComFind");
    QCOMPARE(screen.candidates().ncount, 0);
    QCOMPARE(lines(&screen, "textIn"), QStringList(10, QString()));
    QCOMPARE(lines(&screen, "Tno"), numbers(1, 10));
    QCOMPARE(label(&screen, "hit4"), u8("0通り"));
}

void NamingScreenTest::refusedGenerationChangesNothing()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind");
    const QStringList before = lines(&screen, "textIn");

    get<QLineEdit>(&screen, "Textn1")->clear();
    click(&screen, "ComFind");
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn3", u8("ろう"));
    click(&screen, "ComFind");
    QCOMPARE(seen(messages), (QStringList{info(u8(" かな１を入力してください。")), info(u8(" かな２を、入力してください。"))}));
    QCOMPARE(lines(&screen, "textIn"), before);
    QCOMPARE(screen.candidates().ncount, 3);
}

void NamingScreenTest::pagingTenAtATime()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();
    click(&screen, "chan");
    auto* vs = get<QScrollBar>(&screen, "VS");

    type(&screen, "Textn1", u8("さ"));
    type(&screen, "Textn2", u8("に"));
    click(&screen, "ComFind");
    QCOMPARE(screen.candidates().ncount, 10);
    QCOMPARE(vs->maximum(), 0);

    get<QLineEdit>(&screen, "Textn2")->clear();
    type(&screen, "Textn1", u8("いち"));
    click(&screen, "ComFind");
    QCOMPARE(screen.candidates().ncount, 11);
    QCOMPARE(vs->maximum(), 1);
    QTest::keyClick(vs, Qt::Key_Down);
    QCOMPARE(vs->value(), 1);
    QCOMPARE(lines(&screen, "Tno"), numbers(2, 11));
    QCOMPARE(lines(&screen, "textIn").last(), u8("百  "));

    // 22 candidates: position 5 shows entries 5 to 14 numbered 6 to 15.
    type(&screen, "Textn2", u8("さ"));
    click(&screen, "ComFind");
    QCOMPARE(vs->maximum(), 12);
    vs->setValue(5);
    QCOMPARE(lines(&screen, "Tno"), numbers(6, 15));
    QCOMPARE(lines(&screen, "textIn").first(), u8("三沙  "));
    QCOMPARE(lines(&screen, "textIn").last(), u8("八佐  "));
    QTest::keyClick(vs, Qt::Key_PageDown);
    QCOMPARE(vs->value(), 12);
    QCOMPARE(lines(&screen, "Tno"), numbers(13, 22));

    // A new generation starts again at the first page.
    click(&screen, "ComFind");
    QCOMPARE(vs->value(), 0);
    QCOMPARE(lines(&screen, "Tno"), numbers(1, 10));
    QCOMPARE(lines(&screen, "textIn").first(), u8("一佐  "));
}

void NamingScreenTest::largeGradedRunWithBarAndTime()
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
    click(&screen, "ComFind");

    QCOMPARE(screen.candidates().ncount, 27000);
    QVERIFY(screen.candidates().nlist[27000].empty());
    QCOMPARE(get<QScrollBar>(&screen, "VS")->maximum(), 26990);
    QVERIFY(!shown(&screen, "Bar1"));
    auto* bar = get<QProgressBar>(&screen, "Bar1");
    QCOMPARE(bar->maximum(), 27000);
    // The bar was moved once per pixel of its width at most, not once per entry.
    QVERIFY2(screen.barUpdates() > 0 && screen.barUpdates() <= bar->width(), qPrintable(QString::number(screen.barUpdates())));
    QVERIFY(shown(&screen, "ltime"));
    qInfo("27,000 graded candidates with Bar and Time: %s (bar set %d times)", qPrintable(label(&screen, "ltime")),
        screen.barUpdates());

    get<QScrollBar>(&screen, "VS")->setValue(26990);
    QCOMPARE(lines(&screen, "Tno"), numbers(26991, 27000));
    QVERIFY(lines(&screen, "textIn").last().startsWith(u8("日日日  ")));
}

void NamingScreenTest::listBoxesTakeNoKeysAndEnterMovesTheFocus()
{
    kt::TempFolder folder;
    writeDictionaries();
    NamingScreen screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind");
    const QStringList page = lines(&screen, "textIn");
    for (const char* name : {"textIn", "Tno"}) {
        auto* box = get<QPlainTextEdit>(&screen, name);
        box->setFocus();
        const QString before = box->toPlainText();
        QTest::keyClicks(box, "abc");
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->toPlainText(), before);
    }
    QCOMPARE(lines(&screen, "textIn"), page);

    get<QLineEdit>(&screen, "Textn1")->clear();
    const int made = screen.candidates().ncount;
    get<QLineEdit>(&screen, "textN")->setFocus();
    QTest::keyClick(get<QLineEdit>(&screen, "textN"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(&screen, "Textn1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(&screen, "Textn2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(&screen, "Textn3"));
    type(&screen, "Textn1", u8("た"));
    get<QLineEdit>(&screen, "Textn3")->setFocus();
    QTest::keyClick(get<QLineEdit>(&screen, "Textn3"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(&screen, "ComFind"));
    QCOMPARE(label(&screen, "hit5"), u8("作成可能数")); // not pressed
    QCOMPARE(screen.candidates().ncount, made);
}

void NamingScreenTest::boyAndGirlColours()
{
    kt::TempFolder folder;
    NamingScreen screen;
    screen.show();
    click(&screen, "sex");
    for (const char* name : {"textIn", "Textn1", "Textn2", "Textn3"})
        QCOMPARE(base(&screen, name), kPink);
    QCOMPARE(base(&screen, "textN"), QColor(255, 255, 192));
    QCOMPARE(base(&screen, "Tno"), QColor(192, 255, 192));
    click(&screen, "sex");
    for (const char* name : {"textIn", "Textn1", "Textn2", "Textn3"})
        QCOMPARE(base(&screen, name), kCyan);
}

void NamingScreenTest::writingTheCandidateFile()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();

    click(&screen, "cmdView");
    type(&screen, "textN", u8("山田"));
    click(&screen, "cmdView");
    type(&screen, "Textn1", u8("た"));
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{info(u8("かなを入力してください。")), info(u8("かなを入力してください。")),
                                 info(u8("作成してから、保存します。"))}));

    click(&screen, "chan");
    type(&screen, "Textn2", u8("ろう"));
    click(&screen, "ComFind");
    messages.seen.clear();
    kt::writeBytes(kt::u8path("山田たろう.txt"), std::string(300, 'x')); // rewritten, not appended to
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{info(u8("保存しました。"))}));
    QCOMPARE(kt::readBytes(kt::u8path("山田たろう.txt")),
        kt::cp932("太郎  \r\n太朗  \r\n多郎  \r\n多朗  \r\n汰郎  \r\n汰朗  \r\n\r\n"));

    // The name comes from the boxes at the time of writing; an empty surname leaves it out.
    get<QLineEdit>(&screen, "textN")->clear();
    click(&screen, "cmdView");
    QCOMPARE(kt::readBytes(kt::u8path("たろう.txt")), kt::readBytes(kt::u8path("山田たろう.txt")));

    // A graded list keeps its marks.
    type(&screen, "textN", u8("山田"));
    click(&screen, "chan");
    click(&screen, "ComFind");
    click(&screen, "cmdView");
    QVERIFY(kt::readBytes(kt::u8path("山田たろう.txt")).starts_with(kt::cp932("太郎  ◎▲▲▲\r\n太朗  ▲▲◎◎\r\n")));
}

void NamingScreenTest::unsafeOrUnwritableFileNamesAreRefused()
{
    kt::TempFolder folder;
    writeDictionaries();
    std::filesystem::create_directory("sub");
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    click(&screen, "chan");
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind");

    for (const char* surname : {"sub/", "../", "a:b", "*", "?", "\"", "<", ">", "|", "."}) {
        messages.seen.clear();
        get<QLineEdit>(&screen, "textN")->setText(QString::fromUtf8(surname));
        click(&screen, "cmdView");
        QCOMPARE(messages.seen.size(), 1);
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QVERIFY2(messages.seen[0].text.contains(u8("ファイル名に使えません")), qPrintable(messages.seen[0].text));
    }
    QVERIFY(std::filesystem::is_empty("sub"));
    QVERIFY(!std::filesystem::exists(folder.path().parent_path() / kt::u8path("た.txt")));

    // A character Shift-JIS cannot hold.
    messages.seen.clear();
    get<QLineEdit>(&screen, "textN")->setText(u8("😀"));
    click(&screen, "cmdView");
    QCOMPARE(messages.seen.size(), 1);
    QVERIFY(messages.seen[0].text.contains(u8("ファイル名に使えません")));

    // A read-only file is reported, not replaced.
    get<QLineEdit>(&screen, "textN")->clear();
    kt::writeBytes(kt::u8path("た.txt"), "keep");
    std::filesystem::permissions(kt::u8path("た.txt"), std::filesystem::perms::owner_read);
    messages.seen.clear();
    click(&screen, "cmdView");
    QCOMPARE(messages.seen.size(), 1);
    QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
    QVERIFY2(messages.seen[0].text.contains(u8("保存できませんでした")), qPrintable(messages.seen[0].text));
    QCOMPARE(kt::readBytes(kt::u8path("た.txt")), std::string("keep"));
    std::filesystem::permissions(kt::u8path("た.txt"), std::filesystem::perms::owner_all);

    // Everything in order again: saved.
    messages.seen.clear();
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{info(u8("保存しました。"))}));
    QCOMPARE(kt::readBytes(kt::u8path("た.txt")), kt::cp932("太  \r\n多  \r\n汰  \r\n\r\n"));
}

void NamingScreenTest::sendingAskForANumber()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();

    click(&screen, "cmdsend");
    QCOMPARE(seen(messages), (QStringList{info(u8(" 作成してから、ボタンを押してください。"))}));

    click(&screen, "chan");
    type(&screen, "Textn1", u8("た"));
    click(&screen, "ComFind"); // 太, 多, 汰

    const std::pair<const char*, const char*> refused[] = {{"4", "4 番はありません。"}, {"0", "0 番はありません。"},
        {"-1", "-1 番はありません。"}, {"abc", "0 番はありません。"}, {"100000", "100000 番はありません。"},
        {"-40000", "-40000 番はありません。"}};
    for (const auto& [answer, warningText] : refused) {
        messages.seen.clear();
        kt::InputAnswerer input(QString::fromUtf8(answer));
        click(&screen, "cmdsend");
        QCOMPARE(input.prompts, QStringList{u8(" 何番の名前を、姓名判断に送りますか？ ")});
        QCOMPARE(seen(messages), QStringList{warning(u8(warningText))});
        QCOMPARE(screen.nbuf, QString());
    }

    // Cancel or an empty answer: nothing at all.
    messages.seen.clear();
    {
        kt::InputAnswerer cancel(QString(), true);
        click(&screen, "cmdsend");
    }
    {
        kt::InputAnswerer empty{QString()};
        click(&screen, "cmdsend");
    }
    QCOMPARE(messages.seen.size(), 0);

    // A number in range: the judgement screen opens with the whole entry as the given name (cut to
    // its three characters there) and the surname of the surname box, without a judgement.
    type(&screen, "textN", u8("山田"));
    QCOMPARE(sendAndLook(&screen, QStringLiteral("2")), (QStringList{u8("多  "), u8("山田"), QString(), QString()}));
    QCOMPARE(screen.nbuf, QString());

    // Halves go to the even neighbour: 2.5 sends the second entry, 3.5 the fourth.
    type(&screen, "Textn1", u8("に"));
    click(&screen, "ComFind"); // 二, 仁, 丹, 爾, 児
    QCOMPARE(sendAndLook(&screen, QStringLiteral("2.5")).first(), u8("仁  "));
    QCOMPARE(sendAndLook(&screen, QStringLiteral("3.5")).first(), u8("爾  "));
    QCOMPARE(sendAndLook(&screen, QStringLiteral("5番")).first(), u8("児  "));
    QCOMPARE(messages.seen.size(), 0);
}

void NamingScreenTest::resetsKeepTheList()
{
    kt::TempFolder folder;
    writeDictionaries();
    kt::MessageCatcher messages;
    NamingScreen screen;
    screen.show();
    type(&screen, "textN", u8("山田"));
    type(&screen, "Textn1", u8("た"));
    type(&screen, "Textn2", u8("ろう"));
    click(&screen, "ctime");
    click(&screen, "ComFind");
    auto* vs = get<QScrollBar>(&screen, "VS");

    click(&screen, "cmdFcls");
    for (const char* name : {"Textn1", "Textn2", "Textn3"})
        QCOMPARE(get<QLineEdit>(&screen, name)->text(), QString());
    QCOMPARE(get<QLineEdit>(&screen, "textN")->text(), u8("山田"));
    QCOMPARE(get<QPlainTextEdit>(&screen, "textIn")->toPlainText(), QString());
    QCOMPARE(get<QPlainTextEdit>(&screen, "Tno")->toPlainText(), QString());
    for (const char* name : {"hit1", "hit2", "hit3", "hit4", "hit5", "ltime"})
        QVERIFY2(!shown(&screen, name), name);
    QCOMPARE(label(&screen, "hit5"), QString());
    QCOMPARE(screen.candidates().ncount, 6);
    QCOMPARE(screen.kanaBoxes()[0].hits, 0);
    QCOMPARE(get<QProgressBar>(&screen, "Bar1")->maximum(), 1);

    // The list is still there: entry 1 can be sent, entry 2 no longer; the file asks for kana.
    QCOMPARE(sendAndLook(&screen, QStringLiteral("1")), (QStringList{u8("太郎 "), u8("山田"), QString(), QString()}));
    {
        kt::InputAnswerer input(QStringLiteral("2"));
        click(&screen, "cmdsend");
    }
    click(&screen, "cmdView");
    QCOMPARE(seen(messages), (QStringList{warning(u8("2 番はありません。")), info(u8("かなを入力してください。"))}));

    type(&screen, "Textn1", u8("た"));
    click(&screen, "allcls");
    for (const char* name : {"textN", "Textn1", "Textn2", "Textn3"})
        QCOMPARE(get<QLineEdit>(&screen, name)->text(), QString());
    for (const char* name : {"hit1", "hit4", "hit5", "ltime"})
        QVERIFY2(!shown(&screen, name), name);
    QCOMPARE(screen.candidates().ncount, 6);
    QVERIFY(get<QCheckBox>(&screen, "ctime")->isChecked());
    QCOMPARE(vs->value(), 0);
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

    bool registered = false;
    kt::ModalWatcher<QDialog> dictionary([&](QDialog* jisyo) {
        QCOMPARE(jisyo->objectName(), QStringLiteral("jisyo"));
        auto* tabs = jisyo->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
        QVERIFY(tabs);
        tabs->setCurrentIndex(1);
        jisyo->findChild<QLineEdit*>(QStringLiteral("textIN"))->setText(u8("翔"));
        jisyo->findChild<QLineEdit*>(QStringLiteral("textK1"))->setText(u8("しょう"));
        QTest::mouseClick(jisyo->findChild<QPushButton*>(QStringLiteral("cmdwrite")), Qt::LeftButton);
        registered = true;
        jisyo->close();
    });
    click(&screen, "cmdJ");
    QVERIFY(registered);
    QVERIFY(seen(messages).contains(info(u8("しょう 登録しました。"))));

    QInputMethodEvent u;
    u.setCommitString(u8("う"));
    QApplication::sendEvent(get<QLineEdit>(&screen, "Textn1"), &u);
    QCOMPARE(label(&screen, "hit1"), QStringLiteral("hit 1"));
    QCOMPARE(screen.kanaBoxes()[0].kanji[0], std::u32string(U"翔"));
    QCOMPARE(screen.kanaBoxes()[0].kaku[0], 12);
}

QTEST_MAIN(NamingScreenTest)
#include "naming_screen_test.moc"
