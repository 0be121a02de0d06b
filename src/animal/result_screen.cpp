#include "animal/result_screen.h"

#include <QLabel>
#include <QPushButton>

#include "animal/animal_fortunes.h"
#include "animal/animal_screen.h"
#include "animal/animal_types.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/picture.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

const QColor kBackground(0xE8, 0xF4, 0xFF); // pale sky blue
const QColor kAnswerBackground(0xFF, 0xFF, 0xFF);
const QColor kAnswerColour(0xB0, 0x40, 0x10);

QLabel* makeLine(QWidget* parent, const QString& name, const QString& caption, double scale, Qt::Alignment alignment)
{
    auto* label = ui::makeLabel(parent, name, caption);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

ResultScreen::ResultScreen(AnimalScreen* input) : QDialog(input), input_(input)
{
    setObjectName(QStringLiteral("hantei"));
    setWindowTitle(QStringLiteral("ぼくの名前は、zedi"));
    ui::setClientSize(this, 5400, 5880);
    ui::paintBackground(this, kBackground);

    auto* image1 = new ui::Picture(this, QStringLiteral("Image1"), QStringLiteral(":/zedi_0.svg"));
    ui::place(image1, 180, 180, 960, 960);
    auto* image2 = new ui::Picture(this, QStringLiteral("Image2"), QStringLiteral(":/zedi_talk.svg"));
    ui::place(image2, 4260, 180, 960, 960);

    auto* label1 = makeLine(this, QStringLiteral("Label1"), QStringLiteral("きみは・・・"), 1.3, Qt::AlignLeft);
    ui::place(label1, 1320, 540, 2760, 420);

    l1_ = makeLine(this, QStringLiteral("L1"), QString(), 2.0, Qt::AlignHCenter);
    QFont answerFont = l1_->font();
    answerFont.setBold(true);
    l1_->setFont(answerFont);
    ui::paintBackground(l1_, kAnswerBackground);
    QPalette answerPalette = l1_->palette();
    answerPalette.setColor(QPalette::WindowText, kAnswerColour);
    l1_->setPalette(answerPalette);
    l1_->setFrameShape(QFrame::StyledPanel);
    ui::place(l1_, 360, 1260, 4680, 720);

    auto* label2 = makeLine(this, QStringLiteral("Label2"), QStringLiteral("・・・ちゃん"), 1.3, Qt::AlignRight);
    ui::place(label2, 1320, 2040, 3720, 420);

    auto* command1 = ui::makeButton(this, QStringLiteral("Command1"), QStringLiteral("全般"));
    ui::place(command1, 360, 2640, 1080, 420);
    auto* command2 = ui::makeButton(this, QStringLiteral("Command2"), QStringLiteral("仕事"));
    ui::place(command2, 1560, 2640, 1080, 420);
    auto* command3 = ui::makeButton(this, QStringLiteral("Command3"), QStringLiteral("恋愛"));
    ui::place(command3, 2760, 2640, 1080, 420);
    auto* cmdT = ui::makeButton(this, QStringLiteral("cmdT"), QStringLiteral("タイプ"));
    ui::place(cmdT, 3960, 2640, 1080, 420);
    auto* cmdExit = ui::makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("戻る"));
    ui::place(cmdExit, 2160, 5340, 1080, 420);

    // The paragraph of the theme pressed last, under a heading that names the animal.
    theme_ = makeLine(this, QStringLiteral("lblTheme"), QString(), 1.1, Qt::AlignLeft);
    QFont themeFont = theme_->font();
    themeFont.setBold(true);
    theme_->setFont(themeFont);
    ui::place(theme_, 360, 3180, 4680, 360);
    fortune_ = ui::makeLabel(this, QStringLiteral("txtFortune"), QString());
    fortune_->setWordWrap(true);
    fortune_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fortune_->setMargin(6);
    fortune_->setFrameShape(QFrame::StyledPanel);
    ui::paintBackground(fortune_, kAnswerBackground);
    ui::place(fortune_, 360, 3540, 4680, 1620);

    // The type as a number, replaced by its animal when the table has one.
    const std::int16_t cd = input_->cd;
    l1_->setText(QString::number(cd));
    if (cd >= 1 && cd <= 60)
        l1_->setText(ui::qs(animalOfType(cd)));

    connect(cmdT, &QPushButton::clicked, this, &ResultScreen::showTypePhrase);
    if (!animalFortune(cd, FortuneTheme::General).empty())
        fortune_->setText(QStringLiteral("「全般」「仕事」「恋愛」を押すと、%1のきみの運勢を教えるよ。").arg(ui::qs(fortuneAnimalOfType(cd))));
    connect(command1, &QPushButton::clicked, this, [this] { showFortune(static_cast<int>(FortuneTheme::General)); });
    connect(command2, &QPushButton::clicked, this, [this] { showFortune(static_cast<int>(FortuneTheme::Work)); });
    connect(command3, &QPushButton::clicked, this, [this] { showFortune(static_cast<int>(FortuneTheme::Love)); });
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(image1, &ui::Picture::clicked, this,
        [this] { ui::showMessage(this, QStringLiteral("こ～～ん、こんこん"), ui::Icon::None); });
    connect(image2, &ui::Picture::clicked, this,
        [this] { ui::showMessage(this, QStringLiteral("ぼくに、メールちょうだい。"), ui::Icon::None); });
}

void ResultScreen::showFortune(int which)
{
    const auto theme = static_cast<FortuneTheme>(which);
    const std::int16_t cd = input_->cd;
    const std::u32string_view paragraph = animalFortune(cd, theme);
    if (paragraph.empty()) {
        // A type without an animal has nothing to tell.
        ui::showMessage(this, theme == FortuneTheme::Work ? QStringLiteral("機能してません") : QStringLiteral("機能してません。"),
            ui::Icon::None);
        return;
    }
    theme_->setText(QStringLiteral("%1の%2運").arg(ui::qs(animalOfType(cd)), ui::qs(themeCaption(theme))));
    fortune_->setText(ui::qs(paragraph));
}

void ResultScreen::showTypePhrase()
{
    const std::int16_t cd = input_->cd;
    if (cd >= 1 && cd <= 60)
        l1_->setText(ui::qs(typePhraseOfType(cd)));
}

} // namespace kadelo
