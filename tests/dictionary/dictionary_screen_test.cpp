// The dictionary screen `jisyo`, driven as a user would: typing, clicking the tabs and buttons,
// answering the message boxes; the two files checked byte for byte afterwards.
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "dictionary/dictionary_screen.h"
#include "judgement/judgement_screen.h"
#include "shell/openers.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"

using namespace kadelo;
namespace kt = kadelo::testing;

namespace {

const std::filesystem::path kStrokeFile = kt::u8path("漢字.dat");
const std::filesystem::path kKanaFile = kt::u8path("かな.dat");

template <class T>
T* get(QWidget* screen, const char* name)
{
    T* w = kt::child<T>(screen, QString::fromLatin1(name));
    if (!w)
        qFatal("the dictionary screen has no control %s", name);
    return w;
}

// Replaces the text of a box as typed: ASCII from the keyboard, everything else committed by the
// input method.
void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QString pending;
    auto commit = [&] {
        if (pending.isEmpty())
            return;
        QInputMethodEvent event;
        event.setCommitString(pending);
        QApplication::sendEvent(box, &event);
        pending.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            commit();
            QTest::keyClick(box, c.toLatin1());
        } else {
            pending += c;
        }
    }
    commit();
}

void click(QWidget* screen, const char* name)
{
    auto* button = get<QPushButton>(screen, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void showPage(QWidget* screen, int index)
{
    auto* tabs = get<QTabWidget>(screen, "SSTab1");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

QString shownText(QWidget* screen, const char* name)
{
    if (auto* box = screen->findChild<QLineEdit*>(QString::fromLatin1(name)))
        return box->text();
    return get<QLabel>(screen, name)->text();
}

bool shown(QWidget* screen, const char* name)
{
    return get<QWidget>(screen, name)->isVisible();
}

// Every message box must be an information box; gives the texts in order.
QStringList informationTexts(const kt::MessageCatcher& messages, const QString& title)
{
    for (const kt::SeenMessage& m : messages.seen) {
        if (m.icon != QMessageBox::Information || m.title != title)
            qWarning("message %s: icon %d, title '%s'", qPrintable(m.text), int(m.icon), qPrintable(m.title));
    }
    QStringList texts;
    for (const kt::SeenMessage& m : messages.seen)
        if (m.icon == QMessageBox::Information && m.title == title)
            texts << m.text;
    return texts;
}

// While alive, answers every modal message box: a question with the next of `answers` (Yes when
// they run out), any other box with OK. Records every text, questions included.
class Answerer {
public:
    explicit Answerer(QList<bool> answers = {}) : answers_(std::move(answers))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                questions << box->text();
                const bool answer = answers_.isEmpty() ? true : answers_.takeFirst();
                box->button(answer ? QMessageBox::Yes : QMessageBox::No)->click();
                return;
            }
            box->accept();
        });
        timer_.start();
    }
    QStringList texts;
    QStringList questions;

private:
    QList<bool> answers_;
    QTimer timer_;
};

QStringList listed(QWidget* screen)
{
    QStringList items;
    auto* list = get<QListWidget>(screen, "lstReadings");
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

std::string fileOrNone(const std::filesystem::path& path)
{
    return std::filesystem::exists(path) ? kt::readBytes(path) : std::string("(none)");
}

} // namespace

class DictionaryScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensModalAndFreshWithItsControlsAndColours();
    void registerThenSearchThenRegisterAgain();
    void theTraditionalWayKeepsItsOwnDictionary();
    void strokeCounts_data();
    void strokeCounts();
    void kanjiPageRefusals();
    void kanjiThatWouldSpoilTheFileIsRefused_data();
    void kanjiThatWouldSpoilTheFileIsRefused();
    void kanjiAppendEndsAnUnterminatedLastLine();
    void failedKanjiWriteIsNotReportedAsDone();
    void fourNewReadings();
    void duplicatesAndEveryReadingPresent();
    void unknownKanjiKeepsTheBoxes();
    void kanaPageRefusalsAndReset();
    void readingThatWouldSpoilTheFileIsRefused();
    void correctionAsksThenRewritesBothFiles();
    void correctionRefusals();
    void readingsListedAndOneDeleted();
    void readingsMustBeHiragana_data();
    void readingsMustBeHiragana();
    void characterOutsideShiftJisIsRegisteredInTheUtf8FileAndJudged();
};

