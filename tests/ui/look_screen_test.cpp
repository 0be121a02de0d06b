// The shared Qt layer: colours from colour texts, Enter and Escape handling, one screen at a time,
// the window icon.
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QtTest>

#include "support/screen_support.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/platform.h"
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

    void windowIconIsTheDrawingAtEveryBuiltInSize()
    {
        // The built-in pixels are found (not the slow SVG fallback) and keep their channel order.
        const QIcon icon = ui::programIcon();
        const QList<QSize> sizes = icon.availableSizes();
        for (const int size : {16, 32, 48, 64, 128})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        QSvgRenderer renderer(QStringLiteral(":/kadelo.svg"));
        QVERIFY(renderer.isValid());
        QImage drawn(64, 64, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, 64, 64));
        painter.end();
        const QImage built = icon.pixmap(QSize(64, 64), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(built.size(), drawn.size());
        int worst = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb a = built.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        QVERIFY2(worst <= 8, qPrintable(QStringLiteral("largest difference %1").arg(worst)));
    }
};

QTEST_MAIN(LookScreenTest)
#include "look_screen_test.moc"
