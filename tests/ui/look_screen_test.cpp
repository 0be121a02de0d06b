// The shared Qt layer: colours from colour texts, Enter and Escape handling, one screen at a time.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
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

    void enterOnAFocusedButtonPressesItAsSpaceDoes()
    {
        QDialog screen;
        QPushButton* button = ui::makeButton(&screen, QStringLiteral("b"), QStringLiteral("b"));
        auto* box = new QLineEdit(&screen);
        int pressed = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
        screen.show();
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(pressed, 3);
        // The repeats of a held key press nothing more: Enter that moved the focus onto the button
        // from a text box must not press it.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(button, &repeat);
        QCOMPARE(pressed, 3);
        // Enter in a text box is no press of a default button.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(pressed, 3);
        QVERIFY(screen.isVisible());
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
