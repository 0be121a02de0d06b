// The animal fortune's input screen `animal` and result screen `hantei`, driven as a user would.
#include <QComboBox>
#include <QDate>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "animal/animal_fortunes.h"
#include "animal/animal_screen.h"
#include "animal/result_screen.h"
#include "shell/openers.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "ui/picture.h"
#include "ui/qt_text.h"
#include "ui/screen_registry.h"

using namespace kadelo;
namespace kt = kadelo::testing;

namespace {

// One conve.dat row: the key, January's base, and the same base `rest` for February to December.
std::string row(const std::string& key, const std::string& january, const std::string& rest = "10")
{
    std::string line = key + "," + january;
    for (int m = 2; m <= 12; ++m)
        line += "," + rest;
    return line + "\r\n";
}

// While alive, answers every result screen that opens: records the text of L1, runs `whileOpen` on
// the screen, and presses "戻る".
class ResultWatcher {
public:
    explicit ResultWatcher(std::function<void(QDialog*)> whileOpen = {}) : whileOpen_(std::move(whileOpen))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* screen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!screen || !screen->isVisible() || screen->objectName() != QLatin1String("hantei") || busy_)
                return;
            busy_ = true;
            animals << screen->findChild<QLabel*>(QStringLiteral("L1"))->text();
            if (whileOpen_)
                whileOpen_(screen);
            QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("cmdExit")), Qt::LeftButton);
            busy_ = false;
        });
        timer_.start();
    }
    QStringList animals;

private:
    std::function<void(QDialog*)> whileOpen_;
    QTimer timer_;
    bool busy_ = false;
};

// Replaces the text of a box as typed: ASCII from the keyboard, Japanese committed by the input method.
void typeInto(QComboBox* box, const QString& text)
{
    QLineEdit* edit = box->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(edit, &commit);
        }
    }
}

void click(QWidget* parent, const QString& name)
{
    auto* w = parent->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY2(w->isEnabled(), qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton);
}

} // namespace

class AnimalScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        folder_ = std::make_unique<kt::TempFolder>();
        screen_ = std::make_unique<AnimalScreen>();
        screen_->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen_.get()));
    }
    void cleanup()
    {
        screen_.reset();
        folder_.reset();
    }

    void boxesHoldTheDateItemsAndStartAtTheFirstOf1963()
    {
        QCOMPARE(screen_->objectName(), QStringLiteral("animal"));
        QCOMPARE(screen_->windowTitle(), QStringLiteral("ぼくの名前は、zedi"));
        QVERIFY(!screen_->isModal());
        auto* combY = screen_->findChild<QComboBox*>(QStringLiteral("combY"));
        auto* combM = screen_->findChild<QComboBox*>(QStringLiteral("combM"));
        auto* combD = screen_->findChild<QComboBox*>(QStringLiteral("combD"));
        QVERIFY(combY && combM && combD);
        QVERIFY(combY->isEditable() && combM->isEditable() && combD->isEditable());
        // From 1941 to this year (by the clock, at most 2040).
        const int lastYear = std::min(QDate::currentDate().year(), 2040);
        QCOMPARE(combY->count(), lastYear - 1940);
        QCOMPARE(combY->itemText(combY->count() - 1).left(4), QString::number(lastYear));
        const QStringList years{"1941 ・ 昭和16", "1963 ・ 昭和38", "1988 ・ 昭和63", "1989 ・ 平成 1", "1997 ・ 平成 9",
            "1998 ・ 平成10", "2000 ・ 平成12", "2019 ・ 令和 1"};
        QStringList picked;
        for (int i : {0, 22, 47, 48, 56, 57, 59, 78})
            picked << combY->itemText(i);
        QCOMPARE(picked, years);
        QCOMPARE(combM->count(), 12);
        QCOMPARE(combD->count(), 31);
        for (QComboBox* box : {combM, combD})
            for (int i = 0; i < box->count(); ++i)
                QCOMPARE(box->itemText(i), QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char(' ')));
        QCOMPARE(combY->currentText(), QStringLiteral("1963 ・ 昭和38"));
        QCOMPARE(combM->currentText(), QStringLiteral(" 1"));
        QCOMPARE(combD->currentText(), QStringLiteral(" 1"));
        QCOMPARE(screen_->findChild<QPushButton*>(QStringLiteral("cmdFind"))->text(), QStringLiteral("Find"));
        QCOMPARE(screen_->findChild<QPushButton*>(QStringLiteral("cmdExit"))->text(), QStringLiteral("Exit"));
        QCOMPARE(screen_->findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("ぼくの名前は、zedi"));
    }

    void initialDateShowsTheAnimalOfRow63January()
    {
        kt::writeBytes("conve.dat", row("62", "20") + row("63", "4", "40") + row("64", "30"));
        QDialog* seen = nullptr;
        QString label1, label2, caption;
        ResultWatcher watcher([&](QDialog* result) {
            seen = result;
            caption = result->windowTitle();
            label1 = result->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            label2 = result->findChild<QLabel*>(QStringLiteral("Label2"))->text();
        });
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{QStringLiteral("黒ひょう")});
        QCOMPARE(screen_->cd, 5);
        QVERIFY(seen);
        QCOMPARE(caption, QStringLiteral("ぼくの名前は、zedi"));
        QCOMPARE(label1, QStringLiteral("きみは・・・"));
        QCOMPARE(label2, QStringLiteral("・・・ちゃん"));
        // Back on the input screen, the date stays as it was.
        QVERIFY(screen_->isVisible());
        QCOMPARE(screen_->findChild<QComboBox*>(QStringLiteral("combY"))->currentText(), QStringLiteral("1963 ・ 昭和38"));

        // Enter on the focused "Find" presses it, as Space does.
        auto* find = screen_->findChild<QPushButton*>(QStringLiteral("cmdFind"));
        find->setFocus();
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(watcher.animals, (QStringList{QStringLiteral("黒ひょう"), QStringLiteral("黒ひょう")}));
    }

    void typeButtonSwitchesToThePhraseOnce()
    {
        kt::writeBytes("conve.dat", row("63", "29"));
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combD")), QStringLiteral("31"));
        QStringList shown;
        ResultWatcher watcher([&](QDialog* result) {
            auto* l1 = result->findChild<QLabel*>(QStringLiteral("L1"));
            click(result, QStringLiteral("cmdT"));
            shown << l1->text();
            click(result, QStringLiteral("cmdT"));
            shown << l1->text();
        });
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{QStringLiteral("虎")});
        QCOMPARE(shown, (QStringList{QStringLiteral("神様みたい"), QStringLiteral("神様みたい")}));
        QCOMPARE(screen_->cd, 60);
    }

    void datesPickedAndTypedFindTheirRow_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QStringList>("animals");
        QTest::newRow("sum 61 gives type 1") << "1964 ・ 昭和39" << " 1" << "31" << QStringList{"チーター"};
        QTest::newRow("month typed with 月") << "1964 ・ 昭和39" << "3月" << " 2" << QStringList{"タヌキ"};
        QTest::newRow("month rounded to nearest") << "1964 ・ 昭和39" << "2.6" << "2" << QStringList{"タヌキ"};
        QTest::newRow("year beyond the picker") << "2040" << " 1" << " 1" << QStringList{"コアラ", "コアラ"};
        QTest::newRow("leap day") << "1964 ・ 昭和39" << " 2" << "29" << QStringList{"ひつじ"};
    }
    void datesPickedAndTypedFindTheirRow()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, day);
        QFETCH(QStringList, animals);
        // 2040 has two rows: a result screen for each.
        kt::writeBytes("conve.dat", row("64", "30", "0") + row("30", "3") + row("40", "3") + row("40", "3"));
        auto* combY = screen_->findChild<QComboBox*>(QStringLiteral("combY"));
        if (combY->findText(year) >= 0)
            combY->setCurrentIndex(combY->findText(year));
        else
            typeInto(combY, year);
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combM")), month);
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combD")), day);
        QCOMPARE(combY->currentText(), year);
        QCOMPARE(screen_->findChild<QComboBox*>(QStringLiteral("combM"))->currentText(), month);
        QCOMPARE(screen_->findChild<QComboBox*>(QStringLiteral("combD"))->currentText(), day);
        kt::MessageCatcher messages;
        ResultWatcher watcher;
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, animals);
        QCOMPARE(messages.texts(), QStringList{});
    }

    void dateOutsideTheCalendarAsksForAValidDate_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");
        QTest::newRow("month 13") << "13" << " 1";
        QTest::newRow("month 0") << "0" << " 1";
        QTest::newRow("day 40") << "12.5" << "40";
        QTest::newRow("month no number") << "がつ" << " 1";
        QTest::newRow("month empty") << "" << " 1";
        QTest::newRow("day 32") << " 1" << "32";
        QTest::newRow("day 0") << " 1" << "0";
        QTest::newRow("day not whole") << " 1" << "1.5";
        QTest::newRow("day with 日") << " 1" << "3日";
        QTest::newRow("2月31日") << " 2" << "31";
        QTest::newRow("4月31日") << " 4" << "31";
        QTest::newRow("2月29日 in a common year") << " 2" << "29";
    }
    void dateOutsideTheCalendarAsksForAValidDate()
    {
        QFETCH(QString, month);
        QFETCH(QString, day);
        kt::writeBytes("conve.dat", row("63", "29"));
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combM")), month);
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combD")), day);
        kt::MessageCatcher messages;
        ResultWatcher watcher;
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{});
        QCOMPARE(messages.seen.size(), 1);
        QVERIFY(messages.seen[0].text.startsWith(QStringLiteral("正しい日付を入れてください。")));
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QCOMPARE(screen_->cd, 0);
    }

    void yearOutsideTheTableIsSaid_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("table");
        QTest::newRow("1899") << "1899" << "99,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
        QTest::newRow("1930") << "1930" << "30,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
        QTest::newRow("2041") << "2041" << "41,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
        QTest::newRow("no year") << "いつか" << "63,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
        QTest::newRow("a table without the year's row") << "1975" << "63,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
    }
    void yearOutsideTheTableIsSaid()
    {
        QFETCH(QString, year);
        QFETCH(QString, table);
        kt::writeBytes("conve.dat", table.toStdString());
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combY")), year);
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combM")), QStringLiteral(" 2"));
        typeInto(screen_->findChild<QComboBox*>(QStringLiteral("combD")), QStringLiteral("28"));
        kt::MessageCatcher messages;
        ResultWatcher watcher;
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{});
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("その年の動物占いはできません。（1941～2040年）")});
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QCOMPARE(screen_->cd, 0);
    }

    void missingTableIsReported()
    {
        kt::MessageCatcher messages;
        ResultWatcher watcher;
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{});
        QCOMPARE(messages.seen.size(), 1);
        QVERIFY(messages.seen[0].text.contains(QStringLiteral("conve.dat")));
        QVERIFY(messages.seen[0].text.contains(QStringLiteral("見つかりません")));
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
    }

    void zediAnswersOnBothScreensWithoutIcon()
    {
        kt::writeBytes("conve.dat", row("63", "0"));
        kt::MessageCatcher messages;
        click(screen_.get(), QStringLiteral("Image1"));
        click(screen_.get(), QStringLiteral("Image2"));
        ResultWatcher watcher([&](QDialog* result) {
            for (const char* name : {"Image1", "Image2"})
                click(result, QString::fromLatin1(name));
        });
        click(screen_.get(), QStringLiteral("cmdFind"));
        QCOMPARE(watcher.animals, QStringList{QStringLiteral("チーター")});
        QCOMPARE(messages.texts(), (QStringList{QStringLiteral("ぼくのなまえは、こんこん"), QStringLiteral("おなかすいたよ\uFF5E"),
                                       QStringLiteral("こ\uFF5E\uFF5Eん、こんこん"), QStringLiteral("ぼくに、メールちょうだい。")}));
        for (const kt::SeenMessage& m : messages.seen) {
            QCOMPARE(m.icon, QMessageBox::NoIcon);
            QCOMPARE(m.title, QStringLiteral("kadelo"));
        }
        QCOMPARE(screen_->findChild<ui::Picture*>(QStringLiteral("Image1"))->pictureResource(), QStringLiteral(":/zedi_0.svg"));
        QCOMPARE(screen_->findChild<ui::Picture*>(QStringLiteral("Image2"))->pictureResource(), QStringLiteral(":/zedi_talk.svg"));
    }

    // Each theme shows its paragraph for the animal found, under a heading that names the animal; the
    // animal (or, after "タイプ", its phrase) stays where it is.
    void themeButtonsShowTheAnimalsParagraphs()
    {
        kt::writeBytes("conve.dat", row("63", "1"));
        QStringList headings, paragraphs, l1Texts;
        kt::MessageCatcher messages;
        ResultWatcher watcher([&](QDialog* result) {
            auto* l1 = result->findChild<QLabel*>(QStringLiteral("L1"));
            auto* heading = result->findChild<QLabel*>(QStringLiteral("lblTheme"));
            auto* text = result->findChild<QLabel*>(QStringLiteral("txtFortune"));
            QVERIFY(heading && text);
            QVERIFY(text->text().contains(QStringLiteral("タヌキ")) || text->text().contains(QStringLiteral("たぬき")));
            for (const char* name : {"Command1", "Command2", "cmdT", "Command3"}) {
                click(result, QString::fromLatin1(name));
                headings << heading->text();
                paragraphs << text->text();
                l1Texts << l1->text();
                QVERIFY(text->isVisible());
            }
        });
        click(screen_.get(), QStringLiteral("cmdFind")); // 1 + 1: type 2, "タヌキ"
        QCOMPARE(watcher.animals, QStringList{QStringLiteral("タヌキ")});
        QVERIFY(messages.seen.isEmpty());
        QCOMPARE(headings, (QStringList{QStringLiteral("タヌキの全般運"), QStringLiteral("タヌキの仕事運"),
                               QStringLiteral("タヌキの仕事運"), QStringLiteral("タヌキの恋愛運")}));
        QCOMPARE(paragraphs[0], ui::qs(animalFortune(2, FortuneTheme::General)));
        QCOMPARE(paragraphs[1], ui::qs(animalFortune(2, FortuneTheme::Work)));
        QCOMPARE(paragraphs[3], ui::qs(animalFortune(2, FortuneTheme::Love)));
        QVERIFY(paragraphs[0].startsWith(QStringLiteral("たぬきのきみは")));
        QCOMPARE(l1Texts, (QStringList{QStringLiteral("タヌキ"), QStringLiteral("タヌキ"), QStringLiteral("社交家"),
                              QStringLiteral("社交家")}));
    }

    void resultScreenShowsATypeWithoutAnimalAsItsNumber()
    {
        // A type outside 1..60 has no animal, no phrase and no paragraph: the number stays, and the
        // three themes answer as before.
        kt::writeBytes("conve.dat", row("63", "0"));
        screen_->cd = 75;
        ResultScreen result(screen_.get());
        auto* l1 = result.findChild<QLabel*>(QStringLiteral("L1"));
        QCOMPARE(l1->text(), QStringLiteral("75"));
        QTest::mouseClick(result.findChild<QPushButton*>(QStringLiteral("cmdT")), Qt::LeftButton);
        QCOMPARE(l1->text(), QStringLiteral("75"));
        {
            kt::MessageCatcher messages;
            for (const char* name : {"Command1", "Command2", "Command3"})
                QTest::mouseClick(result.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
            QCOMPARE(messages.texts(), (QStringList{QStringLiteral("機能してません。"), QStringLiteral("機能してません"),
                                           QStringLiteral("機能してません。")}));
            QCOMPARE(result.findChild<QLabel*>(QStringLiteral("txtFortune"))->text(), QString());
        }
        QCOMPARE(result.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), QStringLiteral("全般"));
        QCOMPARE(result.findChild<QPushButton*>(QStringLiteral("Command2"))->text(), QStringLiteral("仕事"));
        QCOMPARE(result.findChild<QPushButton*>(QStringLiteral("Command3"))->text(), QStringLiteral("恋愛"));
        QCOMPARE(result.findChild<QPushButton*>(QStringLiteral("cmdT"))->text(), QStringLiteral("タイプ"));
        QCOMPARE(result.findChild<QPushButton*>(QStringLiteral("cmdExit"))->text(), QStringLiteral("戻る"));
    }

    void exitClosesTheInputScreen()
    {
        click(screen_.get(), QStringLiteral("cmdExit"));
        QVERIFY(!screen_->isVisible());
    }

    void menuOpensOneModelessScreen()
    {
        screen_.reset();
        screens::openAnimal(nullptr);
        QWidget* first = ui::openScreen(QStringLiteral("animal"));
        QVERIFY(first);
        QVERIFY(!first->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        screens::openAnimal(nullptr);
        QCOMPARE(ui::openScreen(QStringLiteral("animal")), first);
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            open += w->objectName() == QLatin1String("animal") && w->isVisible();
        QCOMPARE(open, 1);
        QPointer<QWidget> guard(first);
        click(first, QStringLiteral("cmdExit"));
        QTRY_VERIFY(guard.isNull()); // deleted once closed
    }

private:
    std::unique_ptr<kt::TempFolder> folder_;
    std::unique_ptr<AnimalScreen> screen_;
};

QTEST_MAIN(AnimalScreenTest)
#include "animal_screen_test.moc"
