// The yardstick of the start-up benchmark: a minimal Qt Widgets program, one window of the main
// menu's size with one line of text, that ends after its first paint.
#include <QApplication>
#include <QLabel>

#include "bench/startup_probe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(353, 161);
    kadelo::bench::endAfterFirstPaint(window);
    window.show();
    return app.exec();
}