void DictionaryScreenTest::opensModalAndFreshWithItsControlsAndColours()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    MenuSettings& settings = ui::menuSettings();
    const MenuSettings saved = settings;
    for (int i = 14; i < 21; ++i)
        settings.col[i] = QString::number(0x010101 * (i + 100)).toStdU32String();

    kt::MessageCatcher messages;
    int opened = 0;
    auto checks = [&](DictionaryScreen* screen) {
        QCOMPARE(screen->objectName(), QStringLiteral("jisyo"));
        QCOMPARE(screen->windowTitle(), QStringLiteral("辞書"));
        QVERIFY(screen->isModal());
        auto* tabs = get<QTabWidget>(screen, "SSTab1");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("漢字"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("かな"));
        QCOMPARE(tabs->currentIndex(), 0);
        // Fresh: empty boxes, no count, the two labels hidden.
        QCOMPARE(shownText(screen, "T1"), QString());
        QCOMPARE(shownText(screen, "La2"), QString());
        QVERIFY(!shown(screen, "touroku2"));
        QVERIFY(!shown(screen, "touroku3"));
        QCOMPARE(get<QLabel>(screen, "touroku2")->text(), QStringLiteral("画数"));
        QCOMPARE(get<QLabel>(screen, "touroku3")->text(), QStringLiteral("登録済みです。"));

        const struct {
            const char* name;
            const char* caption;
            int colour;
            QWidget* page;
        } buttons[] = {{"Command1", "登録", 16, tabs->widget(0)}, {"Command4", "検索", 17, tabs->widget(0)},
            {"Command2", "ﾘｾｯﾄ", 18, tabs->widget(0)}, {"cmdwrite", "登録", 19, tabs->widget(1)},
            {"cmdCls", "ﾘｾｯﾄ", 20, tabs->widget(1)}, {"cmdexit", "終了", 21, nullptr}};
        for (const auto& b : buttons) {
            auto* button = get<QPushButton>(screen, b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.caption));
            QCOMPARE(button->palette().color(QPalette::Button), ui::themeColour(b.colour));
            if (b.page)
                QVERIFY(b.page->isAncestorOf(button));
            else
                QVERIFY(!tabs->isAncestorOf(button));
        }
        QCOMPARE(screen->palette().color(QPalette::Window), ui::themeColour(15));
        QCOMPARE(ui::themeColour(15), ui::fromColourValue(0x010101 * 114));

        QStringList captions;
        for (QLabel* label : tabs->widget(1)->findChildren<QLabel*>())
            captions << label->text();
        for (const char* c : {"漢字", "読み１", "読み２", "読み３", "読み４"})
            QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
        for (const char* name : {"T1", "textIN", "textK1", "textK2", "textK3", "textK4"}) {
            QVERIFY2(tabs->isAncestorOf(get<QLineEdit>(screen, name)), name);
            QVERIFY2(get<QLineEdit>(screen, name)->testAttribute(Qt::WA_InputMethodEnabled), name);
        }
        QVERIFY(!get<QLineEdit>(screen, "T2")->testAttribute(Qt::WA_InputMethodEnabled));

        // Leave something behind that the next opening must not show.
        if (opened == 1) {
            typeInto(get<QLineEdit>(screen, "T1"), QStringLiteral("山"));
            typeInto(get<QLineEdit>(screen, "T2"), QStringLiteral("3"));
            click(screen, "Command1");
            QVERIFY(shown(screen, "touroku3"));
            showPage(screen, 1);
            typeInto(get<QLineEdit>(screen, "textK1"), QStringLiteral("やま"));
        }
    };
    auto whileOpen = [&](DictionaryScreen* screen) {
        ++opened;
        checks(screen);
        click(screen, "cmdexit");
        if (screen->isVisible()) // a failed check must not leave the test waiting
            screen->reject();
    };

    for (int round = 0; round < 2; ++round) {
        kt::ModalWatcher<DictionaryScreen> watcher(whileOpen);
        screens::openDictionary(nullptr);
        QVERIFY(watcher.done());
    }
    QCOMPARE(opened, 2);
    QCOMPARE(messages.seen.size(), 0);
    // Closing unloads the screen.
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<DictionaryScreen*>(w));
    settings = saved;
}

