#pragma once
// The input screen `animal` of the animal fortune: a birth date to pick, and zedi.
#include <QDialog>
#include <QStringList>
#include <cstdint>

class QComboBox;

namespace kadelo {

// The input screen `animal`: a year, month and day to pick, and "Find".
class AnimalScreen : public QDialog {
    Q_OBJECT
public:
    explicit AnimalScreen(QWidget* parent = nullptr);

    // The animal type that "Find" computed last; the result screen reads it.
    std::int16_t cd = 0;

    // The items of the three boxes: "1941 ・ 昭和16" … the last year ("2019 ・ 令和 1" …), " 1" … "12",
    // " 1" … "31". The year list runs to the clock's year, at least to 2000 and at most to 2040.
    static QStringList yearItems(int lastYear = currentLastYear());
    static int currentLastYear();
    static QStringList monthItems();
    static QStringList dayItems();

    // "Find": the type of the date in the boxes, shown on the result screen for every type the table
    // gives.
    void find();

private:
    QComboBox* combY_ = nullptr;
    QComboBox* combM_ = nullptr;
    QComboBox* combD_ = nullptr;
};

} // namespace kadelo
