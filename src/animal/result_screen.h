#pragma once
// The result screen `hantei` of the animal fortune, shown modally over the input screen:
// "きみは・・・", the animal, "・・・ちゃん", the type phrase on request, and a paragraph for each of
// "全般", "仕事" and "恋愛" below, the animal staying on screen.
#include <QDialog>

class QLabel;

namespace kadelo {

class AnimalScreen;

class ResultScreen : public QDialog {
    Q_OBJECT
public:
    // Reads the type from the input screen's `cd`, now and when "タイプ" is pressed.
    explicit ResultScreen(AnimalScreen* input);

private:
    void showTypePhrase();
    void showFortune(int theme);

    AnimalScreen* input_;
    QLabel* l1_ = nullptr;
    QLabel* theme_ = nullptr;   // lblTheme: whose fortune of which theme
    QLabel* fortune_ = nullptr; // txtFortune: the paragraph
};

} // namespace kadelo