void DictionaryScreenTest::registerThenSearchThenRegisterAgain()
{
    kt::TempFolder folder;
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();

    // The first registration creates 漢字.dat.
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("3"));
    click(&screen, "Command1");
    QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{QStringLiteral("登録しました。")});
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n"));
    QCOMPARE(shownText(&screen, "T1"), QStringLiteral("山")); // the boxes keep their contents
    QCOMPARE(shownText(&screen, "T2"), QStringLiteral("3"));
    QCOMPARE(shownText(&screen, "La2"), QString());
    QVERIFY(!shown(&screen, "touroku2"));

    click(&screen, "Command4");
    QCOMPARE(messages.seen.size(), 1);
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("3"));
    QVERIFY(shown(&screen, "touroku2"));
    QVERIFY(!shown(&screen, "touroku3"));

    // Registering it again with another count shows the stored count; no message, nothing written.
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("5"));
    click(&screen, "Command1");
    QCOMPARE(messages.seen.size(), 1);
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("3"));
    QVERIFY(shown(&screen, "touroku2"));
    QVERIFY(shown(&screen, "touroku3"));
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n"));

    // Another character in T1: the answer about 山 goes at once. A kanji not registered: a message
    // with an empty title, La2 empty.
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("川"));
    QCOMPARE(shownText(&screen, "La2"), QString());
    QVERIFY(!shown(&screen, "touroku2"));
    QVERIFY(!shown(&screen, "touroku3"));
    click(&screen, "Command4");
    QCOMPARE(messages.seen.size(), 2);
    QCOMPARE(messages.seen[1].text, QStringLiteral("登録されてません"));
    QCOMPARE(messages.seen[1].title, QString());
    QCOMPARE(messages.seen[1].icon, QMessageBox::Information);
    QCOMPARE(shownText(&screen, "La2"), QString());
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("山"));
    click(&screen, "Command1");
    QVERIFY(shown(&screen, "touroku2"));
    QVERIFY(shown(&screen, "touroku3"));

    click(&screen, "Command2");
    QCOMPARE(shownText(&screen, "T1"), QString());
    QCOMPARE(shownText(&screen, "T2"), QString());
    QVERIFY(!shown(&screen, "touroku2"));
    QVERIFY(!shown(&screen, "touroku3"));
    QCOMPARE(messages.seen.size(), 2);
}

void DictionaryScreenTest::theTraditionalWayKeepsItsOwnDictionary()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"沢\",7\r\n"));
    kt::writeBytes(kt::u8path("旧字体.dat"), kt::cp932("\"沢\",17\r\n"));
    kt::writeBytes(kt::u8path("旧字体UTF8.dat"), "\"槪\",15\r\n");
    kt::writeBytes(kt::u8path("画数.ini"), "Way=1\r\nNumerals=0\r\n");
    auto messages = std::make_unique<kt::MessageCatcher>();
    DictionaryScreen screen;
    screen.show();
    QCOMPARE(get<QTabWidget>(&screen, "SSTab1")->tabText(0), QStringLiteral("漢字（旧字体）"));

    // Searching finds the traditional count, also of a character only the UTF-8 companion holds.
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("沢"));
    click(&screen, "Command4");
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("17"));
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("槪"));
    click(&screen, "Command4");
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("15"));
    QCOMPARE(messages->seen.size(), 0);

    // Registering goes to the traditional dictionary; 漢字.dat stays as it was.
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("辺"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("22"));
    click(&screen, "Command1");
    QCOMPARE(informationTexts(*messages, QStringLiteral("登録")), QStringList{QStringLiteral("登録しました。")});
    QCOMPARE(kt::readBytes(kt::u8path("旧字体.dat")), kt::cp932("\"沢\",17\r\n\"辺\",22\r\n"));
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"沢\",7\r\n"));
    // A character Shift-JIS cannot hold goes to the traditional UTF-8 file.
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("𠮷"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("6"));
    click(&screen, "Command1");
    QCOMPARE(kt::readBytes(kt::u8path("旧字体UTF8.dat")), std::string("\"槪\",15\r\n\"𠮷\",6\r\n"));
    QVERIFY(!std::filesystem::exists(kt::u8path("漢字UTF8.dat")));

    messages.reset();
    // A correction also goes to the traditional dictionary, and leaves かな.dat's counts (today's) alone.
    kt::writeBytes(kt::u8path("かな.dat"), kt::cp932("\"さわ\",\"沢\",7\r\n"));
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("沢"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("16"));
    {
        Answerer answers({true});
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts, (QStringList{QStringLiteral("「沢」の画数を 17 から 16 に直しますか？"), QStringLiteral("訂正しました。")}));
    }
    QCOMPARE(kt::readBytes(kt::u8path("旧字体.dat")), kt::cp932("\"沢\",16\r\n\"辺\",22\r\n"));
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"沢\",7\r\n"));
    QCOMPARE(kt::readBytes(kt::u8path("かな.dat")), kt::cp932("\"さわ\",\"沢\",7\r\n"));
}

