#include "ui/messages.h"

#include <QPushButton>
#include <algorithm>

namespace kadelo::ui {

QString appTitle()
{
    return QStringLiteral("kadelo");
}

void showMessage(QWidget* parent, const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool offerMessage(QWidget* parent, const QString& text, const QString& offer)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(appTitle());
    box.setText(text);
    box.setIcon(QMessageBox::Information);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* offered = box.addButton(offer, QMessageBox::ActionRole);
    offered->setObjectName(QStringLiteral("offer"));
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    // The text stays on one line: Qt would wrap a text this long beside two buttons.
    const int line = std::min(box.fontMetrics().horizontalAdvance(text) + 8, 1000);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(line));
    box.exec();
    return box.clickedButton() == offered;
}

} // namespace kadelo::ui
