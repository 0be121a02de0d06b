// The judgement screen driven as a user drives it: typing into the two boxes, pressing the buttons,
// ticking the boxes, answering the message boxes.
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <set>

#include "dictionary/dictionary_screen.h"
#include "dictionary/stroke_dictionary.h"
#include "judgement/judgement_screen.h"
#include "judgement/personality_screen.h"
#include "judgement/personality_texts.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/qt_text.h"

using namespace kadelo;
using kadelo::testing::cp932;
using kadelo::testing::MessageCatcher;
using kadelo::testing::ModalWatcher;
using kadelo::testing::TempFolder;
using kadelo::testing::u8path;
using kadelo::testing::writeBytes;

namespace {

// Made-up counts, chosen so that the worked examples come out as written.
const char* const kDictionary = "\"甲\",3\r\n\"乙\",5\r\n\"丙\",4\r\n\"丁\",9\r\n"          // 3 5 | 4 9
                                "\"戊\",7\r\n\"己\",8\r\n"                                     // 7 | 8
                                "\"庚\",4\r\n\"辛\",3\r\n\"壬\",5\r\n\"癸\",2\r\n\"子\",6\r\n\"丑\",7\r\n" // 4 3 5 | 2 6 7
                                "\"佐\",7\r\n\"木\",4\r\n\"寅\",5\r\n\"卯\",6\r\n"             // 佐々木 | 5 6
                                "\"辰\",20\r\n\"巳\",15\r\n\"午\",25\r\n\"梅\",18\r\n\"桜\",19\r\n"
                                "\"龍\",31\r\n\"鳳\",31\r\n\"驫\",61\r\n\"麟\",61\r\n"
                                "\"山\",3\r\n\"田\",5\r\n\"太\",4\r\n\"郎\",9\r\n";

const std::set<int> kAllSegments = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 28, 29, 32};

// The segments the diagram shows, by surname and given-name length, written out from the layout
// table: surname segments, then given-name segments (Line32 belongs to both).
std::set<int> expectedSegments(int surnameLength, int givenLength)
{
    static const std::set<int> surname[4] = {{}, {1, 7, 8, 6, 15, 16, 17, 32, 28}, {1, 7, 8, 6, 17, 14, 32, 28},
        {1, 5, 7, 8, 6, 13, 32, 28}};
    static const std::set<int> given[4] = {{}, {12, 18, 9, 4, 19, 23, 24, 29, 25, 32},
        {12, 18, 9, 3, 10, 19, 23, 20, 24, 29, 25, 32}, {12, 18, 9, 3, 10, 2, 11, 19, 23, 20, 21, 22, 24, 29, 25, 32}};
    std::set<int> all = surname[surnameLength];
    all.insert(given[givenLength].begin(), given[givenLength].end());
    return all;
}

} // namespace

class JudgementScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<JudgementScreen> screen_;

    JudgementScreen& openScreen()
    {
        screen_ = std::make_unique<JudgementScreen>();
        screen_->show();
        return *screen_;
    }
    template <class T = QWidget>
    T* w(const QString& name)
    {
        T* found = screen_->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    QString text(const QString& label) { return w<QLabel>(label)->text(); }
    bool shown(const QString& name) { return w(name)->isVisibleTo(screen_.get()); }
    // Types text as a Japanese user does: ASCII from the keyboard, everything else committed by the
    // input method, one character at a time.
    void type(const QString& box, const QString& keys)
    {
        QLineEdit* edit = w<QLineEdit>(box);
        for (char32_t c : keys.toStdU32String()) {
            if (c < 0x80) {
                QTest::keyClick(edit, static_cast<char>(c));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString::fromUcs4(&c, 1));
                QCoreApplication::sendEvent(edit, &commit);
            }
        }
    }
    void click(const QString& button) { QTest::mouseClick(w<QPushButton>(button), Qt::LeftButton); }
    void clickCheckBox(const QString& name)
    {
        auto* box = w<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    QStringList numbers() { return {text("ls"), text("lj"), text("Lg"), text("Lt")}; }
    QStringList marks() { return {text("soukaku"), text("jinnkaku"), text("gaikaku"), text("tikaku")}; }
    QStringList counts(const char* prefix)
    {
        QStringList c;
        for (int i = 1; i <= 3; ++i)
            c << text(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i));
        return c;
    }
    std::set<int> visibleSegments()
    {
        std::set<int> v;
        for (int n : kAllSegments)
            if (shown(QStringLiteral("Line%1").arg(n)))
                v.insert(n);
        return v;
    }
    void writeSettings(const char* utf8) { writeBytes(u8path("Kadelo.ini"), cp932(utf8)); }

    // The message box of a refused judgement: its text and its buttons, answered with `choice`.
    struct Refusal {
        QString text;
        QStringList buttons;
        QString defaultButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
    };
    Refusal judgeRefused(const QString& choice = QStringLiteral("OK"))
    {
        Refusal seen;
        ModalWatcher<QMessageBox> watcher([&](QMessageBox* box) {
            seen = {box->text(), {}, box->defaultButton() ? box->defaultButton()->text() : QString(), box->icon(),
                box->windowTitle()};
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                seen.buttons << b->text();
                if (b->text() == choice)
                    chosen = b;
            }
            QTest::mouseClick(chosen, Qt::LeftButton);
        });
        click("Command1");
        if (!watcher.done())
            qWarning("no message");
        return seen;
    }