void DictionaryScreenTest::strokeCounts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::newRow("08") << "08" << "8";
    QTest::newRow("2.5 to even") << "2.5" << "2";
    QTest::newRow("3.5 to even") << "3.5" << "4";
    QTest::newRow("smallest") << "1" << "1";
    QTest::newRow("largest") << "99" << "99";
    QTest::newRow("rounds to 99") << "99.5" << "";
    QTest::newRow("zero") << "0" << "";
    QTest::newRow("negative") << "-5" << "";
    QTest::newRow("100") << "100" << "";
    QTest::newRow("typo 111") << "111" << "";
    QTest::newRow("16-bit largest") << "32767" << "";
    QTest::newRow("rounds to zero") << "0.4" << "";
    QTest::newRow("letters") << "abc" << "";
    QTest::newRow("99999") << "99999" << "";
    QTest::newRow("just above 16 bits") << "32768" << "";
    QTest::newRow("rounds above 16 bits") << "32767.5" << "";
    QTest::newRow("below 16 bits") << "-32769" << "";
}

void DictionaryScreenTest::strokeCounts()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    kt::TempFolder folder;
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "T2"), typed);
    click(&screen, "Command1");
    if (stored.isEmpty()) {
        QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{QStringLiteral("画数は、数字を入力してね。")});
        QCOMPARE(shownText(&screen, "T2"), QString());
        QCOMPARE(shownText(&screen, "T1"), QStringLiteral("山"));
        QVERIFY(!std::filesystem::exists(kStrokeFile));
    } else {
        QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{QStringLiteral("登録しました。")});
        QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\"," + stored.toStdString() + "\r\n"));
        click(&screen, "Command4");
        QCOMPARE(shownText(&screen, "La2"), stored);
    }
}

void DictionaryScreenTest::kanjiPageRefusals()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    auto* t1 = get<QLineEdit>(&screen, "T1");
    auto* t2 = get<QLineEdit>(&screen, "T2");

    click(&screen, "Command1"); // both empty
    typeInto(t1, QStringLiteral("山"));
    click(&screen, "Command1"); // no count
    typeInto(t1, QString());
    click(&screen, "Command4"); // nothing to search
    typeInto(t1, QStringLiteral("山川"));
    typeInto(t2, QStringLiteral("3"));
    click(&screen, "Command1");
    QCOMPARE(t1->text(), QString());
    QCOMPARE(t2->text(), QStringLiteral("3"));
    typeInto(t1, QStringLiteral("山川"));
    click(&screen, "Command4");
    QCOMPARE(t1->text(), QString());

    QCOMPARE(informationTexts(messages, QStringLiteral("登録")),
        (QStringList{QStringLiteral("登録漢字と画数を入力してから、ボタンを押してね。"),
            QStringLiteral("登録漢字と画数を入力してから、ボタンを押してね。"),
            QStringLiteral("検索する漢字を入力してから、ボタンを押してね。"), QStringLiteral("漢字は、１文字入力してね。"),
            QStringLiteral("漢字は、１文字入力してね。")}));
    QCOMPARE(shownText(&screen, "La2"), QString());
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n"));
}

void DictionaryScreenTest::kanjiThatWouldSpoilTheFileIsRefused_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("message");
    QTest::newRow("double quote") << "\"" << "「\"」は登録できない文字です。";
    QTest::newRow("comma") << "," << "「,」は登録できない文字です。";
}

void DictionaryScreenTest::kanjiThatWouldSpoilTheFileIsRefused()
{
    QFETCH(QString, kanji);
    QFETCH(QString, message);
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    typeInto(get<QLineEdit>(&screen, "T1"), kanji);
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("3"));
    click(&screen, "Command1");
    QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{message});
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n"));
}

void DictionaryScreenTest::kanjiAppendEndsAnUnterminatedLastLine()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"川\",3"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("3"));
    click(&screen, "Command1");
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"川\",3\r\n\"山\",3\r\n"));
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("川"));
    click(&screen, "Command4");
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("3"));
    QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{QStringLiteral("登録しました。")});
}

