#pragma once
// The main menu: start-up, the buttons into every screen, and the fox zedi's animations.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "settings/settings_file.h"

class QLabel;
class QPushButton;
class QTimer;

namespace kadelo {

namespace ui {
class Picture;
}

class MainMenuScreen : public QWidget {
    Q_OBJECT
public:
    explicit MainMenuScreen(QWidget* parent = nullptr);

    // Reads (on the first start: writes) the settings file, fills the menu settings, and starts the
    // start animation or shows the menu, as the two switches say. Runs once, before the menu shows.
    void startUp();

    // One tick of each timer (public so the animations can be stepped without waiting).
    void timer1Tick();
    void timer2Tick();

    // The exit button: hides the menu and ends the program, after the exit animation when it is on.
    void startExit();

    std::int16_t startMode() const { return startMode_; }
    std::int16_t frameIndex() const { return frameIndex_; }
    std::int16_t idleStep() const { return idleStep_; }

    // What ending the program does; replaceable so the exit can be watched without ending.
    void setQuitHandler(std::function<void()> handler) { quit_ = std::move(handler); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showMenuAtOnce();
    void showSmallButtons(bool visible);
    void applyMenuPointer();
    void endProgram();

    std::array<ui::Picture*, 14> concon_{};
    std::array<QLabel*, 6> captions_{};
    std::array<QPushButton*, 7> smallButtons_{};
    QPushButton* cmdP_ = nullptr;
    ui::Picture* imn_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    std::int16_t startMode_ = 0;
    std::int16_t frameIndex_ = 0;
    std::int16_t idleStep_ = 0;
    bool ending_ = false;
    std::function<void()> quit_;
};

} // namespace kadelo
