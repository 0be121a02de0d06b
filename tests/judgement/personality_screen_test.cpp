// The personality screen: the number, the key rule and the paragraph it shows.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "judgement/personality_screen.h"
#include "judgement/personality_texts.h"
#include "ui/qt_text.h"

using kadelo::PersonalityScreen;

class PersonalityScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheParagraphOfTheKey_data()
    {
        QTest::addColumn<int>("sou");
        QTest::addColumn<int>("key");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("9") << 9 << 9;
        QTest::newRow("38") << 38 << 38;
        QTest::newRow("39") << 39 << 39;
        QTest::newRow("61") << 61 << 61;
        QTest::newRow("62") << 62 << 2;
        QTest::newRow("65") << 65 << 5;
        QTest::newRow("121") << 121 << 61;
        QTest::newRow("122") << 122 << 0;
        QTest::newRow("300") << 300 << 0;
        QTest::newRow("-4") << -4 << 0;
    }
    void showsTheParagraphOfTheKey()
    {
        QFETCH(int, sou);
        QFETCH(int, key);
        PersonalityScreen screen(static_cast<std::int16_t>(sou));
        QCOMPARE(screen.objectName(), QStringLiteral("seikaku"));
        QCOMPARE(screen.windowTitle(), QStringLiteral("総運の性格"));
        QVERIFY(screen.isModal());
        QCOMPARE(screen.findChild<QLabel*>("Label2")->text(), QStringLiteral("総運の画数"));
        QCOMPARE(screen.findChild<QLabel*>("Label1")->text(), QString::number(sou)); // the total, unchanged
        auto* text = screen.findChild<QPlainTextEdit*>("Text1");
        QVERIFY(text);
        QVERIFY(text->isReadOnly());
        if (key == 0) {
            QCOMPARE(text->toPlainText(), QString());
            return;
        }
        const QString paragraph = kadelo::ui::qs(kadelo::personalityText(key));
        QVERIFY(!paragraph.isEmpty());
        // Keys 38 and 39 end with a sentence for women on a line of its own; the others are one line.
        const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), key == 38 || key == 39 ? 2 : 1);
        QCOMPARE(lines.join(QStringLiteral("\r\n")), paragraph);
        if (lines.size() == 2)
            QVERIFY(lines[1].startsWith(QStringLiteral("女性は、")));
    }

    void backCloses()
    {
        PersonalityScreen screen(21);
        screen.show();
        auto* back = screen.findChild<QPushButton*>("Command1");
        QCOMPARE(back->text(), QStringLiteral("戻る"));
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(PersonalityScreenTest)
#include "personality_screen_test.moc"