private Q_SLOTS:
    void init()
    {
        folder_ = std::make_unique<TempFolder>();
        writeBytes(u8path("漢字.dat"), cp932(kDictionary));
        ui::menuSettings() = MenuSettings{};
    }
    void cleanup()
    {
        screen_.reset();
        folder_.reset();
    }

    void workedExamples_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("boy");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("marks");
        const QStringList ex1{"21", "9", "12", "22"};
        QTest::newRow("3 5 | 4 9 boy") << "甲乙" << "丙丁" << true << ex1 << QStringList{"◎", "▲", "▲", "▲"};
        QTest::newRow("3 5 | 4 9 girl") << "甲乙" << "丙丁" << false << ex1 << QStringList{"▲", "▲", "▲", "▲"};
        const QStringList ex2{"15", "15", "15", "23"};
        QTest::newRow("7 | 8 boy") << "戊" << "己" << true << ex2 << QStringList{"◎", "◎", "◎", "◎"};
        QTest::newRow("7 | 8 girl") << "戊" << "己" << false << ex2 << QStringList{"◎", "◎", "◎", "◎"};
        const QStringList ex3{"27", "7", "20", "22"};
        QTest::newRow("4 3 5 | 2 6 7 boy") << "庚辛壬" << "癸子丑" << true << ex3 << QStringList{"○", "○", "×", "▲"};
        QTest::newRow("4 3 5 | 2 6 7 girl") << "庚辛壬" << "癸子丑" << false << ex3 << QStringList{"○", "○", "×", "▲"};
        const QStringList sasaki{"29", "9", "20", "20"};
        QTest::newRow("佐々木 boy") << "佐々木" << "寅卯" << true << sasaki << QStringList{"◎", "▲", "×", "×"};
        QTest::newRow("佐々木 girl") << "佐々木" << "寅卯" << false << sasaki << QStringList{"◎", "▲", "×", "×"};
        const QStringList t35{"35", "35", "35", "50"};
        QTest::newRow("35 boy") << "辰" << "巳" << true << t35 << QStringList{"○", "◎", "◎", "×"};
        QTest::newRow("35 girl") << "辰" << "巳" << false << t35 << QStringList{"◎", "◎", "◎", "×"};
        const QStringList t45{"45", "45", "45", "70"};
        QTest::newRow("45 boy") << "辰" << "午" << true << t45 << QStringList{"◎", "★", "★", "★"};
        QTest::newRow("45 girl") << "辰" << "午" << false << t45 << QStringList{"○", "★", "★", "★"};
    }
    void workedExamples()
    {
        QFETCH(QString, surname);
        QFETCH(QString, given);
        QFETCH(bool, boy);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, marks);
        JudgementScreen& screen = openScreen();
        QVERIFY(w<QCheckBox>("sex")->isChecked()); // starts as a boy
        if (!boy)
            clickCheckBox("sex");
        QCOMPARE(w<QCheckBox>("sex")->isChecked(), boy);
        type("textMin", surname);
        type("textNin", given);
        QCOMPARE(this->numbers(), QStringList({"", "", "", ""}));
        click("Command1");
        QCOMPARE(this->numbers(), numbers);
        QCOMPARE(this->marks(), marks);
        QCOMPARE(int(screen.sou()), numbers[0].toInt());
    }

    void theWayOfCountingIsShownAndEachCountExplained()
    {
        // Today's way: the plain count.
        openScreen();
        QCOMPARE(text("lblCounting"), QStringLiteral("新字体で数えています"));
        type("textMin", "佐々");
        QCOMPARE(w("lm1")->toolTip(), QStringLiteral("佐 7画"));
        QCOMPARE(w("lm2")->toolTip(), QStringLiteral("々：佐と同じ 7"));

        // The traditional way, chosen before the screen opens, with the numerals by value.
        writeBytes(u8path("画数.ini"), "Way=1\r\nNumerals=1\r\n");
        writeBytes(u8path("旧字体.dat"), cp932("\"沢\",17\r\n\"清\",12\r\n\"さ\",3\r\n"));
        writeBytes(u8path("旧字体由来.dat"), "\"沢\",\"澤\",\"水\",4,13\r\n\"清\",\"\",\"水\",4,8\r\n");
        openScreen();
        QCOMPARE(text("lblCounting"), QStringLiteral("旧字体で数えています"));
        type("textMin", "沢四");
        type("textNin", "清さ");
        QCOMPARE(counts("lm"), QStringList({"17", "4", ""}));
        QCOMPARE(counts("ln"), QStringList({"12", "3", ""}));
        QCOMPARE(w("lm1")->toolTip(), QStringLiteral("沢 → 澤：氵（水）4 ＋ 13 ＝ 17"));
        QCOMPARE(w("lm2")->toolTip(), QStringLiteral("四：数の値で 4"));
        QCOMPARE(w("ln1")->toolTip(), QStringLiteral("清：氵（水）4 ＋ 8 ＝ 12"));
        QCOMPARE(w("ln2")->toolTip(), QStringLiteral("さ 3画"));
        click("Command1");
        QCOMPARE(numbers(), QStringList({"36", "16", "20", "31"}));
    }

    void sexChangesNothingUntilTheNextJudgement()
    {
        openScreen();
        type("textMin", "甲乙");
        type("textNin", "丙丁");
        click("Command1");
        QCOMPARE(text("soukaku"), QStringLiteral("◎"));
        clickCheckBox("sex");
        QCOMPARE(text("soukaku"), QStringLiteral("◎"));
        click("Command1");
        QCOMPARE(text("soukaku"), QStringLiteral("▲"));
    }

    void sasakiShowsTheCountOfSaUnderTheRepeatMark()
    {
        openScreen();
        type("textMin", "佐々木");
        QCOMPARE(counts("lm"), QStringList({"7", "7", "4"}));
        QCOMPARE(text("tm2"), QStringLiteral("々"));
        // In the given name the mark is looked up like any character; this dictionary lacks it.
        type("textNin", "佐々");
        QCOMPARE(counts("ln"), QStringList({"7", "", ""}));
    }

    void diagramFollowsEachLength_data()
    {
        QTest::addColumn<int>("surnameLength");
        QTest::addColumn<int>("givenLength");
        for (int s = 0; s <= 3; ++s)
            for (int g = 0; g <= 3; ++g)
                QTest::addRow("surname %d given %d", s, g) << s << g;
    }
    void diagramFollowsEachLength()
    {
        QFETCH(int, surnameLength);
        QFETCH(int, givenLength);
        openScreen();
        QCOMPARE(visibleSegments(), std::set<int>{});
        type("textMin", QStringLiteral("甲乙丙").left(surnameLength));
        type("textNin", QStringLiteral("丁戊己").left(givenLength));
        QCOMPARE(visibleSegments(), expectedSegments(surnameLength, givenLength));
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(shown(QStringLiteral("tm%1").arg(i)), i <= surnameLength);
            QCOMPARE(shown(QStringLiteral("lm%1").arg(i)), i <= surnameLength);
            QCOMPARE(shown(QStringLiteral("tn%1").arg(i)), i <= givenLength);
            QCOMPARE(shown(QStringLiteral("ln%1").arg(i)), i <= givenLength);
        }
        QCOMPARE(counts("lm"), (QStringList{"3", "5", "4"}.mid(0, surnameLength) + QStringList{"", "", ""}).mid(0, 3));
        QCOMPARE(counts("ln"), (QStringList{"9", "7", "8"}.mid(0, givenLength) + QStringList{"", "", ""}).mid(0, 3));

        // Changing each half to one other character and back lays it out afresh.
        w<QLineEdit>("textMin")->setText(QStringLiteral("丙"));
        w<QLineEdit>("textNin")->setText(QStringLiteral("己"));
        QCOMPARE(visibleSegments(), expectedSegments(1, 1));
        w<QLineEdit>("textMin")->setText(QStringLiteral("甲乙丙").left(surnameLength));
        w<QLineEdit>("textNin")->setText(QStringLiteral("丁戊己").left(givenLength));
        QCOMPARE(visibleSegments(), expectedSegments(surnameLength, givenLength));
    }

    // Keystroke by keystroke, with the pointer resting on the diagram (the pieces a keystroke shows are
    // then shown together) and away from the window (one by one): the same pieces, each in its
    // explicit state, each where the screen placed it, each still its own control under the pointer.
    void diagramFollowsTyping_data()
    {
        QTest::addColumn<bool>("pointerOver");
        QTest::addRow("pointer on the diagram") << true;
        QTest::addRow("pointer away") << false;
    }
    void diagramFollowsTyping()
    {
        QFETCH(bool, pointerOver);
        openScreen();
        QVERIFY(QTest::qWaitForWindowExposed(screen_.get()));
        if (pointerOver) {
            // A spot on the diagram's panel that no piece covers.
            QTest::mouseMove(screen_.get(), QPoint(ui::twips(600), ui::twips(4500)));
            QTRY_VERIFY(screen_->underMouse());
        } else {
            // The pointer may still rest where an earlier test left it: it leaves the window.
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(screen_->windowHandle(), &leave);
        }
        QCOMPARE(screen_->underMouse(), pointerOver);
        auto check = [&](int surnameLength, int givenLength) {
            QCOMPARE(visibleSegments(), expectedSegments(surnameLength, givenLength));
            for (int i = 1; i <= 3; ++i) {
                for (const char* prefix : {"tm", "lm"})
                    QCOMPARE(w(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i))->isHidden(), i > surnameLength);
                for (const char* prefix : {"tn", "ln"})
                    QCOMPARE(w(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i))->isHidden(), i > givenLength);
            }
            QCOMPARE(counts("lm"), (QStringList{"3", "5", "4"}.mid(0, surnameLength) + QStringList{"", "", ""}).mid(0, 3));
            QCOMPARE(counts("ln"), (QStringList{"9", "7", "8"}.mid(0, givenLength) + QStringList{"", "", ""}).mid(0, 3));
        };
        auto backspace = [&](const char* box) { QTest::keyClick(w<QLineEdit>(box), Qt::Key_Backspace); };

        type("textNin", "丁");
        check(0, 1);
        type("textMin", "甲");
        check(1, 1);
        type("textMin", "乙");
        check(2, 1);
        type("textMin", "丙");
        check(3, 1);
        type("textNin", "戊己");
        check(3, 3);
        backspace("textMin");
        check(2, 3);
        backspace("textNin");
        check(2, 2);
        backspace("textMin");
        check(1, 2);
        backspace("textNin");
        check(1, 1);
        type("textMin", "乙丙");
        check(3, 1);

        // Pieces keep the screen's coordinates, and the pointer finds them, and the controls
        // between them, as before.
        QCOMPARE(w("tm1")->mapTo(screen_.get(), QPoint(0, 0)), QPoint(ui::twips(2160), ui::twips(720)));
        QCOMPARE(w("Line25")->mapTo(screen_.get(), QPoint(0, 0)), QPoint(ui::twips(1080), ui::twips(3360)));
        for (const char* name : {"lm1", "tm3", "ln1", "Label4", "Lg", "lblCounting", "Label3", "Lt"}) {
            QWidget* control = w(QString::fromLatin1(name));
            QCOMPARE(screen_->childAt(control->mapTo(screen_.get(), control->rect().center())), control);
        }
    }

    void fourthCharacterIsCutAtOnce()
    {
        openScreen();
        type("textMin", "庚辛壬甲");
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("庚辛壬"));
        QCOMPARE(counts("lm"), QStringList({"4", "3", "5"}));
        type("textNin", "癸子丑甲");
        QCOMPARE(w<QLineEdit>("textNin")->text(), QStringLiteral("癸子丑"));
        click("Command1");
        QCOMPARE(text("ls"), QStringLiteral("27"));
        // Pasted text: the cut comes before the trimming.
        w<QLineEdit>("textMin")->setText(QStringLiteral(" 山田太"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
    }

    void blanksAndTheTwoRefusals()
    {
        JudgementScreen& screen = openScreen();
        MessageCatcher catcher;
        type("textMin", "  ");
        QCOMPARE(w<QLineEdit>("textMin")->text(), QString());
        type("textNin", "丙丁");
        click("Command1");
        QCOMPARE(catcher.seen.size(), 1);
        QCOMPARE(catcher.seen[0].text, QStringLiteral("苗字を入力してください。"));
        QCOMPARE(catcher.seen[0].title, QStringLiteral("kadelo"));
        QCOMPARE(catcher.seen[0].icon, QMessageBox::Information);
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));

        type("textMin", "甲乙");
        w<QLineEdit>("textNin")->setText(QStringLiteral(" 　 "));
        QCOMPARE(w<QLineEdit>("textNin")->text(), QStringLiteral(" 　 ")); // the box keeps its blanks
        for (int i = 1; i <= 3; ++i)
            QVERIFY(!shown(QStringLiteral("tn%1").arg(i)));
        click("Command1");
        QCOMPARE(catcher.seen.size(), 2);
        QCOMPARE(catcher.seen[1].text, QStringLiteral("名前を入力してください。"));
        QCOMPARE(catcher.seen[1].title, QStringLiteral("kadelo"));
        QCOMPARE(catcher.seen[1].icon, QMessageBox::Information);
        QCOMPARE(int(screen.sou()), 0);
    }

    void charactersWithoutACountAreNamedInsteadOfCountedZero()
    {
        JudgementScreen& screen = openScreen();
        type("textMin", "𠮷田");
        type("textNin", "太郎");
        QCOMPARE(counts("lm"), QStringList({"", "5", ""})); // the live labels stay blank
        Refusal r = judgeRefused();
        QCOMPARE(r.text, QStringLiteral("「𠮷」の画数が辞書にありません。辞書に登録してから判定してください。"));
        QCOMPARE(r.buttons.size(), 2);
        QCOMPARE(r.icon, QMessageBox::Information);
        QCOMPARE(r.title, QStringLiteral("kadelo"));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
        QCOMPARE(marks(), QStringList({"", "", "", ""}));
        QCOMPARE(int(screen.sou()), 0);
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("𠮷田"));
        QCOMPARE(w<QLineEdit>("textNin")->text(), QStringLiteral("太郎"));

        // Every such character once, in order, surname first; a character that can be stored brings
        // the offer of the dictionary screen, OK staying the default.
        w<QLineEdit>("textMin")->setText(QStringLiteral("桃𠮷"));
        w<QLineEdit>("textNin")->setText(QStringLiteral("ｱ桃😀"));
        r = judgeRefused();
        QCOMPARE(r.text, QStringLiteral("「桃𠮷ｱ😀」の画数が辞書にありません。辞書に登録してから判定してください。"));
        QCOMPARE(r.buttons.size(), 2);
        QVERIFY(r.buttons.contains(QStringLiteral("辞書を開く")));
        QCOMPARE(r.defaultButton, QStringLiteral("OK"));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));

        // A character the dictionary cannot register gets no offer.
        w<QLineEdit>("textMin")->setText(QStringLiteral("田,"));
        w<QLineEdit>("textNin")->setText(QStringLiteral("太"));
        r = judgeRefused();
        QCOMPARE(r.text, QStringLiteral("「,」の画数が辞書にありません。辞書に登録してから判定してください。"));
        QCOMPARE(r.buttons, QStringList{"OK"});

        // 々 in surname position 2 takes the count before it: only that one can be missing.
        w<QLineEdit>("textMin")->setText(QStringLiteral("佐々木"));
        w<QLineEdit>("textNin")->setText(QStringLiteral("太"));
        click("Command1");
        QCOMPARE(text("ls"), QStringLiteral("22"));
        w<QLineEdit>("textMin")->setText(QStringLiteral("桃々"));
        QCOMPARE(judgeRefused().text, QStringLiteral("「桃」の画数が辞書にありません。辞書に登録してから判定してください。"));
    }

    void theDictionaryOfferedOpensOnTheFirstStorableCharacter()
    {
        JudgementScreen& screen = openScreen();
        type("textMin", ",桃"); // a comma cannot be registered, 桃 can
        type("textNin", "太郎");
        QString inT1;
        ModalWatcher<DictionaryScreen> dictionary([&](DictionaryScreen* jisyo) {
            inT1 = jisyo->findChild<QLineEdit*>(QStringLiteral("T1"))->text();
            MessageCatcher registered;
            jisyo->findChild<QLineEdit*>(QStringLiteral("T2"))->setText(QStringLiteral("10"));
            QTest::mouseClick(jisyo->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
            jisyo->close();
        });
        judgeRefused(QStringLiteral("辞書を開く"));
        QVERIFY(dictionary.done());
        QCOMPARE(inT1, QStringLiteral("桃"));
        // What was registered counts at once; the comma is still missing.
        QCOMPARE(counts("lm"), QStringList({"", "10", ""}));
        QCOMPARE(judgeRefused().buttons, QStringList{"OK"});
        w<QLineEdit>("textMin")->setText(QStringLiteral("田桃"));
        click("Command1");
        QCOMPARE(text("ls"), QStringLiteral("28"));
        QCOMPARE(int(screen.sou()), 28);
    }

    void enterOnAFocusedButtonPressesIt()
    {
        openScreen();
        screen_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
        type("textMin", "山田");
        type("textNin", "太郎");
        w("Command1")->setFocus();
        QTest::keyClick(w("Command1"), Qt::Key_Return);
        QCOMPARE(text("ls"), QStringLiteral("21"));
        w("Command2")->setFocus();
        QTest::keyClick(w("Command2"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w<QLineEdit>("textMin")->text(), QString());
        QCOMPARE(text("ls"), QString());
    }

    void nameChangeEmptiesTheJudgementButKeepsSou()
    {
        JudgementScreen& screen = openScreen();
        type("textMin", "甲乙");
        type("textNin", "丙丁");
        click("Command1");
        QCOMPARE(int(screen.sou()), 21);
        w<QLineEdit>("textMin")->clear();
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
        QCOMPARE(marks(), QStringList({"", "", "", ""}));
        QVERIFY(!shown("tm1"));
        QCOMPARE(counts("lm"), QStringList({"", "", ""}));
        QCOMPARE(int(screen.sou()), 21);

        // 総運の性格 still shows the last judgement's total.
        QString shownNumber, shownText;
        ModalWatcher<PersonalityScreen> watcher([&](PersonalityScreen* p) {
            shownNumber = p->findChild<QLabel*>("Label1")->text();
            shownText = p->findChild<QPlainTextEdit*>("Text1")->toPlainText();
            QTest::mouseClick(p->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        click("Command4");
        QVERIFY(watcher.done());
        QCOMPARE(shownNumber, QStringLiteral("21"));
        QCOMPARE(shownText, ui::qs(personalityText(21)));
    }

    void personalityBeforeAnyJudgementIsRefused()
    {
        openScreen();
        MessageCatcher catcher;
        type("textMin", "甲乙");
        type("textNin", "丙丁");
        click("Command4");
        QCOMPARE(catcher.seen.size(), 1);
        QCOMPARE(catcher.seen[0].text, QStringLiteral("判定をしてから、ボタンを押してください。"));
        QCOMPARE(catcher.seen[0].title, QStringLiteral("kadelo"));
        QCOMPARE(catcher.seen[0].icon, QMessageBox::Information);
    }

    void personalityOpensModallyWithTheKeyOfSou_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("key");
        QTest::newRow("38") << "辰" << "梅" << "38" << 38;
        QTest::newRow("39") << "辰" << "桜" << "39" << 39;
        QTest::newRow("62") << "龍" << "鳳" << "62" << 2;
        QTest::newRow("122") << "驫" << "麟" << "122" << 0;
    }
    void personalityOpensModallyWithTheKeyOfSou()
    {
        QFETCH(QString, surname);
        QFETCH(QString, given);
        QFETCH(QString, number);
        QFETCH(int, key);
        openScreen();
        type("textMin", surname);
        type("textNin", given);
        click("Command1");
        QString shownNumber, shownText, caption;
        bool modal = false;
        ModalWatcher<PersonalityScreen> watcher([&](PersonalityScreen* p) {
            modal = p->isModal();
            caption = p->windowTitle();
            shownNumber = p->findChild<QLabel*>("Label1")->text();
            shownText = p->findChild<QPlainTextEdit*>("Text1")->toPlainText();
            QTest::mouseClick(p->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        click("Command4");
        QVERIFY(watcher.done());
        QVERIFY(modal);
        QCOMPARE(caption, QStringLiteral("総運の性格"));
        QCOMPARE(shownNumber, number);
        if (key == 0) {
            QCOMPARE(shownText, QString());
        } else {
            QString expected = ui::qs(personalityText(key));
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QCOMPARE(shownText, expected);
            QCOMPARE(shownText.count(QLatin1Char('\n')), key == 38 || key == 39 ? 1 : 0);
        }
    }

    void resetEmptiesEverything()
    {
        JudgementScreen& screen = openScreen();
        type("textMin", "庚辛壬");
        type("textNin", "癸子丑");
        click("Command1");
        click("Command2");
        QCOMPARE(w<QLineEdit>("textMin")->text(), QString());
        QCOMPARE(w<QLineEdit>("textNin")->text(), QString());
        QCOMPARE(counts("lm"), QStringList({"", "", ""}));
        QCOMPARE(counts("ln"), QStringList({"", "", ""}));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
        QCOMPARE(marks(), QStringList({"", "", "", ""}));
        QCOMPARE(visibleSegments(), std::set<int>{});
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(!shown(QStringLiteral("tm%1").arg(i)));
            QVERIFY(!shown(QStringLiteral("tn%1").arg(i)));
        }
        QCOMPARE(int(screen.sou()), 0);
    }

    void householdModeWithARegisteredFamilyName()
    {
        writeSettings("[Kadelo]\r\n\r\nName=太郎\r\nFamily name=山田\r\n\r\n[option]\r\n");
        JudgementScreen& screen = openScreen();
        clickCheckBox("chkt");
        QVERIFY(w<QCheckBox>("chkt")->isChecked());
        QVERIFY(shown("Lss"));
        QCOMPARE(text("Lss"), QStringLiteral("山田家専用"));
        QVERIFY(!shown("textMin"));
        QVERIFY(!shown("ml"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));

        type("textNin", "太郎");
        click("Command1");
        QCOMPARE(text("ls"), QStringLiteral("21"));
        // リセット keeps the family name and its counts.
        click("Command2");
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));
        QVERIFY(shown("tm1") && shown("tm2"));
        QCOMPARE(w<QLineEdit>("textNin")->text(), QString());
        QCOMPARE(counts("ln"), QStringList({"", "", ""}));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
        QCOMPARE(visibleSegments(), expectedSegments(2, 0));
        QCOMPARE(int(screen.sou()), 0);

        // Leaving household mode empties both halves and gives the surname box back.
        clickCheckBox("chkt");
        QVERIFY(!shown("Lss"));
        QVERIFY(shown("textMin") && shown("ml"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QString());
        QCOMPARE(visibleSegments(), std::set<int>{});
    }

    void householdModeWithoutAFamilyName_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("empty family name") << QByteArray("[Kadelo]\r\n\r\nName=太郎\r\nFamily name=\r\n");
        QTest::newRow("blanks only") << QByteArray("[Kadelo]\r\nFamily name=　 \r\n");
        QTest::newRow("no settings file") << QByteArray();
    }
    void householdModeWithoutAFamilyName()
    {
        QFETCH(QByteArray, settings);
        if (!settings.isEmpty())
            writeSettings(settings.constData());
        openScreen();
        type("textMin", "甲乙");
        type("textNin", "丙丁");
        click("Command1");
        const QStringList judged = numbers();
        QCOMPARE(judged.first(), QStringLiteral("21"));
        MessageCatcher catcher;
        clickCheckBox("chkt");
        QCOMPARE(catcher.seen.size(), 1);
        QCOMPARE(catcher.seen[0].text, QStringLiteral("登録されていません。"));
        QCOMPARE(catcher.seen[0].title, QStringLiteral("kadelo"));
        QCOMPARE(catcher.seen[0].icon, QMessageBox::Warning);
        QVERIFY(!w<QCheckBox>("chkt")->isChecked());
        QVERIFY(!shown("Lss"));
        QVERIFY(shown("textMin") && shown("ml"));
        // What the user typed and judged stays.
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("甲乙"));
        QCOMPARE(w<QLineEdit>("textNin")->text(), QStringLiteral("丙丁"));
        QCOMPARE(numbers(), judged);
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));
        QCOMPARE(int(screen_->sou()), 21);
    }

    void householdModeWithoutTheFieldChangesNothing()
    {
        writeSettings("[Kadelo]\r\n\r\nName=太郎\r\n");
        openScreen();
        type("textMin", "甲乙");
        MessageCatcher catcher;
        clickCheckBox("chkt");
        QVERIFY(catcher.seen.isEmpty());
        QVERIFY(w<QCheckBox>("chkt")->isChecked());
        QVERIFY(shown("textMin"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("甲乙"));
    }

    void handOverCountsWithoutJudging()
    {
        JudgementScreen& screen = openScreen();
        QString nbuf = QStringLiteral("太郎");
        screen.takeOver(nbuf, QStringLiteral("山田"));
        QCOMPARE(nbuf, QString());
        QCOMPARE(w<QLineEdit>("textNin")->text(), QStringLiteral("太郎"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));
        QCOMPARE(counts("ln"), QStringList({"4", "9", ""}));
        QCOMPARE(visibleSegments(), expectedSegments(2, 2));
        QCOMPARE(numbers(), QStringList({"", "", "", ""}));
        QCOMPARE(marks(), QStringList({"", "", "", ""}));
        QCOMPARE(int(screen.sou()), 0);
        click("Command1");
        QCOMPARE(text("ls"), QStringLiteral("21"));

        // A name sent while household mode holds another surname ends household mode.
        writeSettings("[Kadelo]\r\nFamily name=佐\r\n");
        clickCheckBox("chkt");
        QVERIFY(shown("Lss"));
        nbuf = QStringLiteral("太郎");
        screen.takeOver(nbuf, QStringLiteral("山田"));
        QVERIFY(!w<QCheckBox>("chkt")->isChecked() && !shown("Lss") && shown("textMin"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(counts("lm"), QStringList({"3", "5", ""}));
        click("Command1");

        // An empty buffer hands nothing over.
        QString empty;
        screen.takeOver(empty, QStringLiteral("佐々木"));
        QCOMPARE(w<QLineEdit>("textMin")->text(), QStringLiteral("山田"));
        QCOMPARE(text("ls"), QStringLiteral("21"));
    }

    void enterMovesTheFocus()
    {
        openScreen();
        screen_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
        w<QLineEdit>("textMin")->setFocus();
        type("textMin", "甲乙");
        QTest::keyClick(w<QLineEdit>("textMin"), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), w("textNin"));
        type("textNin", "丙丁");
        QTest::keyClick(w<QLineEdit>("textNin"), Qt::Key_Enter);
        QTRY_COMPARE(QApplication::focusWidget(), w("Command1"));
        QCOMPARE(numbers(), QStringList({"", "", "", ""})); // Enter judges nothing
    }

    void dictionaryEntriesAddedMeanwhileCountAtTheNextChange()
    {
        openScreen();
        type("textMin", "桃");
        QCOMPARE(text("lm1"), QString());
        QVERIFY(StrokeDictionary().append(U"桃", 10));
        QCOMPARE(text("lm1"), QString()); // nothing changes until the box does
        type("textMin", "子");
        QCOMPARE(counts("lm"), QStringList({"10", "6", ""}));
    }

    void looksFollowTheMenuSettings()
    {
        MenuSettings& m = ui::menuSettings();
        m.col[1] = U"255";      // col2: red
        m.col[2] = U"65280";    // col3: green
        m.col[6] = U"16711680"; // col7: blue
        m.col[22] = U"65535";   // col23: yellow
        m.mflag = 2;
        openScreen();
        QCOMPARE(screen_->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(w("sex")->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(w("chkt")->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(w("Command1")->palette().color(QPalette::Button), QColor(0, 255, 0));
        QCOMPARE(w("Command3")->palette().color(QPalette::Button), QColor(0, 0, 255));
        QCOMPARE(w("Label1")->palette().color(QPalette::Window), QColor(255, 255, 0));
        QVERIFY(!screen_->testAttribute(Qt::WA_SetCursor));
        screen_.reset();
        m.mflag = 0;
        openScreen();
        QCOMPARE(screen_->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(screen_->objectName(), QStringLiteral("kadelo"));
        QCOMPARE(screen_->windowTitle(), QStringLiteral("Kadelo"));
    }

    void segmentsMeetAtTheirEnds()
    {
        // Each bracket is drawn from one-pixel segments whose ends touch: check the 3 × 3 layout.
        openScreen();
        type("textMin", "甲乙丙");
        type("textNin", "丁戊己");
        auto rect = [&](int n) { return w(QStringLiteral("Line%1").arg(n))->geometry(); };
        QCOMPARE(rect(7).bottom(), rect(8).top());            // right spine
        QCOMPARE(rect(8).bottom(), rect(9).top());
        QCOMPARE(rect(6).left(), rect(9).left());              // stub to 人生運 leaves the spine
        QCOMPARE(rect(1).right(), rect(7).left());
        QCOMPARE(rect(28).right(), rect(32).left());           // 社会運 stub meets the joint
        QCOMPARE(rect(29).top(), rect(28).top());              // 伏運 spine hangs from the 社会運 stub
        QCOMPARE(rect(24).left(), rect(29).left());
        QCOMPARE(rect(24).right(), rect(22).left());
        QVERIFY(rect(18).top() <= rect(13).top() && rect(32).bottom() >= rect(13).top());
    }
};

QTEST_MAIN(JudgementScreenTest)
#include "judgement_screen_test.moc"
