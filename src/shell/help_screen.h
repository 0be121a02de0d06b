#pragma once
// A small window showing the help document installed with the program.
#include <QDialog>

namespace kadelo {

class HelpScreen : public QDialog {
    Q_OBJECT
public:
    explicit HelpScreen(QWidget* parent = nullptr);
    // True when the installed help document is there.
    static bool helpAvailable();
};

// F1 opens the help from every window of the program, modal screens included. Installed once; later
// calls do nothing.
void installHelpKey();

} // namespace kadelo
