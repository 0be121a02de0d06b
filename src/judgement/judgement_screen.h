#pragma once
// The name judgement screen: surname and given name, their characters and stroke counts in a
// bracket diagram, the four fortunes with their marks, household mode and the hand-over of a name
// from the naming assistant.
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "judgement/fortunes.h"
#include "ui/piece_group.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kadelo {

class JudgementScreen : public QDialog {
    Q_OBJECT
public:
    explicit JudgementScreen(QWidget* parent = nullptr);

    // Takes over a name sent by the naming assistant: when `nbuf` is not empty the given-name box
    // gets it, then the surname box gets `surname` (each is counted at once), and `nbuf` is emptied.
    // No judgement is made.
    void takeOver(QString& nbuf, const QString& surname);

    // 総運 of the last judgement; 0 when none stands (before the first judgement, after a reset).
    std::int16_t sou() const { return sou_; }

private:
    void buildControls();
    void applyLook();
    void surnameChanged();
    void givenChanged();
    void layOutSurname(int length); // mmlen
    void layOutGiven(int length);   // nnlen
    void clearJudgement();
    void judge();
    void reportUncounted(const std::u32string& uncounted);
    void openPersonality();
    void reset();
    void clearHalves(int which); // allset: 0 both halves, 1 the given name only
    void householdToggled(bool checked);
    void setBoxText(QLineEdit* box, const QString& text);
    void showCounts(const std::u32string& name, const NameHalf& half, const std::array<QLabel*, 3>& labels, bool isSurname);

    QLineEdit* textMin_ = nullptr;
    QLineEdit* textNin_ = nullptr;
    QCheckBox* sex_ = nullptr;
    QCheckBox* chkt_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* ml_ = nullptr;
    QLabel* lss_ = nullptr;
    std::array<QLabel*, 3> tm_{};
    std::array<QLabel*, 3> tn_{};
    std::array<QLabel*, 3> lm_{};
    std::array<QLabel*, 3> ln_{};
    QLabel* ls_ = nullptr; // 総運
    QLabel* lj_ = nullptr; // 社会運
    QLabel* lg_ = nullptr; // 人生運
    QLabel* lt_ = nullptr; // 伏運
    QLabel* soukaku_ = nullptr;
    QLabel* jinnkaku_ = nullptr;
    QLabel* gaikaku_ = nullptr;
    QLabel* tikaku_ = nullptr;
    QPushButton* judgeButton_ = nullptr;   // Command1 判定
    QPushButton* textButton_ = nullptr;    // Command4 総運の性格
    QPushButton* resetButton_ = nullptr;   // Command2 リセット
    QPushButton* dictButton_ = nullptr;    // Command6 辞書
    QPushButton* closeButton_ = nullptr;   // Command3 終了
    std::map<int, QFrame*> lines_;          // Line1 … Line32 by number
    std::unique_ptr<ui::PieceGroup> surnamePieces_; // tm*, lm* and the surname's segments (Line32 too)
    std::unique_ptr<ui::PieceGroup> givenPieces_;   // tn*, ln* and the given name's segments

    NameStrokes strokes_;
    CountingChoice counting_ = readCountingChoice(); // the way of counting, as it stood when the screen opened
    QLabel* way_ = nullptr;                           // lblCounting: the way in use, under the title
    std::int16_t sou_ = 0;
};

} // namespace kadelo
