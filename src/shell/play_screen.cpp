#include "shell/play_screen.h"

#include <QPushButton>

#include "ui/look.h"

namespace kadelo {

PlayScreen::PlayScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("game"));
    setWindowTitle(QStringLiteral("お遊び"));
    ui::setClientSize(this, 4560, 2400);

    // Places kept for games to come; the buttons do nothing yet.
    struct Place {
        const char* name;
        int left;
        int top;
    };
    const Place places[5] = {{"Command1", 240, 240}, {"Command2", 1680, 240}, {"Command3", 3120, 240},
        {"Command4", 960, 900}, {"Command13", 2400, 900}};
    for (const Place& p : places) {
        const QString name = QString::fromLatin1(p.name);
        ui::place(ui::makeButton(this, name, name), p.left, p.top, 1200, 480);
    }

    auto* cmdExit = ui::makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("終わり"));
    ui::place(cmdExit, 1680, 1680, 1200, 480);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kadelo