void DictionaryScreenTest::failedKanjiWriteIsNotReportedAsDone()
{
    kt::TempFolder folder;
    std::filesystem::create_directory(kStrokeFile); // cannot be appended to
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("3"));
    click(&screen, "Command1");
    QCOMPARE(messages.seen.size(), 1);
    QVERIFY2(messages.seen[0].text.startsWith(QStringLiteral("漢字.datに書き込めませんでした。")), qPrintable(messages.seen[0].text));
    QCOMPARE(messages.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(messages.seen[0].title, QStringLiteral("登録"));
}

void DictionaryScreenTest::fourNewReadings()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("山"));
    const char* readings[] = {"やま", "さん", "ざん", "セン"}; // katakana is taken as hiragana
    for (int i = 0; i < 4; ++i)
        typeInto(get<QLineEdit>(&screen, QStringLiteral("textK%1").arg(i + 1).toLatin1().constData()), QString::fromUtf8(readings[i]));
    click(&screen, "cmdwrite");
    // One message, a line per reading.
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")),
        QStringList{QStringLiteral("やま 登録しました。\nさん 登録しました。\nざん 登録しました。\nせん 登録しました。")});
    QCOMPARE(kt::readBytes(kKanaFile),
        kt::cp932("\"やま\",\"山\",3\r\n\"さん\",\"山\",3\r\n\"ざん\",\"山\",3\r\n\"せん\",\"山\",3\r\n"));
    for (const char* name : {"textIN", "textK1", "textK2", "textK3", "textK4"})
        QCOMPARE(shownText(&screen, name), QString());
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n"));
}

void DictionaryScreenTest::duplicatesAndEveryReadingPresent()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n\"川\",3\r\n"));
    kt::writeBytes(kKanaFile, kt::cp932("\"やま\",\"山\",3\r\n\"せん\",\"川\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);

    // Two characters in the kanji box: the first one is kept and used.
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("山川"));
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("せん"));
    typeInto(get<QLineEdit>(&screen, "textK4"), QStringLiteral("やま"));
    click(&screen, "cmdwrite");
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")),
        QStringList{QStringLiteral("やま  登録済みです。\nせん 登録しました。")});
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"やま\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"せん\",\"山\",3\r\n"));
    QCOMPARE(shownText(&screen, "textIN"), QString());

    // Every reading already there: only the duplicate notices, nothing written, boxes emptied.
    messages.seen.clear();
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("せん"));
    typeInto(get<QLineEdit>(&screen, "textK3"), QStringLiteral("やま"));
    click(&screen, "cmdwrite");
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")),
        QStringList{QStringLiteral("やま  登録済みです。\nせん  登録済みです。")});
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"やま\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"せん\",\"山\",3\r\n"));
    for (const char* name : {"textIN", "textK1", "textK2", "textK3", "textK4"})
        QCOMPARE(shownText(&screen, name), QString());
}

void DictionaryScreenTest::unknownKanjiKeepsTheBoxes()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::writeBytes(kKanaFile, kt::cp932("\"やま\",\"山\",3"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("川"));
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("かわ"));
    typeInto(get<QLineEdit>(&screen, "textK2"), QStringLiteral("せん"));
    click(&screen, "cmdwrite");
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")), QStringList{QStringLiteral("漢字.datに登録されてません。")});
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"やま\",\"山\",3"));
    QCOMPARE(shownText(&screen, "textIN"), QStringLiteral("川"));
    QCOMPARE(shownText(&screen, "textK1"), QStringLiteral("かわ"));
    QCOMPARE(shownText(&screen, "textK2"), QStringLiteral("せん"));

    // Once 川 is registered on the other page the same readings go in, after the unterminated line.
    showPage(&screen, 0);
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("川"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("3"));
    click(&screen, "Command1");
    showPage(&screen, 1);
    click(&screen, "cmdwrite");
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"やま\",\"山\",3\r\n\"かわ\",\"川\",3\r\n\"せん\",\"川\",3\r\n"));
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"山\",3\r\n\"川\",3\r\n"));
}

