#include "judgement/personality_screen.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "judgement/personality_texts.h"
#include "ui/look.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

const QColor kLightCyan(0xC0, 0xFF, 0xFF);

} // namespace

int PersonalityScreen::keyOf(int sou)
{
    return sou <= 61 ? sou : sou - 60;
}

PersonalityScreen::PersonalityScreen(std::int16_t sou, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("seikaku"));
    setWindowTitle(QStringLiteral("総運の性格"));
    setModal(true);
    ui::setClientSize(this, 5730, 4095);
    ui::paintBackground(this, kLightCyan);

    auto* caption = ui::makeLabel(this, QStringLiteral("Label2"), QStringLiteral("総運の画数"));
    ui::place(caption, 360, 480, 1800, 285);

    auto* number = ui::makeLabel(this, QStringLiteral("Label1"), QString::number(sou));
    QFont big = number->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    number->setFont(big);
    ui::place(number, 2400, 360, 1200, 495);

    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Text1"));
    text->setReadOnly(true);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ui::paintBackground(text, kLightCyan);
    ui::paintBackground(text->viewport(), kLightCyan);
    ui::place(text, 480, 960, 4935, 2295);
    const int key = keyOf(sou);
    if (key >= 1 && key <= 61) {
        // Keys 38 and 39 carry a second sentence after a line break (CR LF in the table).
        QString paragraph = ui::qs(personalityText(key));
        paragraph.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text->setPlainText(paragraph);
    }

    auto* back = ui::makeButton(this, QStringLiteral("Command1"), QStringLiteral("戻る"));
    ui::place(back, 4200, 3360, 975, 495);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kadelo
