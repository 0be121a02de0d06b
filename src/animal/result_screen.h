#pragma once
// The result screen `hantei` of the animal fortune, shown modally over the input screen:
// "きみは・・・", the animal, "・・・ちゃん", and the type phrase on request.
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

    AnimalScreen* input_;
    QLabel* l1_ = nullptr;
};

} // namespace kadelo
