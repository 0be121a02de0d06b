// The settings screen, driven as a user would: opening from the file and the menu settings, the
// colour dialog, OK (the whole file, the animal type, the pointer at once), Cancel, and refusals.
#include <QCheckBox>
#include <QClipboard>
#include <algorithm>
#include <QColorDialog>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <sys/stat.h>
#include <filesystem>
#include <memory>

#include "settings/settings_screen.h"
#include "shell/openers.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "text/unicode.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/platform.h"

using namespace kadelo;
using namespace kadelo::testing;

namespace {

const QString kDone = QStringLiteral("簡易アニメーション＆カラー表示は、次回から有効です。");

// 1975: March's base number is 30, so 1975-3-15 is type 45.
const char* const kTable = "75,10,20,30,40,50,0,5,15,25,35,45,55\r\n";

const char* const kSavedText =
    "[Kadelo]\r\n\r\nName=寿限無助\r\nFamily name=山田\r\n\r\n[option]\r\n\r\n"
    "year=1975\r\nmonth=3\r\nday=15\r\nuser_animal=45\r\nBlood=AB\r\n\r\n[Mouse]\r\n\r\nMouse=2\r\n\r\n"
    "[Animation]\r\n\r\nAnimation1=0\r\nAnimation2=1\r\n\r\n[Color]\r\n\r\n"
    "No1=16777088\r\nNo2=16750487\r\nNo3=16702900\r\nNo4=16744448\r\nNo5=16744703\r\n"
    "No6=8454143\r\nNo7=8453888\r\nNo8=11592197\r\nNo9=8421631\r\nNo10=8454143\r\n"
    "No11=8454016\r\nNo12=16777088\r\nNo13=16744448\r\nNo14=16744703\r\nNo15=16711680\r\n"
    "No16=16744703\r\nNo17=16777088\r\nNo18=8454143\r\nNo19=8453888\r\nNo20=11138558\r\n"
    "No21=16744703\r\nNo22=12615935\r\nNo23=255\r\n\r\n#End\r\n";

QString colourButton(int index)
{
    return index == 23 ? QStringLiteral("cdm23") : QStringLiteral("cmd%1").arg(index);
}

std::string fileBytes()
{
    return readBytes("Kadelo.ini");
}

// The text of the settings file, for finding one line in it.
QString fileText()
{
    return QString::fromStdU32String(text::decodeCp932(fileBytes()));
}

} // namespace

class SettingsScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> folder_;
    MenuSettings startUp_;

    std::unique_ptr<SettingsScreen> openScreen()
    {
        auto screen = std::make_unique<SettingsScreen>();
        screen->show();
        if (!QTest::qWaitForWindowExposed(screen.get()))
            qWarning("settings screen not exposed");
        return screen;
    }

    static void click(QWidget* screen, const QString& name)
    {
        auto* w = child<QAbstractButton>(screen, name);
        QVERIFY(w);
        QVERIFY(w->isEnabled());
        // Where a user aims: the check mark or the button's left part.
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(qMin(8, w->width() / 2), w->height() / 2));
    }

    // Presses a colour button and answers the colour dialog; returns the colour it started at.
    static QColor pickColour(QWidget* screen, int index, const QColor& colour, bool accept = true)
    {
        QColor startedAt;
        ModalWatcher<QColorDialog> watcher([&](QColorDialog* dialog) {
            startedAt = dialog->currentColor();
            dialog->setCurrentColor(colour);
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        QTest::mouseClick(child<QPushButton>(screen, colourButton(index)), Qt::LeftButton);
        if (!watcher.done())
            qWarning("no colour dialog");
        return startedAt;
    }

    // Japanese text arrives as the input method's committed text.
    static void typeJapanese(QWidget* screen, const char* name, const QString& text)
    {
        auto* box = child<QLineEdit>(screen, QString::fromLatin1(name));
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    }

    static QColor swatch(QWidget* screen, int index)
    {
        return child<QLabel>(screen, QStringLiteral("lbl%1").arg(index))->palette().color(QPalette::Window);
    }

    void typeBirthDate(QWidget* screen, const QString& year, const QString& month, const QString& day)
    {
        for (auto [name, value] : {std::pair{"tyear", year}, std::pair{"tmonth", month}, std::pair{"tday", day}}) {
            auto* box = child<QLineEdit>(screen, QString::fromLatin1(name));
            box->clear();
            QTest::keyClicks(box, value);
        }
    }

private Q_SLOTS:
    void init()
    {
        folder_ = std::make_unique<TempFolder>();
        writeBytes("conve.dat", kTable);
        // What the main menu read at start-up: the defaults.
        ui::menuSettings() = MenuSettings{};
        MenuSettings& m = ui::menuSettings();
        m.aflag1 = 1;
        m.aflag2 = 1;
        m.mflag = 0;
        for (int i = 0; i < kColourCount; ++i)
            m.col[i] = text::fromUtf8(std::to_string(SettingsFile::defaultColours()[i]));
        startUp_ = m;
        SettingsScreen::savedThisRun().reset();
    }

    void cleanup()
    {
        folder_.reset();
    }

    void controlsCarryTheirNamesCaptionsAndHints()
    {
        auto screen = openScreen();
        QCOMPARE(screen->objectName(), QStringLiteral("settei"));
        QCOMPARE(screen->windowTitle(), QStringLiteral("設定"));

        QStringList frames;
        for (QGroupBox* g : screen->findChildren<QGroupBox*>())
            frames << g->title();
        frames.sort();
        QStringList expected{"個人情報", "Color", "Color2", "簡易アニメーション", "Mouse", "画数の数え方"};
        expected.sort();
        QCOMPARE(frames, expected);

        for (const char* name : {"tm", "tn", "tyear", "tmonth", "tday", "Blood"})
            QVERIFY2(child<QLineEdit>(screen.get(), QString::fromLatin1(name)), name);
        QVERIFY(child<QLabel>(screen.get(), "lblHintName")->text().contains(QStringLiteral("全角")));
        QVERIFY(child<QLabel>(screen.get(), "lblHintName")->text().contains(QStringLiteral("例")));
        QVERIFY(child<QLabel>(screen.get(), "lblHintDate")->text().contains(QStringLiteral("半角数字")));
        QVERIFY(child<QLabel>(screen.get(), "lblHintDate")->text().contains(QStringLiteral("1975")));

        for (int i = 1; i <= kColourCount; ++i) {
            QCOMPARE(child<QLabel>(screen.get(), QStringLiteral("lbl%1").arg(i))->text(), QString::number(i));
            QCOMPARE(child<QPushButton>(screen.get(), colourButton(i))->text(), QStringLiteral("変更"));
        }
        QVERIFY(!screen->findChild<QWidget*>(QStringLiteral("cmd23")));

        auto* chanime1 = child<QCheckBox>(screen.get(), "chanime1");
        QCOMPARE(chanime1->text(), QStringLiteral("Main"));
        QCOMPARE(chanime1->toolTip(), QStringLiteral("最初の画面のアニメーション"));
        QCOMPARE(child<QCheckBox>(screen.get(), "chanime2")->text(), QStringLiteral("起動・終了"));
        for (const char* name : {"opm1", "opm2"}) {
            auto* option = child<QRadioButton>(screen.get(), QString::fromLatin1(name));
            QVERIFY(option->text().isEmpty());
            QVERIFY(!option->icon().isNull());
        }
        QCOMPARE(child<QRadioButton>(screen.get(), "opm3")->text(), QStringLiteral("Windows"));
        QCOMPARE(child<QPushButton>(screen.get(), "Command1")->text(), QStringLiteral("OK"));
        QCOMPARE(child<QPushButton>(screen.get(), "Command1")->toolTip(), QStringLiteral("設定します"));
        QCOMPARE(child<QPushButton>(screen.get(), "Command2")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QCOMPARE(child<QPushButton>(screen.get(), "Command2")->toolTip(), QStringLiteral("キャンセル"));
    }

    void swatchesStandInOrderWithCaptionLeftAndButtonRight()
    {
        auto screen = openScreen();
        struct Row {
            int index;
            const char* caption;
        };
        const std::vector<std::vector<Row>> columns = {
            {{1, "Main"}, {2, "姓名判断"}, {23, "タイトル"}, {3, "判定"}, {4, "総運"}, {5, "リセット"}, {6, "辞書"}, {7, "終了"}},
            {{8, "命名支援"}, {9, "作成"}, {22, "送る"}, {10, "リセット"}, {11, "オールリセット"}, {12, "書き込み"}, {13, "辞書"},
                {14, "終了"}},
            {{15, "辞書BC"}, {16, "登録"}, {17, "検索"}, {18, "リセット"}, {19, "登録"}, {20, "リセット"}, {21, "終了"}}};
        const char* const frameOf[3] = {"Color", "Color", "Color2"};
        for (std::size_t c = 0; c < columns.size(); ++c) {
            int lastTop = -1;
            int left = -1;
            for (const Row& row : columns[c]) {
                auto* sw = child<QLabel>(screen.get(), QStringLiteral("lbl%1").arg(row.index));
                auto* cap = child<QLabel>(screen.get(), QStringLiteral("cap%1").arg(row.index));
                auto* btn = child<QPushButton>(screen.get(), colourButton(row.index));
                QCOMPARE(cap->text(), QString::fromUtf8(row.caption));
                QCOMPARE(static_cast<QGroupBox*>(sw->parentWidget())->title(), QString::fromLatin1(frameOf[c]));
                QVERIFY2(sw->y() > lastTop, row.caption);
                if (left >= 0)
                    QCOMPARE(sw->x(), left);
                lastTop = sw->y();
                left = sw->x();
                QVERIFY(cap->geometry().right() < sw->x());
                QVERIFY(btn->x() > sw->geometry().right());
                QVERIFY(qAbs(btn->geometry().center().y() - sw->geometry().center().y()) <= 2);
            }
        }
        // The right column of "Color" stands right of the left one.
        QVERIFY(child<QLabel>(screen.get(), "lbl8")->x() > child<QPushButton>(screen.get(), "cmd1")->x());
        // The headings of the dictionary's two pages.
        const int kanji = child<QLabel>(screen.get(), "lblKanji")->y();
        const int kana = child<QLabel>(screen.get(), "lblKana")->y();
        QCOMPARE(child<QLabel>(screen.get(), "lblKanji")->text(), QStringLiteral("漢字"));
        QCOMPARE(child<QLabel>(screen.get(), "lblKana")->text(), QStringLiteral("かな"));
        QVERIFY(kanji > child<QLabel>(screen.get(), "lbl15")->y() && kanji < child<QLabel>(screen.get(), "lbl16")->y());
        QVERIFY(kana > child<QLabel>(screen.get(), "lbl18")->y() && kana < child<QLabel>(screen.get(), "lbl19")->y());
    }

    void opensWithTheFilesProfileAndTheMenuSettings()
    {
        writeBytes("Kadelo.ini", cp932("Name=寿限無助\r\nFamily name=山田\r\nyear=19751\r\nmonth=3\r\nday=15\r\n"
                                       "Blood=AB\r\nMouse=1\r\nName=花子太郎\r\nAnimation1=1\r\nNo1=255\r\n"));
        MenuSettings& m = ui::menuSettings();
        m.aflag1 = 0;
        m.aflag2 = 1;
        m.col[0] = U"65280";    // green, in memory only: the file's No1 does not count
        m.col[14] = U"abc";     // not a colour: colour 15's default
        MessageCatcher messages;
        auto screen = openScreen();
        QTest::qWait(30);
        QVERIFY(messages.seen.isEmpty());

        QCOMPARE(child<QLineEdit>(screen.get(), "tn")->text(), QStringLiteral("花子太"));
        QCOMPARE(child<QLineEdit>(screen.get(), "tm")->text(), QStringLiteral("山田"));
        QCOMPARE(child<QLineEdit>(screen.get(), "tyear")->text(), QStringLiteral("1975"));
        QCOMPARE(child<QLineEdit>(screen.get(), "tmonth")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLineEdit>(screen.get(), "tday")->text(), QStringLiteral("15"));
        QCOMPARE(child<QLineEdit>(screen.get(), "Blood")->text(), QStringLiteral("AB"));
        QVERIFY(!child<QRadioButton>(screen.get(), "opm1")->isChecked());
        QVERIFY(child<QRadioButton>(screen.get(), "opm2")->isChecked());
        QVERIFY(!child<QCheckBox>(screen.get(), "chanime1")->isChecked());
        QVERIFY(child<QCheckBox>(screen.get(), "chanime2")->isChecked());
        QCOMPARE(swatch(screen.get(), 1), QColor(0, 255, 0));
        QCOMPARE(swatch(screen.get(), 15), QColor(0, 0, 255));
        QCOMPARE(swatch(screen.get(), 2), ui::fromColourValue(16750487));
        screen.reset();

        // A switch other than 0 or 1 leaves its box clear; a mouse code other than 0..2 selects nothing.
        m.aflag2 = 10;
        writeBytes("Kadelo.ini", "Mouse=x\r\n");
        screen = openScreen();
        QVERIFY(!child<QCheckBox>(screen.get(), "chanime2")->isChecked());
        for (const char* name : {"opm1", "opm2", "opm3"})
            QVERIFY2(!child<QRadioButton>(screen.get(), QString::fromLatin1(name))->isChecked(), name);
    }

    void aMissingFileGetsTheDefaultsSilently()
    {
        MessageCatcher messages;
        auto screen = openScreen();
        QTest::qWait(30);
        QVERIFY(messages.seen.isEmpty());
        QCOMPARE(QString::fromStdU32String(text::decodeCp932(fileBytes())), QString::fromStdU32String(SettingsFile::defaultsText()));
        QVERIFY(child<QRadioButton>(screen.get(), "opm1")->isChecked());
        QVERIFY(child<QLineEdit>(screen.get(), "tn")->text().isEmpty());
    }

    void aFileThatCannotBeReadIsReportedAndLeftAlone()
    {
        // A FIFO: an ordinary open would wait for a writer for good, and a save would replace it.
        QCOMPARE(::mkfifo("Kadelo.ini", 0644), 0);
        MessageCatcher messages;
        auto screen = openScreen();
        QTRY_COMPARE(messages.seen.size(), 1);
        QCOMPARE(messages.seen[0].text, QStringLiteral("設定ファイル「Kadelo.ini」を読み込めませんでした。個人情報は空欄で表示します。"));
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QVERIFY(child<QLineEdit>(screen.get(), "tm")->text().isEmpty());

        typeJapanese(screen.get(), "tm", QStringLiteral("山田"));
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 2);
        QCOMPARE(messages.seen[1].text, QStringLiteral("設定ファイル「Kadelo.ini」に保存できませんでした。（Kadelo.ini is not a regular file）"));
        QVERIFY(screen->isVisible());
        QVERIFY(std::filesystem::is_fifo("Kadelo.ini"));
    }

    void theColourDialogStartsAtTheSwatchsColour()
    {
        auto screen = openScreen();
        const QColor before2 = swatch(screen.get(), 2);
        const QColor before23 = swatch(screen.get(), 23);
        QVERIFY(before2 != before23);

        const QColor before1 = swatch(screen.get(), 1);
        QCOMPARE(pickColour(screen.get(), 1, QColor(255, 0, 0)), before1);
        QCOMPARE(swatch(screen.get(), 1), QColor(255, 0, 0));

        // Cancel leaves the swatch as it was.
        QCOMPARE(pickColour(screen.get(), 2, QColor(0, 0, 255), false), before2);
        QCOMPARE(swatch(screen.get(), 2), before2);

        // Each swatch opens at its own colour, not at the one picked last.
        QCOMPARE(pickColour(screen.get(), 23, QColor(0, 128, 0)), before23);
        QCOMPARE(swatch(screen.get(), 23), QColor(0, 128, 0));
        QCOMPARE(pickColour(screen.get(), 23, QColor(1, 2, 3)), QColor(0, 128, 0));
        QCOMPARE(pickColour(screen.get(), 1, QColor(4, 5, 6), false), QColor(255, 0, 0));
        QCOMPARE(screen->swatchColour(23), QColor(1, 2, 3));
    }

    void okSavesTheWholeFileAppliesThePointerAndCloses()
    {
        QWidget menu;
        menu.setObjectName(QStringLiteral("main"));
        QWidget judgement;
        judgement.setObjectName(QStringLiteral("kadelo"));
        for (QWidget* w : {&menu, &judgement}) {
            w->setCursor(ui::customPointer(1));
            w->show();
        }

        auto screen = openScreen();
        typeJapanese(screen.get(), "tm", QStringLiteral("山田"));
        typeJapanese(screen.get(), "tn", QStringLiteral("寿限無助"));
        typeBirthDate(screen.get(), "1975", "3", "15");
        QTest::keyClicks(child<QLineEdit>(screen.get(), "Blood"), QStringLiteral("AB"));
        click(screen.get(), "chanime1");
        click(screen.get(), "opm3");
        pickColour(screen.get(), 23, QColor(255, 0, 0));

        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.texts(), QStringList{kDone});
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QVERIFY(screen->isHidden());
        QCOMPARE(screen->result(), int(QDialog::Accepted));

        const std::string bytes = fileBytes();
        QCOMPARE(QByteArray::fromStdString(bytes), QByteArray::fromStdString(cp932(kSavedText)));
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 49);

        // The pointer at once; colours and switches only from the next start.
        QCOMPARE(ui::menuSettings().mflag, std::int16_t(2));
        for (QWidget* w : {&menu, &judgement})
            QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(ui::menuSettings().col == startUp_.col);
        QCOMPARE(ui::menuSettings().aflag1, std::int16_t(1));

        // The given name comes back as three characters, and is saved as three from then on.
        screen = openScreen();
        QCOMPARE(child<QLineEdit>(screen.get(), "tn")->text(), QStringLiteral("寿限無"));
        QVERIFY(child<QRadioButton>(screen.get(), "opm3")->isChecked());
        click(screen.get(), "Command1");
        QVERIFY(fileText().contains(QStringLiteral("\r\nName=寿限無\r\n")));
        QVERIFY(fileText().contains(QStringLiteral("\r\nuser_animal=45\r\n")));
    }

    void theCountingWayIsSavedInItsOwnFile()
    {
        auto screen = openScreen();
        auto* modern = child<QRadioButton>(screen.get(), "optModern");
        auto* traditional = child<QRadioButton>(screen.get(), "optTraditional");
        auto* numerals = child<QCheckBox>(screen.get(), "chkNumerals");
        QCOMPARE(modern->text(), QStringLiteral("新字体（今の字形）"));
        QCOMPARE(traditional->text(), QStringLiteral("旧字体（康熙字典）"));
        QCOMPARE(numerals->text(), QStringLiteral("漢数字（一～十）は数の値で数える"));
        // Today's way by default; the numerals apply to the traditional way only.
        QVERIFY(modern->isChecked());
        QVERIFY(!numerals->isEnabled());
        {
            MessageCatcher messages;
            click(screen.get(), "Command1");
        }
        QVERIFY(!std::filesystem::exists(u8path("画数.ini"))); // the default needs no file

        screen = openScreen();
        click(screen.get(), "optTraditional");
        QVERIFY(child<QCheckBox>(screen.get(), "chkNumerals")->isEnabled());
        click(screen.get(), "chkNumerals");
        {
            // Without the traditional dictionary in the data folder the message says so.
            MessageCatcher messages;
            click(screen.get(), "Command1");
            QCOMPARE(messages.texts(), QStringList{kDone + QStringLiteral("\n旧字体の辞書「旧字体.dat」がデータフォルダにないため、旧字体では画数を数えられません。")});
        }
        writeBytes(u8path("旧字体.dat"), cp932("\"山\",3\r\n"));
        screen = openScreen();
        {
            MessageCatcher messages;
            click(screen.get(), "Command1");
            QCOMPARE(messages.texts(), QStringList{kDone});
        }
        QCOMPARE(readBytes(u8path("画数.ini")), std::string("Way=1\r\nNumerals=1\r\n"));
        const std::string bytes = fileBytes();
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 49); // Kadelo.ini keeps its layout
        QVERIFY(!fileText().contains(QStringLiteral("Way")));

        // The next visit shows the choice; cancelling a change leaves the file alone.
        screen = openScreen();
        QVERIFY(child<QRadioButton>(screen.get(), "optTraditional")->isChecked());
        QVERIFY(child<QCheckBox>(screen.get(), "chkNumerals")->isChecked());
        click(screen.get(), "optModern");
        click(screen.get(), "Command2");
        QCOMPARE(readBytes(u8path("画数.ini")), std::string("Way=1\r\nNumerals=1\r\n"));
    }

    void aSecondVisitShowsAndKeepsWhatTheFirstSaved()
    {
        auto screen = openScreen();
        pickColour(screen.get(), 23, QColor(255, 0, 0));
        click(screen.get(), "chanime2");
        {
            MessageCatcher messages;
            click(screen.get(), "Command1");
            QCOMPARE(messages.texts(), QStringList{kDone});
        }
        QVERIFY(fileText().contains(QStringLiteral("\r\nAnimation2=0\r\n")));

        // The menu still holds its start-up values; the settings screen shows what was saved.
        QVERIFY(ui::menuSettings().col == startUp_.col);
        QCOMPARE(ui::menuSettings().aflag2, std::int16_t(1));
        screen = openScreen();
        QCOMPARE(swatch(screen.get(), 23), QColor(255, 0, 0));
        QVERIFY(!child<QCheckBox>(screen.get(), "chanime2")->isChecked());
        QCOMPARE(swatch(screen.get(), 22), ui::fromColourValue(12615935));

        // Saving the birth date again does not undo the colour.
        typeBirthDate(screen.get(), "1975", "3", "15");
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QVERIFY(fileText().contains(QStringLiteral("\r\nNo23=255\r\n")));
        QVERIFY(fileText().contains(QStringLiteral("\r\nAnimation2=0\r\n")));
    }

    void aCustomPointerReachesTheOpenScreensAtOnce()
    {
        ui::menuSettings().mflag = 2;
        QWidget naming;
        naming.setObjectName(QStringLiteral("nfind"));
        naming.show();
        QWidget other;
        other.setObjectName(QStringLiteral("jisyo"));
        other.show();

        auto screen = openScreen();
        click(screen.get(), "opm2");
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.texts(), QStringList{kDone});
        QCOMPARE(ui::menuSettings().mflag, std::int16_t(1));
        QVERIFY(naming.testAttribute(Qt::WA_SetCursor));
        QCOMPARE(naming.cursor().shape(), Qt::BitmapCursor);
        QVERIFY(!other.testAttribute(Qt::WA_SetCursor));
        QVERIFY(fileText().contains(QStringLiteral("\r\nMouse=1\r\n")));
    }

    void aDateWithoutAnAnimalTypeSavesZeroAndSaysSo()
    {
        auto screen = openScreen();
        typeBirthDate(screen.get(), "75", "3", "15");
        {
            MessageCatcher messages;
            click(screen.get(), "Command1");
            QCOMPARE(messages.seen.size(), 1);
            QCOMPARE(messages.seen[0].text,
                kDone + QStringLiteral("\n生年月日から動物占いのタイプを求められませんでした。"));
        }
        QVERIFY(fileText().contains(QStringLiteral("\r\nyear=75\r\nmonth=3\r\nday=15\r\nuser_animal=0\r\n")));

        // No birth date at all: nothing to say about it.
        screen = openScreen();
        typeBirthDate(screen.get(), "", "", "");
        MessageCatcher quiet;
        click(screen.get(), "Command1");
        QCOMPARE(quiet.texts(), QStringList{kDone});
        QVERIFY(fileText().contains(QStringLiteral("\r\nyear=\r\nmonth=\r\nday=\r\nuser_animal=0\r\n")));
    }

    void aDateThatIsNoDateIsRefusedAndNothingSaved_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");
        QTest::newRow("year abc") << "abc" << "3" << "15";
        QTest::newRow("month 13") << "1975" << "13" << "15";
        QTest::newRow("4月31日") << "1975" << "4" << "31";
        QTest::newRow("1900 is no leap year") << "1900" << "2" << "29";
        QTest::newRow("day 32 without a year") << "" << "1" << "32";
    }
    void aDateThatIsNoDateIsRefusedAndNothingSaved()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, day);
        // A profile saved before, with its animal type.
        auto screen = openScreen();
        typeBirthDate(screen.get(), "1975", "3", "15");
        {
            MessageCatcher done;
            click(screen.get(), "Command1");
        }
        const std::string before = fileBytes();
        QVERIFY(fileText().contains(QStringLiteral("\r\nuser_animal=45\r\n")));

        screen = openScreen();
        typeBirthDate(screen.get(), year, month, day);
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("生年月日が正しくありません。")});
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QCOMPARE(messages.seen[0].title, QStringLiteral("kadelo"));
        QVERIFY(screen->isVisible());
        QCOMPARE(child<QLineEdit>(screen.get(), "tyear")->text(), year);
        QCOMPARE(child<QLineEdit>(screen.get(), "tmonth")->text(), month);
        QCOMPARE(child<QLineEdit>(screen.get(), "tday")->text(), day);
        QCOMPARE(fileBytes(), before);
    }

    void datesThatAreDatesAreSaved_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");
        QTest::addColumn<int>("animal");
        QTest::newRow("full-width digits") << "１９７５" << "３" << "１５" << 45;
        QTest::newRow("leap day") << "2000" << "2" << "29" << 0;
        QTest::newRow("two-digit year, any day up to 31") << "75" << "2" << "31" << 0;
        QTest::newRow("year and day") << "1930" << "" << "31" << 0;
    }
    void datesThatAreDatesAreSaved()
    {
        QFETCH(QString, year);
        QFETCH(QString, month);
        QFETCH(QString, day);
        QFETCH(int, animal);
        auto screen = openScreen();
        child<QLineEdit>(screen.get(), "tyear")->clear();
        typeJapanese(screen.get(), "tyear", year);
        child<QLineEdit>(screen.get(), "tmonth")->clear();
        typeJapanese(screen.get(), "tmonth", month);
        child<QLineEdit>(screen.get(), "tday")->clear();
        typeJapanese(screen.get(), "tday", day);
        QCOMPARE(child<QLineEdit>(screen.get(), "tyear")->text(), year);
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QVERIFY(screen->isHidden());
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts()[0].startsWith(kDone));
        QCOMPARE(messages.texts()[0] == kDone, animal != 0);
        QVERIFY2(fileText().contains(QStringLiteral("\r\nyear=%1\r\nmonth=%2\r\nday=%3\r\nuser_animal=%4\r\n")
                                         .arg(year, month, day).arg(animal)),
            qPrintable(fileText()));
    }

    void cancelWritesAndAppliesNothing()
    {
        auto screen = openScreen();
        const std::string before = fileBytes();
        QWidget menu;
        menu.setObjectName(QStringLiteral("main"));
        menu.show();

        typeJapanese(screen.get(), "tn", QStringLiteral("花子"));
        click(screen.get(), "opm3");
        pickColour(screen.get(), 1, QColor(255, 0, 0));
        MessageCatcher messages;
        click(screen.get(), "Command2");
        QTest::qWait(30);
        QVERIFY(messages.seen.isEmpty());
        QVERIFY(screen->isHidden());
        QCOMPARE(screen->result(), int(QDialog::Rejected));
        QCOMPARE(fileBytes(), before);
        QCOMPARE(ui::menuSettings().mflag, std::int16_t(0));
        QVERIFY(!menu.testAttribute(Qt::WA_SetCursor));
    }

    void textTheFileCannotHoldIsRefusedNamingTheBox()
    {
        auto screen = openScreen();
        const std::string before = fileBytes();
        child<QLineEdit>(screen.get(), "tn")->setText(QStringLiteral("𠮷男"));
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 1);
        QCOMPARE(messages.seen[0].text,
            QStringLiteral("「名前」に、設定ファイルに保存できない文字「𠮷」があります。別の文字で入力してください。"));
        QCOMPARE(messages.seen[0].icon, QMessageBox::Information);
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->focusWidget(), child<QLineEdit>(screen.get(), "tn"));
        QCOMPARE(fileBytes(), before);

        child<QLineEdit>(screen.get(), "tn")->setText(QStringLiteral("吉男"));
        child<QLineEdit>(screen.get(), "Blood")->setText(QStringLiteral("A😀"));
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 2);
        QVERIFY(messages.seen[1].text.startsWith(QStringLiteral("「血液型」に")));
        QCOMPARE(fileBytes(), before);

        // A pasted line break would split the file's lines.
        child<QLineEdit>(screen.get(), "Blood")->setText(QStringLiteral("A"));
        QApplication::clipboard()->setText(QStringLiteral("1975\r\nMouse=2"));
        child<QLineEdit>(screen.get(), "tyear")->clear();
        child<QLineEdit>(screen.get(), "tyear")->paste();
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 3);
        QCOMPARE(messages.seen[2].text,
            QStringLiteral("「生年月日の年」に、改行などの設定ファイルに保存できない文字があります。取り除いてください。"));
        QCOMPARE(fileBytes(), before);
        QVERIFY(screen->isVisible());

        // A comma would end the field when the file is read back, and the rest would be taken as a
        // key of its own (here another animal type); a double quote would open a quoted field.
        child<QLineEdit>(screen.get(), "tyear")->setText(QStringLiteral("1975"));
        child<QLineEdit>(screen.get(), "tn")->setText(QStringLiteral("太,user_animal=1"));
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 4);
        QCOMPARE(messages.seen[3].text, QStringLiteral("「名前」に、改行などの設定ファイルに保存できない文字があります。取り除いてください。"));
        child<QLineEdit>(screen.get(), "tn")->setText(QStringLiteral("太"));
        child<QLineEdit>(screen.get(), "tm")->setText(QStringLiteral("\"山田"));
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 5);
        QVERIFY(messages.seen[4].text.startsWith(QStringLiteral("「苗字」に、")));
        QCOMPARE(fileBytes(), before);
    }

    void aFailedSaveKeepsTheScreenOpenWithEverythingTyped()
    {
        auto screen = openScreen();
        typeJapanese(screen.get(), "tm", QStringLiteral("山田"));
        pickColour(screen.get(), 5, QColor(10, 20, 30));
        // A folder in the file's place: the save cannot replace it, as in a folder without write access.
        std::filesystem::remove("Kadelo.ini");
        std::filesystem::create_directory("Kadelo.ini");
        writeBytes("Kadelo.ini/keep", "x");

        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.seen.size(), 1);
        QVERIFY(messages.seen[0].text.startsWith(QStringLiteral("設定ファイル「Kadelo.ini」に保存できませんでした。")));
        QVERIFY(screen->isVisible());
        QCOMPARE(child<QLineEdit>(screen.get(), "tm")->text(), QStringLiteral("山田"));
        QCOMPARE(swatch(screen.get(), 5), QColor(10, 20, 30));
        QCOMPARE(ui::menuSettings().mflag, std::int16_t(0));

        std::filesystem::remove_all("Kadelo.ini");
        click(screen.get(), "Command1");
        QCOMPARE(messages.texts().last(), kDone);
        QVERIFY(screen->isHidden());
        QVERIFY(fileText().contains(QStringLiteral("\r\nFamily name=山田\r\n")));
        QVERIFY(fileText().contains(QStringLiteral("\r\nNo5=") + QString::number(10 + 20 * 256 + 30 * 65536) + "\r\n"));
    }

    void withoutAPointerOptionTheCodeInEffectIsKept()
    {
        writeBytes("Kadelo.ini", "Mouse=\r\n");
        ui::menuSettings().mflag = 1;
        auto screen = openScreen();
        MessageCatcher messages;
        click(screen.get(), "Command1");
        QCOMPARE(messages.texts(), QStringList{kDone});
        QVERIFY(fileText().contains(QStringLiteral("\r\nMouse=1\r\n")));
        QCOMPARE(ui::menuSettings().mflag, std::int16_t(1));
    }

    void theMainMenuOpensItModal()
    {
        bool wasModal = false;
        ModalWatcher<SettingsScreen> watcher([&](SettingsScreen* screen) {
            wasModal = screen->isModal();
            QTest::mouseClick(child<QPushButton>(screen, "Command2"), Qt::LeftButton);
        });
        screens::openSettings(nullptr);
        QVERIFY(watcher.done());
        QVERIFY(wasModal);
    }
};

QTEST_MAIN(SettingsScreenTest)
#include "settings_screen_test.moc"
