// The shared Qt layer: colours from colour texts, Enter and Escape handling, one screen at a time.
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

#include "support/screen_support.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/screen_registry.h"

using namespace kadelo;

class LookScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colourTextsBecomeColoursWithDefaultsForBadText()
    {
        // 16777088 is red 128, green 255, blue 255: red sits in the lowest byte.
        QCOMPARE(ui::colourFromText(U"16777088", 1), QColor(128, 255, 255));
        QCOMPARE(ui::toColourValue(QColor(128, 255, 255)), 16777088u);
        QCOMPARE(ui::colourFromText(U"abc", 5), QColor(255, 128, 255)); // colour 5's default
        QCOMPARE(ui::colourFromText(U"", 15), QColor(0, 0, 255));
        ui::menuSettings().col[22] = U"255";
        QCOMPARE(ui::themeColour(23), QColor(255, 0, 0));
    }

    void enterRunsTheActionAndEscapeKeepsAnOrdinaryScreenOpen()
    {
        QDialog screen;
        auto* box = new QLineEdit(&screen);
        int entered = 0;
        ui::onEnter(box, [&] { ++entered; });
        ui::keepOpenOnEscape(&screen);
        screen.show();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(entered, 1);
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(screen.isVisible());
        screen.close();
        QVERIFY(!screen.isVisible());
    }

    void showOnceBringsTheOpenScreenForward()
    {
        int created = 0;
        auto make = [&] {
            ++created;
            auto* d = new QDialog;
            d->setObjectName(QStringLiteral("kadelo"));
            return d;
        };
        QWidget* first = ui::showOnce(QStringLiteral("kadelo"), make);
        QWidget* second = ui::showOnce(QStringLiteral("kadelo"), make);
        QCOMPARE(first, second);
        QCOMPARE(created, 1);
        first->close(); // deleted on close
        QTRY_VERIFY(!ui::openScreen(QStringLiteral("kadelo")));
        ui::showOnce(QStringLiteral("kadelo"), make)->close();
        QCOMPARE(created, 2);
    }
};

QTEST_MAIN(LookScreenTest)
#include "look_screen_test.moc"
