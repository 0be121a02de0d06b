// The about screen `frmAbout` and the play screen `game`.
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "settings/settings_file.h"
#include "shell/about_screen.h"
#include "shell/openers.h"
#include "shell/play_screen.h"
#include "support/screen_support.h"
#include "support/temp_folder.h"
#include "text/data_folder.h"
#include "ui/picture.h"

using namespace kadelo;
namespace kt = kadelo::testing;

namespace {

QString animalShown()
{
    AboutScreen about;
    return about.findChild<QLabel*>(QStringLiteral("lblanimal"))->text();
}

} // namespace

class AboutScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { folder_ = std::make_unique<kt::TempFolder>(); }
    void cleanup() { folder_.reset(); }

    void showsTitleVersionNoteAndIcon()
    {
        SettingsFile(text::settingsFileName()).writeDefaults();
        AboutScreen about;
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("kadeloのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("kadelo.exe Ver 1.5.6"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblDescription"))->text(), QStringLiteral("Kadelo"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text(), QStringLiteral("注）　遊び心で使ってくださいね。 "));
        QCOMPARE(about.findChild<ui::Picture*>(QStringLiteral("picIcon"))->pictureResource(), QStringLiteral(":/kadelo.svg"));
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
        bool credited = false;
        for (QLabel* label : about.findChildren<QLabel*>())
            credited |= label->text().contains(QStringLiteral("KANJIDIC2")) && label->text().contains(QStringLiteral("EDRDG"));
        QVERIFY(credited);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, Qt::Key_Return);
        QVERIFY(!about.isVisible());
    }

    void showsTheUsersOwnAnimal()
    {
        const QString request = QStringLiteral("ぜひ、生年月日を設定してください。");
        // No settings file at all, then the defaults with their empty value.
        QCOMPARE(animalShown(), request);
        SettingsFile settings(text::settingsFileName());
        QVERIFY(settings.writeDefaults());
        QCOMPARE(animalShown(), request);

        SettingsRecord record;
        record.colours = SettingsFile::defaultColours();
        record.animal = 2;
        QVERIFY(settings.save(record));
        QCOMPARE(animalShown(), QStringLiteral("あなたは、タヌキです。"));
        record.animal = 60;
        QVERIFY(settings.save(record));
        QCOMPARE(animalShown(), QStringLiteral("あなたは、虎です。"));
        record.animal = 0;
        QVERIFY(settings.save(record));
        QCOMPARE(animalShown(), request);
        record.animal = 75;
        QVERIFY(settings.save(record));
        QCOMPARE(animalShown(), QStringLiteral("あなたは、です。"));
    }

    void firstUserAnimalLineCounts()
    {
        kt::writeBytes(text::settingsFileName(), "user_name=\r\nuser_animal=8\r\nuser_animal=2\r\n#End\r\n");
        QCOMPARE(animalShown(), QStringLiteral("あなたは、たぬきです。"));
        kt::writeBytes(text::settingsFileName(), "user_animal=\r\nuser_animal=2\r\n#End\r\n");
        QCOMPARE(animalShown(), QStringLiteral("ぜひ、生年月日を設定してください。"));
    }

    void menuOpensTheAboutScreenModallyAndOkClosesIt()
    {
        kt::writeBytes(text::settingsFileName(), "user_animal=41\r\n");
        QWidget menu;
        bool modal = false;
        QString animal;
        kt::ModalWatcher<QDialog> watcher([&](QDialog* about) {
            modal = about->objectName() == QLatin1String("frmAbout") && about->isModal();
            animal = about->findChild<QLabel*>(QStringLiteral("lblanimal"))->text();
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        });
        screens::openAbout(&menu);
        QVERIFY(watcher.done());
        QVERIFY(modal);
        QCOMPARE(animal, QStringLiteral("あなたは、たぬきです。"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void playScreenButtonsDoNothingAndExitCloses()
    {
        QWidget menu;
        QStringList captions;
        bool stayedOpen = false;
        kt::ModalWatcher<QDialog> watcher([&](QDialog* game) {
            QCOMPARE(game->objectName(), QStringLiteral("game"));
            QCOMPARE(game->windowTitle(), QStringLiteral("お遊び"));
            QVERIFY(game->isModal());
            for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command13"}) {
                auto* button = game->findChild<QPushButton*>(QString::fromLatin1(name));
                QVERIFY2(button, name);
                captions << button->text();
                QTest::mouseClick(button, Qt::LeftButton);
            }
            stayedOpen = game->isVisible() && QApplication::activeModalWidget() == game;
            auto* cmdExit = game->findChild<QPushButton*>(QStringLiteral("cmdExit"));
            QCOMPARE(cmdExit->text(), QStringLiteral("終わり"));
            QTest::mouseClick(cmdExit, Qt::LeftButton);
        });
        screens::openPlay(&menu);
        QVERIFY(watcher.done());
        QCOMPARE(captions, (QStringList{"Command1", "Command2", "Command3", "Command4", "Command13"}));
        QVERIFY(stayedOpen);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

private:
    std::unique_ptr<kt::TempFolder> folder_;
};

QTEST_MAIN(AboutScreenTest)
#include "about_screen_test.moc"
