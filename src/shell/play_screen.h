#pragma once
// The play screen `game`: a corner to play in, opened by a double-click on zedi in the main menu.
#include <QDialog>

namespace kadelo {

class PlayScreen : public QDialog {
    Q_OBJECT
public:
    explicit PlayScreen(QWidget* parent = nullptr);
};

} // namespace kadelo
