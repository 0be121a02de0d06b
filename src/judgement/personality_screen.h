#pragma once
// The personality text of a total fortune (総運), opened from the judgement screen.
#include <QDialog>
#include <cstdint>

namespace kadelo {

class PersonalityScreen : public QDialog {
    Q_OBJECT
public:
    // Shows `sou`, the total of the judgement screen's last judgement, and its paragraph.
    explicit PersonalityScreen(std::int16_t sou, QWidget* parent = nullptr);

    // The paragraph key of a total: the total itself up to 61, above that the total less 60. Keys
    // outside 1..61 have no paragraph.
    static int keyOf(int sou);
};

} // namespace kadelo
