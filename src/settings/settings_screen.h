#pragma once
// The settings screen settei: the user's profile, the 23 colours, the two animation switches and
// the mouse pointer. OK saves the whole settings file and applies the pointer at once.
#include <QColor>
#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "settings/settings_file.h"
#include "settings/settings_save.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kadelo {

class SettingsScreen : public QDialog {
    Q_OBJECT
public:
    explicit SettingsScreen(QWidget* parent = nullptr);

    // The colour swatch `index` (1..23) shows.
    QColor swatchColour(int index) const;

    // The switches and colours OK saved during this run. The main menu keeps its start-up values
    // until the next start, so a later visit shows these instead; saving again then keeps them.
    struct SavedLook {
        bool animation1 = true;
        bool animation2 = true;
        std::array<std::uint32_t, kColourCount> colours{};
    };
    static std::optional<SavedLook>& savedThisRun();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildProfileFrame();
    void buildColourFrames();
    void buildAnimationFrame();
    void buildMouseFrame();
    void buildCountingFrame();
    void loadProfile();
    void setSwatch(int index, const QColor& colour);
    void pickColour(int index);
    void confirm();
    QLineEdit* box(ProfileBox which) const;

    QLineEdit* tm_ = nullptr;
    QLineEdit* tn_ = nullptr;
    QLineEdit* tyear_ = nullptr;
    QLineEdit* tmonth_ = nullptr;
    QLineEdit* tday_ = nullptr;
    QLineEdit* blood_ = nullptr;
    std::array<QLabel*, kColourCount> swatches_{};
    std::array<QColor, kColourCount> colours_{};
    QCheckBox* chanime1_ = nullptr;
    QCheckBox* chanime2_ = nullptr;
    std::array<QRadioButton*, 3> opm_{};
    // "画数の数え方": today's forms or the traditional counts, and the numerals by value.
    QRadioButton* optModern_ = nullptr;
    QRadioButton* optTraditional_ = nullptr;
    QCheckBox* chkNumerals_ = nullptr;
    // The colour the colour dialog last returned during this visit; the dialog starts there.
    // A problem met while opening, told once the screen is on view.
    QString openingProblem_;
};

} // namespace kadelo
