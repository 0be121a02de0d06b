#include "ui/screen_registry.h"

namespace kadelo::ui {

QWidget* openScreen(const QString& objectName)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible())
            return w;
    return nullptr;
}

} // namespace kadelo::ui
