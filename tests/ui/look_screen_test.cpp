// The shared Qt layer: colours from colour texts, Enter and Escape handling, one screen at a time,
// the window icon and the pictures built into the program.
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QtTest>

#include "support/screen_support.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/picture.h"
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

    void builtInPicturesAreTheSvgDrawingsAtTheirSizes()
    {
        // Every picture the screens show at 1:1, built in (no SVG drawn at start), pixel for pixel what
        // drawing its SVG gives, the way the pictures were drawn before they were built in as well as
        // through the image plugin the program now falls back on.
        const QList<std::pair<QString, int>> built = {{QStringLiteral("zedi_0"), 32}, {QStringLiteral("zedi_1"), 32},
            {QStringLiteral("zedi_2"), 32}, {QStringLiteral("zedi_3"), 32}, {QStringLiteral("zedi_4"), 32},
            {QStringLiteral("zedi_5"), 32}, {QStringLiteral("zedi_6"), 32}, {QStringLiteral("zedi_7"), 32},
            {QStringLiteral("zedi_8"), 32}, {QStringLiteral("zedi_9"), 32}, {QStringLiteral("zedi_10"), 32},
            {QStringLiteral("zedi_11"), 32}, {QStringLiteral("zedi_12"), 32}, {QStringLiteral("zedi_13"), 32},
            {QStringLiteral("imn"), 32}, {QStringLiteral("pointer1"), 32}, {QStringLiteral("pointer2"), 32},
            {QStringLiteral("zedi_0"), 64}, {QStringLiteral("zedi_talk"), 64}, {QStringLiteral("kadelo"), 64}};
        for (const auto& [name, side] : built) {
            const QString svg = QStringLiteral(":/%1.svg").arg(name);
            const QString what = QStringLiteral("%1 at %2").arg(name).arg(side);
            const QImage pixels = ui::builtPicture(svg, QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!pixels.isNull(), qPrintable(what));
            QImage drawn(side, side, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QSvgRenderer renderer(svg);
            QVERIFY2(renderer.isValid(), qPrintable(what));
            QPainter painter(&drawn);
            renderer.render(&painter);
            painter.end();
            QVERIFY2(pixels == drawn, qPrintable(what));
            QVERIFY2(ui::drawnPicture(svg, QSize(side, side), Qt::IgnoreAspectRatio) == drawn, qPrintable(what));
            QImage empty(side, side, QImage::Format_ARGB32_Premultiplied);
            empty.fill(Qt::transparent);
            QVERIFY2(drawn != empty, qPrintable(what)); // something was drawn
        }
    }

    void otherSizesAreDrawnFromTheSvg()
    {
        // Not built in: not square, another size (a screen of higher pixel density), another picture.
        QVERIFY(ui::builtPicture(QStringLiteral(":/zedi_0.svg"), QSize(32, 31)).isNull());
        QVERIFY(ui::builtPicture(QStringLiteral(":/zedi_0.svg"), QSize(48, 48)).isNull());
        QVERIFY(ui::builtPicture(QStringLiteral(":/zedi_talk.svg"), QSize(32, 32)).isNull());
        QVERIFY(ui::builtPicture(QStringLiteral(":/missing.svg"), QSize(32, 32)).isNull());
        QVERIFY(ui::builtPixels(QStringLiteral(":/pictures/zedi_0-32.bgra"), 31).isNull()); // wrong size for the bytes

        // A stretched picture fills the whole rectangle; one kept in proportion sits in the top left.
        const QImage stretched = ui::drawnPicture(QStringLiteral(":/imn.svg"), QSize(96, 48), Qt::IgnoreAspectRatio);
        const QImage kept = ui::drawnPicture(QStringLiteral(":/imn.svg"), QSize(96, 48), Qt::KeepAspectRatio);
        QCOMPARE(stretched.size(), QSize(96, 48));
        QCOMPARE(kept.size(), QSize(96, 48));
        QSvgRenderer renderer(QStringLiteral(":/imn.svg"));
        QImage drawn(48, 48, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(kept.copy(0, 0, 48, 48), drawn);
        QImage empty(48, 48, QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        QCOMPARE(kept.copy(48, 0, 48, 48), empty);
        QVERIFY(stretched.copy(48, 0, 48, 48) != empty);

        // A missing picture leaves a transparent rectangle rather than failing.
        const QImage none = ui::drawnPicture(QStringLiteral(":/missing.svg"), QSize(32, 32), Qt::IgnoreAspectRatio);
        QCOMPARE(none.size(), QSize(32, 32));
        QCOMPARE(none.pixel(16, 16), 0u);
    }

    void customPointerIsThePointerPicture()
    {
        for (const int which : {1, 2}) {
            const QImage pointer = ui::customPointer(which).pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage drawn = ui::drawnPicture(which == 2 ? QStringLiteral(":/pointer2.svg") : QStringLiteral(":/pointer1.svg"),
                QSize(32, 32), Qt::KeepAspectRatio);
            QCOMPARE(pointer, drawn);
            QCOMPARE(ui::customPointer(which).hotSpot(), QPoint(0, 0));
        }
        QVERIFY(ui::customPointer(1).pixmap().toImage() != ui::customPointer(2).pixmap().toImage());
    }
};

QTEST_MAIN(LookScreenTest)
#include "look_screen_test.moc"
