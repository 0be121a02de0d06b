// The yardstick of the start-up benchmark: a minimal Qt Widgets program that shows one empty window
// of the main menu's size and ends after its first paint.
#include <QApplication>
#include <QWidget>

#include "bench/startup_probe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(353, 161);
    kadelo::bench::endAfterFirstPaint(window);
    window.show();
    return app.exec();
}
