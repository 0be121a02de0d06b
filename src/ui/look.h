#pragma once
// Geometry in twips, colours from the settings' colour texts, and the shared widget makers.
#include <QColor>
#include <QString>
#include <functional>
#include <string_view>

#include "settings/settings_file.h"

class QWidget;
class QPushButton;
class QLabel;
class QLineEdit;
class QCheckBox;

namespace kadelo::ui {

// 15 twips are one logical pixel.
constexpr int twips(int t)
{
    return (t + 7) / 15;
}

// Places a control at left, top, width, height given in twips.
void place(QWidget* w, int left, int top, int width, int height);
// Moves a control to left, top in twips, keeping its natural size.
void placeAt(QWidget* w, int left, int top);
// Gives a window a fixed client area of width × height twips.
void setClientSize(QWidget* window, int width, int height);

// A colour integer 0x00BBGGRR as a colour.
QColor fromColourValue(std::uint32_t bgr);
// The colour integer 0x00BBGGRR of a colour.
std::uint32_t toColourValue(const QColor& colour);
// Colour number `index` (1..23) from its colour text; a text that is not a colour number gives that
// colour's default.
QColor colourFromText(std::u32string_view text, int index);
// Colour number `index` (1..23) of the menu settings held by the main menu.
QColor themeColour(int index);

// Paints the background of a window, label, check box or button.
void paintBackground(QWidget* w, const QColor& colour);

// Controls with their object name and caption. Buttons never act as a dialog's default button, so
// Enter in a text box does only what the screen says; Enter on a focused button presses it.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption);
QLineEdit* makeLineEdit(QWidget* parent, const QString& name);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, bool checked);

// Calls `action` when Enter or Return is pressed in the text box; the key goes no further.
void onEnter(QLineEdit* box, std::function<void()> action);

// Escape does not close the window: an ordinary screen closes only through its own button or the
// window frame, so a stray key never throws away what the user has typed or generated.
void keepOpenOnEscape(QWidget* window);

} // namespace kadelo::ui

namespace kadelo::ui {
// Registers the program's pictures (":/zedi_0.svg" …); called before any picture is used.
void initResources();
} // namespace kadelo::ui
