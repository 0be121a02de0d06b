#pragma once
// A small window showing the help document of the data folder.
#include <QDialog>

namespace kadelo {

class HelpScreen : public QDialog {
    Q_OBJECT
public:
    explicit HelpScreen(QWidget* parent = nullptr);
    // True when the help document is in the data folder.
    static bool helpAvailable();
};

} // namespace kadelo
