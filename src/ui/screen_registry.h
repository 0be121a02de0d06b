#pragma once
// Each screen exists at most once: showing a screen that is open brings it forward.
#include <QApplication>
#include <QWidget>

namespace kadelo::ui {

// The open top-level window with this object name, or null.
QWidget* openScreen(const QString& objectName);

// Shows the modeless screen named `objectName`, creating it with `create()` when it is not open.
// A created screen is deleted when it closes. Returns the screen.
template <class Create>
QWidget* showOnce(const QString& objectName, Create&& create)
{
    if (QWidget* open = openScreen(objectName)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    QWidget* screen = create();
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
    return screen;
}

} // namespace kadelo::ui