void DictionaryScreenTest::kanaPageRefusalsAndReset()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);

    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("やま"));
    click(&screen, "cmdwrite"); // no kanji
    typeInto(get<QLineEdit>(&screen, "textK1"), QString());
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("山"));
    typeInto(get<QLineEdit>(&screen, "textK2"), QStringLiteral("さん"));
    click(&screen, "cmdwrite"); // no first reading
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")),
        (QStringList{QStringLiteral("漢字を入力してください。"), QStringLiteral("かなを入力してください。")}));
    QVERIFY(!std::filesystem::exists(kKanaFile));
    QCOMPARE(shownText(&screen, "textIN"), QStringLiteral("山"));
    QCOMPARE(shownText(&screen, "textK2"), QStringLiteral("さん"));

    typeInto(get<QLineEdit>(&screen, "textK4"), QStringLiteral("やま"));
    click(&screen, "cmdCls");
    for (const char* name : {"textIN", "textK1", "textK2", "textK3", "textK4"})
        QCOMPARE(shownText(&screen, name), QString());
    QCOMPARE(messages.seen.size(), 2);
}

void DictionaryScreenTest::readingThatWouldSpoilTheFileIsRefused()
{
    // The reasons themselves are the kana file's business; here: shown, nothing written, boxes kept.
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral(","));
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("さん"));
    click(&screen, "cmdwrite");
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")), QStringList{QStringLiteral("「,」は登録できない文字です。")});
    QVERIFY(!std::filesystem::exists(kKanaFile));
    QCOMPARE(shownText(&screen, "textIN"), QStringLiteral(","));
    QCOMPARE(shownText(&screen, "textK1"), QStringLiteral("さん"));
}

void DictionaryScreenTest::readingsMustBeHiragana_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<int>("box");
    QTest::newRow("romaji") << "kakeru" << 1;
    QTest::newRow("half-width katakana") << "ｶｹﾙ" << 1;
    QTest::newRow("inner blank") << "かけ る" << 2;
    QTest::newRow("kanji") << "翔る" << 4;
    QTest::newRow("emoji") << "きつね\U0001F98A" << 3;
    QTest::newRow("katakana mark with no hiragana") << "ヷ" << 2;
}

void DictionaryScreenTest::readingsMustBeHiragana()
{
    QFETCH(QString, reading);
    QFETCH(int, box);
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"翔\",12\r\n"));
    kt::MessageCatcher messages;
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("翔"));
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("カケル")); // fine on its own
    const QByteArray name = QStringLiteral("textK%1").arg(box).toLatin1();
    typeInto(get<QLineEdit>(&screen, name.constData()), reading);
    click(&screen, "cmdwrite");
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")), QStringList{QStringLiteral("読みは、ひらがなで入力してね。")});
    QVERIFY(!std::filesystem::exists(kKanaFile));
    QCOMPARE(shownText(&screen, "textIN"), QStringLiteral("翔"));
    QCOMPARE(shownText(&screen, name.constData()), reading);
    if (box != 1)
        QCOMPARE(shownText(&screen, "textK1"), QStringLiteral("カケル")); // kept as typed

    // Corrected, the readings go in as hiragana; the long-vowel mark belongs to readings too.
    messages.seen.clear();
    typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("カケル"));
    typeInto(get<QLineEdit>(&screen, name.constData()), QStringLiteral("らーめん"));
    click(&screen, "cmdwrite");
    const QStringList expected = box == 1 ? QStringList{QStringLiteral("らーめん 登録しました。")}
                                          : QStringList{QStringLiteral("かける 登録しました。\nらーめん 登録しました。")};
    QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")), expected);
    const std::string expectedFile = box == 1 ? "\"らーめん\",\"翔\",12\r\n" : "\"かける\",\"翔\",12\r\n\"らーめん\",\"翔\",12\r\n";
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932(expectedFile));
}

