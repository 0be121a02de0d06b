#pragma once
// Platform services behind small functions: mouse pointers and the input-method mode of text boxes.
#include <QCursor>
#include <QIcon>

class QWidget;
class QLineEdit;

namespace kadelo::ui {

// The program's icon for its windows, from pictures of the usual icon sizes made when the program was
// built (the drawing itself when those are missing).
QIcon programIcon();

// The two custom pointer pictures (which = 1 or 2), hot spot at the top left.
QCursor customPointer(int which);

// Gives a window the pointer of a mouse code: 0 the first custom picture, 1 the second, 2 (or any
// other code) the platform's default pointer.
void applyPointer(QWidget* window, int mflag);

// The same for every open window among the main menu, the judgement and the naming screen.
void applyPointerToOpenScreens(int mflag);

// Shows the busy pointer over the whole program while alive; the pointer is never moved.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The Japanese input method starts in hiragana mode when the box gets the focus. Qt offers no
// control of the conversion mode outside Windows; there the box simply keeps its input method on.
void setHiraganaInput(QLineEdit* box);

// The input method is off for the box (for boxes that take digits only).
void disableInputMethod(QLineEdit* box);

} // namespace kadelo::ui
