#pragma once
// The dictionary screen jisyo: registers kanji with their stroke counts in 漢字.dat ("漢字" page) and
// kana readings of registered kanji in かな.dat ("かな" page); corrects a count ("訂正"), lists the readings of
// a kanji and removes one. Shown modally, opened afresh each time.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "dictionary/counting.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace kadelo {

class DictionaryScreen : public QDialog {
    Q_OBJECT
public:
    explicit DictionaryScreen(QWidget* parent = nullptr);

    // Opens on the "漢字" page with `kanji` in the kanji box, ready for its stroke count.
    void setKanji(const QString& kanji);

private:
    QWidget* buildKanjiPage();
    QWidget* buildKanaPage();
    void applyColours();

    // "漢字" page
    void registerKanji(); // Command1
    void searchKanji();   // Command4
    void resetKanji();    // Command2
    void correctKanji();  // cmdFix
    void showCount(std::int16_t count);
    void clearAnswer();   // the result labels, whenever T1 changes

    // "かな" page
    void registerReadings(); // cmdwrite
    void resetKana();        // cmdCls
    void searchReadings();   // cmdsearch
    void deleteReading();    // cmddel
    void listReadings(const std::u32string& kanji);

    QTabWidget* tabs_ = nullptr;
    QLineEdit* t1_ = nullptr;
    QLineEdit* t2_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* cmdFix_ = nullptr;
    QLabel* la2_ = nullptr;
    QLabel* touroku2_ = nullptr;
    QLabel* touroku3_ = nullptr;
    QLineEdit* textIN_ = nullptr;
    std::array<QLineEdit*, 4> textK_{};
    // The way of counting as it stood when the screen opened: the "漢字" page searches and extends
    // that way's dictionary, and its tab says which in the traditional way.
    CountingChoice counting_ = readCountingChoice();
    QPushButton* cmdwrite_ = nullptr;
    QPushButton* cmdCls_ = nullptr;
    QPushButton* cmdsearch_ = nullptr;
    QPushButton* cmddel_ = nullptr;
    QListWidget* lstReadings_ = nullptr;
    std::u32string listedKanji_; // the kanji whose readings lstReadings shows
    QPushButton* cmdexit_ = nullptr;
};

} // namespace kadelo