void DictionaryScreenTest::correctionAsksThenRewritesBothFiles()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"川\",3\r\n\"浩\",11\r\n\"浩\",7\r\n\"海\",9"));
    kt::writeBytes(kKanaFile, kt::cp932("\"こう\",\"浩\",11\r\n\"ひろ\",\"浩\",11\r\n\"こう\",\"幸\",8\r\n"));
    DictionaryScreen screen;
    screen.show();
    QCOMPARE(get<QPushButton>(&screen, "cmdFix")->text(), QStringLiteral("訂正"));
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("浩"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("10"));

    // No: nothing changes.
    {
        Answerer answers({false});
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts, QStringList{QStringLiteral("「浩」の画数を 11 から 10 に直しますか？")});
    }
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"川\",3\r\n\"浩\",11\r\n\"浩\",7\r\n\"海\",9"));

    // Yes: the first entry of 浩 and both of its readings, nothing else.
    {
        Answerer answers({true});
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts, (QStringList{QStringLiteral("「浩」の画数を 11 から 10 に直しますか？"),
                                    QStringLiteral("訂正しました。（かな.datの 2 行も直しました）")}));
    }
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"川\",3\r\n\"浩\",10\r\n\"浩\",7\r\n\"海\",9"));
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"こう\",\"浩\",10\r\n\"ひろ\",\"浩\",10\r\n\"こう\",\"幸\",8\r\n"));
    QCOMPARE(shownText(&screen, "La2"), QStringLiteral("10"));
    QVERIFY(shown(&screen, "touroku2"));

    // The same count again: nothing to ask, nothing written.
    {
        Answerer answers;
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts, QStringList{QStringLiteral("「浩」の画数は、もう 10 です。")});
    }
    QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"川\",3\r\n\"浩\",10\r\n\"浩\",7\r\n\"海\",9"));

    // A character Shift-JIS cannot hold is corrected in 漢字UTF8.dat.
    const std::filesystem::path wideFile = kt::u8path("漢字UTF8.dat");
    kt::writeBytes(wideFile, "\"\U00020BB7\",7\r\n");
    typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("\U00020BB7"));
    typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("6"));
    {
        Answerer answers;
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts.last(), QStringLiteral("訂正しました。"));
    }
    QCOMPARE(kt::readBytes(wideFile), std::string("\"\U00020BB7\",6\r\n"));
    std::filesystem::remove(wideFile);
    for (const auto& entry : std::filesystem::directory_iterator("."))
        QVERIFY2(entry.path().filename() == kStrokeFile || entry.path().filename() == kKanaFile,
            entry.path().filename().c_str()); // no temporary file left
}

void DictionaryScreenTest::correctionRefusals()
{
    kt::TempFolder folder;
    const std::string strokes = kt::cp932("\"山\",4\r\n");
    kt::writeBytes(kStrokeFile, strokes);
    DictionaryScreen screen;
    screen.show();
    Answerer answers;
    const struct {
        const char* t1;
        const char* t2;
        const char* message;
        const char* t1After;
        const char* t2After;
    } cases[] = {
        {"", "3", "訂正する漢字と正しい画数を入力してから、ボタンを押してね。", "", "3"},
        {"山川", "3", "漢字は、１文字入力してね。", "", "3"},
        {"山", "0", "画数は、数字を入力してね。", "山", ""},
        {"山", "100", "画数は、数字を入力してね。", "山", ""},
        {"森", "12", "「森」は、まだ登録されてません。先に「登録」してね。", "森", "12"},
    };
    for (const auto& c : cases) {
        answers.texts.clear();
        typeInto(get<QLineEdit>(&screen, "T1"), QString::fromUtf8(c.t1));
        typeInto(get<QLineEdit>(&screen, "T2"), QString::fromUtf8(c.t2));
        click(&screen, "cmdFix");
        QCOMPARE(answers.texts, QStringList{QString::fromUtf8(c.message)});
        QCOMPARE(shownText(&screen, "T1"), QString::fromUtf8(c.t1After));
        QCOMPARE(shownText(&screen, "T2"), QString::fromUtf8(c.t2After));
    }
    QVERIFY(answers.questions.isEmpty());
    QCOMPARE(kt::readBytes(kStrokeFile), strokes);
    QVERIFY(!std::filesystem::exists(kKanaFile));
}

