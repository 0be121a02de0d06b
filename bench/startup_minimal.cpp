// The yardstick of the start-up benchmark: a minimal Qt Widgets program, one window of the main
// menu's size with one line of Japanese text in the menu's font, that ends after its first paint.
// Japanese text needs the CJK font loaded, which is no part of the menu's own cost; a Latin-only
// label would leave that cost on the menu's side alone.
#include <QApplication>
#include <QFont>
#include <QLabel>

#include "bench/startup_probe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    QApplication::setFont(font);
    QLabel window(QStringLiteral("姓名判断"));
    window.resize(353, 161);
    kadelo::bench::endAfterFirstPaint(window);
    window.show();
    return app.exec();
}
