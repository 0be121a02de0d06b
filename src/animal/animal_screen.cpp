#include "animal/animal_screen.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <optional>

#include "animal/animal_fortunes.h"
#include "animal/animal_types.h"
#include "animal/result_screen.h"
#include "text/numbers.h"
#include "text/unicode.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/picture.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

const QColor kBackground(0xFF, 0xF4, 0xDC); // warm cream, like zedi's chest
const QColor kTitleColour(0x8A, 0x3B, 0x12);

// A number of one or two digits, padded on the left with a space to two characters.
QString twoCharacters(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char(' '));
}

// The month: the number at the start of the text, rounded to the nearest whole number.
std::optional<int> monthOf(const QString& text)
{
    const std::optional<double> value = text::leadingNumber(ui::u32(text));
    if (!value)
        return std::nullopt;
    const double rounded = text::roundHalfEven(*value);
    if (!(rounded >= 1 && rounded <= 12))
        return std::nullopt;
    return static_cast<int>(rounded);
}

// The day: the whole text as a whole number.
std::optional<int> dayOf(const QString& text)
{
    const std::u32string typed = ui::u32(text);
    const std::optional<long long> value = text::parseInteger(text::trimBlanks(typed));
    if (!value || *value < 1 || *value > 31)
        return std::nullopt;
    return static_cast<int>(*value);
}

QComboBox* makeDateBox(QWidget* parent, const QString& name, const QStringList& items, const QString& initial)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    // The typed text stays as typed: no completion to a longer item, no new items on Enter.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    box->addItems(items);
    // The list opens at the initial item; the box shows it as its text.
    const int initialIndex = box->findText(initial);
    if (initialIndex >= 0)
        box->setCurrentIndex(initialIndex);
    box->setEditText(initial);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    box->setPalette(palette);
    return box;
}

} // namespace

int AnimalScreen::currentLastYear()
{
    return lastListedYear(QDate::currentDate().year());
}

QStringList AnimalScreen::yearItems(int lastYear)
{
    QStringList items;
    for (int year = kFirstTableYear; year <= lastYear; ++year)
        items << ui::qs(yearItem(year));
    return items;
}

QStringList AnimalScreen::monthItems()
{
    QStringList items;
    for (int m = 1; m <= 12; ++m)
        items << twoCharacters(m);
    return items;
}

QStringList AnimalScreen::dayItems()
{
    QStringList items;
    for (int d = 1; d <= 31; ++d)
        items << twoCharacters(d);
    return items;
}

AnimalScreen::AnimalScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("animal"));
    ui::keepOpenOnEscape(this);
    setWindowTitle(QStringLiteral("ぼくの名前は、zedi"));
    ui::setClientSize(this, 5400, 3240);
    ui::paintBackground(this, kBackground);

    auto* image1 = new ui::Picture(this, QStringLiteral("Image1"), QStringLiteral(":/zedi_0.svg"));
    ui::place(image1, 180, 180, 960, 960);
    auto* image2 = new ui::Picture(this, QStringLiteral("Image2"), QStringLiteral(":/zedi_talk.svg"));
    ui::place(image2, 4260, 180, 960, 960);

    auto* label4 = ui::makeLabel(this, QStringLiteral("Label4"), QStringLiteral("ぼくの名前は、zedi"));
    QFont titleFont = label4->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    label4->setFont(titleFont);
    label4->setAlignment(Qt::AlignCenter);
    QPalette titlePalette = label4->palette();
    titlePalette.setColor(QPalette::WindowText, kTitleColour);
    label4->setPalette(titlePalette);
    ui::place(label4, 1200, 300, 3000, 420);

    auto* hint = ui::makeLabel(this, QStringLiteral("hint"), QStringLiteral("たんじょうびを教えてね"));
    hint->setAlignment(Qt::AlignCenter);
    ui::place(hint, 1200, 780, 3000, 300);

    combY_ = makeDateBox(this, QStringLiteral("combY"), yearItems(), QStringLiteral("1963 ・ 昭和38"));
    ui::place(combY_, 300, 1440, 2100, 390);
    auto* yearLabel = ui::makeLabel(this, QStringLiteral("lblY"), QStringLiteral("年"));
    ui::place(yearLabel, 2460, 1440, 270, 390);

    combM_ = makeDateBox(this, QStringLiteral("combM"), monthItems(), QStringLiteral(" 1"));
    ui::place(combM_, 2760, 1440, 780, 390);
    auto* monthLabel = ui::makeLabel(this, QStringLiteral("lblM"), QStringLiteral("月"));
    ui::place(monthLabel, 3600, 1440, 270, 390);

    combD_ = makeDateBox(this, QStringLiteral("combD"), dayItems(), QStringLiteral(" 1"));
    ui::place(combD_, 3900, 1440, 780, 390);
    auto* dayLabel = ui::makeLabel(this, QStringLiteral("lblD"), QStringLiteral("日"));
    ui::place(dayLabel, 4740, 1440, 270, 390);

    auto* cmdFind = ui::makeButton(this, QStringLiteral("cmdFind"), QStringLiteral("Find"));
    ui::place(cmdFind, 1080, 2340, 1440, 480);
    auto* cmdExit = ui::makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("Exit"));
    ui::place(cmdExit, 2880, 2340, 1440, 480);

    connect(cmdFind, &QPushButton::clicked, this, &AnimalScreen::find);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::close);
    connect(image1, &ui::Picture::clicked, this,
        [this] { ui::showMessage(this, QStringLiteral("ぼくのなまえは、こんこん"), ui::Icon::None); });
    connect(image2, &ui::Picture::clicked, this,
        [this] { ui::showMessage(this, QStringLiteral("おなかすいたよ～"), ui::Icon::None); });
}

void AnimalScreen::find()
{
    const QString wrongDate = QStringLiteral("正しい日付を入れてください。（月は1～12、日は1～31の数字です）");
    const QString wrongYear = QStringLiteral("その年の動物占いはできません。（%1～%2年）").arg(kFirstTableYear).arg(kLastTableYear);
    const std::optional<int> month = monthOf(combM_->currentText());
    const std::optional<int> day = dayOf(combD_->currentText());
    if (!month || !day) {
        ui::showMessage(this, wrongDate);
        return;
    }
    const std::u32string yearText = ui::u32(combY_->currentText());
    const std::optional<int> year = leadingYear(yearText);
    if (!year || *year < kFirstTableYear || *year > kLastTableYear) {
        ui::showMessage(this, wrongYear);
        return;
    }
    // 2月31日, or 2月29日 of a common year, is no birthday, though the table would give it a type.
    if (*day > daysInMonth(*year, *month)) {
        ui::showMessage(this, wrongDate);
        return;
    }
    const DateConversionTable table;
    if (!table.available()) {
        ui::showMessage(this, QStringLiteral("生年月日の変換表「conve.dat」が見つかりません。動物占いはできません。"));
        return;
    }
    const std::vector<std::int16_t> types = table.animalTypes(yearText, *month, *day);
    if (types.empty()) {
        ui::showMessage(this, wrongYear); // a table without a row for the year
        return;
    }
    for (const std::int16_t type : types) {
        cd = type;
        ResultScreen result(this);
        result.exec();
    }
}

} // namespace kadelo
