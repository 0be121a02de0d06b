#pragma once
// The naming assistant: a surname and up to three kana readings in, candidate given names out,
// graded, paged ten at a time (the wheel over the list turns the pages too), narrowed to good names
// and ordered by their marks on request, saved to a text file or sent to the judgement screen (with
// "送る" or a double-click on a line).
#include <QDialog>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "dictionary/counting.h"
#include "naming/naming.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTextEdit;

namespace kadelo {

class NamingScreen : public QDialog {
    Q_OBJECT
public:
    explicit NamingScreen(QWidget* parent = nullptr);

    // The candidate "送る" hands to the judgement screen, which empties it when it takes it over.
    QString nbuf;

    // The list of the last generation (nlist, ncount, kanacnt).
    const naming::CandidateList& candidates() const { return list_; }
    // The surname counts sei1..sei3 and the slots of the three kana boxes.
    const naming::SurnameCounts& surnameCounts() const { return sei_; }
    const naming::KanaBoxes& kanaBoxes() const { return boxes_; }
    // How often the last generation set the progress bar's position.
    int barUpdates() const { return barUpdates_; }
    // The entries as the list shows them (numbered from 1), followed by one empty slot; with neither
    // "吉名のみ" nor "評価順" ticked, nlist itself.
    const naming::CandidateSlots& shownList() const;
    // How many entries the list shows.
    int shownCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Hands entry `index` (0-based) of the list as shown to the judgement screen, with the surname box's text:
    // an open judgement screen takes it over and comes forward, otherwise one opens modally.
    void sendCandidate(std::size_t index);

private:
    naming::ListChoice listChoice() const;
    void refreshView();                // after a generation or a change of the choice
    void sendNumbered(double n);       // "送る" once the number is known, and a double-click
    void resolveKana(int box);
    void resolveSurnameBox();
    void generate();
    void showPage(int first);
    void writeFile();
    void send();
    void reset();
    void resetAll();
    void applyBoyGirlColours();
    bool kanaBoxesEmpty() const;

    QLineEdit* textN_ = nullptr;
    std::array<QLineEdit*, 3> textn_{};
    std::array<QLabel*, 3> hit_{};
    QLabel* hit4_ = nullptr;
    QLabel* hit5_ = nullptr;
    QLabel* ltime_ = nullptr;
    QTextEdit* tno_ = nullptr;
    QTextEdit* textIn_ = nullptr;
    QScrollBar* vs_ = nullptr;
    QProgressBar* bar1_ = nullptr;
    QCheckBox* sex_ = nullptr;
    QCheckBox* chan_ = nullptr;
    QCheckBox* cbar_ = nullptr;
    QCheckBox* ctime_ = nullptr;
    QCheckBox* chkGood_ = nullptr;  // 吉名のみ
    QCheckBox* chkOrder_ = nullptr; // 評価順
    QPushButton* comFind_ = nullptr;

    naming::KanaBoxes boxes_;
    naming::SurnameCounts sei_{};
    CountingChoice counting_ = readCountingChoice(); // the way of counting, as it stood when the screen opened
    naming::CandidateList list_;
    std::int16_t generatedCount_ = 0;         // the possible count P of the last generation
    naming::CandidateSlots shown_;            // the shown entries while a choice is ticked
    // The surname and readings of the generation that made list_; the candidate file is named after them.
    QString listSurname_;
    std::array<QString, 3> listReadings_;
    int barUpdates_ = 0;
};

} // namespace kadelo