void DictionaryScreenTest::readingsListedAndOneDeleted()
{
    kt::TempFolder folder;
    kt::writeBytes(kStrokeFile, kt::cp932("\"山\",3\r\n\"川\",3\r\n"));
    kt::writeBytes(kKanaFile, kt::cp932("\"やま\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"さん\",\"山\",3\r\n\"やま\",\"山\",3\r\n"));
    DictionaryScreen screen;
    screen.show();
    showPage(&screen, 1);
    Answerer answers({false, true});

    // Nothing selected yet, nothing to search for.
    click(&screen, "cmdsearch");
    click(&screen, "cmddel");
    QCOMPARE(answers.texts, (QStringList{QStringLiteral("漢字を入力してください。"), QStringLiteral("削除する読みを、一覧から選んでください。")}));

    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("山"));
    click(&screen, "cmdsearch");
    QCOMPARE(listed(&screen), (QStringList{QStringLiteral("やま"), QStringLiteral("さん"), QStringLiteral("やま")}));
    auto* list = get<QListWidget>(&screen, "lstReadings");
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);

    // The second やま: No keeps it, Yes removes exactly that line.
    list->setCurrentRow(2);
    answers.texts.clear();
    click(&screen, "cmddel");
    click(&screen, "cmddel");
    QCOMPARE(answers.questions, (QStringList{QStringLiteral("読み「やま」（山）を、かな.datから削除しますか？"),
                                    QStringLiteral("読み「やま」（山）を、かな.datから削除しますか？")}));
    QCOMPARE(answers.texts.last(), QStringLiteral("削除しました。"));
    QCOMPARE(kt::readBytes(kKanaFile), kt::cp932("\"やま\",\"山\",3\r\n\"せん\",\"川\",3\r\n\"さん\",\"山\",3\r\n"));
    QCOMPARE(listed(&screen), (QStringList{QStringLiteral("やま"), QStringLiteral("さん")}));

    // The list goes with its kanji; the kanji of the 漢字 page is searched when this page has none.
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("川"));
    QVERIFY(listed(&screen).isEmpty());
    get<QLineEdit>(&screen, "textIN")->clear();
    get<QLineEdit>(&screen, "T1")->setText(QStringLiteral("川"));
    click(&screen, "cmdsearch");
    QCOMPARE(listed(&screen), QStringList{QStringLiteral("せん")});
    QCOMPARE(shownText(&screen, "textIN"), QStringLiteral("川"));
    typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("森"));
    answers.texts.clear();
    click(&screen, "cmdsearch");
    QCOMPARE(answers.texts, QStringList{QStringLiteral("「森」の読みは、まだ登録されてません。")});
    QVERIFY(listed(&screen).isEmpty());
}

void DictionaryScreenTest::characterOutsideShiftJisIsRegisteredInTheUtf8FileAndJudged()
{
    kt::TempFolder folder;
    const std::filesystem::path wideFile = kt::u8path("漢字UTF8.dat");
    kt::writeBytes(kStrokeFile, kt::cp932("\"田\",5\r\n\"太\",4\r\n\"郎\",9\r\n"));
    kt::MessageCatcher messages;
    {
        DictionaryScreen screen;
        screen.show();
        typeInto(get<QLineEdit>(&screen, "T1"), QStringLiteral("\U00020BB7"));
        typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("6"));
        click(&screen, "Command1");
        QCOMPARE(informationTexts(messages, QStringLiteral("登録")), QStringList{QStringLiteral("登録しました。")});
        QCOMPARE(kt::readBytes(wideFile), std::string("\"\U00020BB7\",6\r\n")); // UTF-8
        QCOMPARE(kt::readBytes(kStrokeFile), kt::cp932("\"田\",5\r\n\"太\",4\r\n\"郎\",9\r\n"));

        // Found again by search, and not registered twice.
        click(&screen, "Command4");
        QCOMPARE(shownText(&screen, "La2"), QStringLiteral("6"));
        typeInto(get<QLineEdit>(&screen, "T2"), QStringLiteral("7"));
        click(&screen, "Command1");
        QVERIFY(shown(&screen, "touroku3"));
        QCOMPARE(kt::readBytes(wideFile), std::string("\"\U00020BB7\",6\r\n"));

        // かな.dat stays Shift-JIS: its readings cannot be registered, and the page says so.
        showPage(&screen, 1);
        typeInto(get<QLineEdit>(&screen, "textIN"), QStringLiteral("\U00020BB7"));
        typeInto(get<QLineEdit>(&screen, "textK1"), QStringLiteral("よし"));
        click(&screen, "cmdwrite");
        QCOMPARE(informationTexts(messages, QStringLiteral("kadelo")),
            QStringList{QStringLiteral("「\U00020BB7」はかな.datに登録できない文字です。")});
        QVERIFY(!std::filesystem::exists(kKanaFile));
    }

    // The judgement counts it: 𠮷田 太郎 is 6 + 5 + 4 + 9 = 24.
    JudgementScreen judgement;
    judgement.show();
    typeInto(get<QLineEdit>(&judgement, "textMin"), QStringLiteral("\U00020BB7田"));
    typeInto(get<QLineEdit>(&judgement, "textNin"), QStringLiteral("太郎"));
    click(&judgement, "Command1");
    QCOMPARE(shownText(&judgement, "lm1"), QStringLiteral("6"));
    QCOMPARE(shownText(&judgement, "ls"), QStringLiteral("24"));
}

QTEST_MAIN(DictionaryScreenTest)
#include "dictionary_screen_test.moc"
