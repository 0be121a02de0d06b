#pragma once
// The program's message boxes: a fixed text, an OK button, the title "kadelo" unless a screen names
// another, the information icon unless a screen names another.
#include <QMessageBox>
#include <QString>

class QWidget;

namespace kadelo::ui {

// The application title, shown on every message box that names no other.
QString appTitle();

enum class Icon { Information, Exclamation, Critical, None };

void showMessage(QWidget* parent, const QString& text, Icon icon = Icon::Information, const QString& title = appTitle());

// A question with Yes and No (No being the default answer); true when the user answers Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& title = appTitle());

// An information message with the program title and a second button `offer` beside OK, which stays
// the default button. True when the user chose `offer`.
bool offerMessage(QWidget* parent, const QString& text, const QString& offer);

} // namespace kadelo::ui
