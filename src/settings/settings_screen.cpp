#include "settings/settings_screen.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <utility>

#include "animal/animal_types.h"
#include "dictionary/counting.h"
#include "text/data_folder.h"
#include "text/unicode.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

// One colour row: the swatch number and the caption naming what it paints.
struct ColourRow {
    int index;
    const char* caption;
};

// The "Color" frame, top to bottom: the left column, then the right column.
constexpr ColourRow kColourLeft[8] = {
    {1, "Main"}, {2, "姓名判断"}, {23, "タイトル"}, {3, "判定"}, {4, "総運"}, {5, "リセット"}, {6, "辞書"}, {7, "終了"}};
constexpr ColourRow kColourRight[8] = {{8, "命名支援"}, {9, "作成"}, {22, "送る"}, {10, "リセット"},
    {11, "オールリセット"}, {12, "書き込み"}, {13, "辞書"}, {14, "終了"}};

// The "Color2" frame (the dictionary screen): rows with a swatch, and the two headings (index 0).
struct Colour2Row {
    int index; // 0 for a heading
    const char* caption;
    int top; // twips inside the frame
};
constexpr Colour2Row kColour2[9] = {{15, "辞書BC", 390}, {0, "漢字", 810}, {16, "登録", 1110}, {17, "検索", 1530},
    {18, "リセット", 1950}, {0, "かな", 2370}, {19, "登録", 2670}, {20, "リセット", 3090}, {21, "終了", 3510}};

QString buttonName(int index)
{
    // Colour 23's button has always been called cdm23.
    return index == 23 ? QStringLiteral("cdm23") : QStringLiteral("cmd%1").arg(index);
}

QString boxCaption(ProfileBox box)
{
    switch (box) {
    case ProfileBox::FamilyName:
        return QStringLiteral("苗字");
    case ProfileBox::Name:
        return QStringLiteral("名前");
    case ProfileBox::Year:
        return QStringLiteral("生年月日の年");
    case ProfileBox::Month:
        return QStringLiteral("生年月日の月");
    case ProfileBox::Day:
        return QStringLiteral("生年月日の日");
    case ProfileBox::Blood:
        break;
    }
    return QStringLiteral("血液型");
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& title)
{
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

SettingsScreen::SettingsScreen(QWidget* parent) : QDialog(parent)
{
    ui::initResources();
    setObjectName(QStringLiteral("settei"));
    setWindowTitle(QStringLiteral("設定"));
    ui::setClientSize(this, 13470, 5400);

    buildProfileFrame();
    buildColourFrames();
    buildAnimationFrame();
    buildMouseFrame();
    buildCountingFrame();

    auto* ok = ui::makeButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    ok->setToolTip(QStringLiteral("設定します"));
    ui::place(ok, 10860, 4710, 1200, 420);
    connect(ok, &QPushButton::clicked, this, &SettingsScreen::confirm);

    auto* cancel = ui::makeButton(this, QStringLiteral("Command2"), QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setToolTip(QStringLiteral("キャンセル"));
    ui::place(cancel, 12150, 4710, 1200, 420);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    loadProfile();
    tm_->setFocus();
}

void SettingsScreen::buildProfileFrame()
{
    auto* frame = makeFrame(this, QStringLiteral("fraProfile"), QStringLiteral("個人情報"));
    ui::place(frame, 120, 120, 4950, 2880);

    ui::place(ui::makeLabel(frame, QStringLiteral("lblFamilyName"), QStringLiteral("苗字")), 180, 420, 540, 330);
    tm_ = ui::makeLineEdit(frame, QStringLiteral("tm"));
    ui::place(tm_, 720, 420, 1560, 330);
    ui::place(ui::makeLabel(frame, QStringLiteral("lblName"), QStringLiteral("名前")), 2520, 420, 540, 330);
    tn_ = ui::makeLineEdit(frame, QStringLiteral("tn"));
    ui::place(tn_, 3060, 420, 1560, 330);
    ui::setHiraganaInput(tm_);
    ui::setHiraganaInput(tn_);

    auto* nameHint = ui::makeLabel(frame, QStringLiteral("lblHintName"), QStringLiteral("※全角文字で入力してください。（例：山田　太郎）"));
    ui::place(nameHint, 180, 810, 4650, 270);

    ui::place(ui::makeLabel(frame, QStringLiteral("lblBirth"), QStringLiteral("生年月日")), 180, 1200, 1200, 270);
    tyear_ = ui::makeLineEdit(frame, QStringLiteral("tyear"));
    ui::place(tyear_, 180, 1500, 840, 330);
    ui::place(ui::makeLabel(frame, QStringLiteral("lblYear"), QStringLiteral("年")), 1050, 1500, 270, 330);
    tmonth_ = ui::makeLineEdit(frame, QStringLiteral("tmonth"));
    ui::place(tmonth_, 1350, 1500, 540, 330);
    ui::place(ui::makeLabel(frame, QStringLiteral("lblMonth"), QStringLiteral("月")), 1920, 1500, 270, 330);
    tday_ = ui::makeLineEdit(frame, QStringLiteral("tday"));
    ui::place(tday_, 2220, 1500, 540, 330);
    ui::place(ui::makeLabel(frame, QStringLiteral("lblDay"), QStringLiteral("日")), 2790, 1500, 270, 330);
    for (QLineEdit* digits : {tyear_, tmonth_, tday_})
        ui::disableInputMethod(digits);

    auto* dateHint = ui::makeLabel(frame, QStringLiteral("lblHintDate"), QStringLiteral("※半角数字で入力してください。（例：1975年3月15日）"));
    ui::place(dateHint, 180, 1890, 4650, 270);

    ui::place(ui::makeLabel(frame, QStringLiteral("lblBlood"), QStringLiteral("血液型")), 180, 2340, 750, 330);
    blood_ = ui::makeLineEdit(frame, QStringLiteral("Blood"));
    ui::place(blood_, 990, 2340, 750, 330);
}

void SettingsScreen::buildColourFrames()
{
    // One row: caption (left, at `captionLeft`), swatch with its number, "変更" button (right).
    auto addRow = [this](QWidget* frame, int index, const char* caption, int captionLeft, int captionWidth,
                      int swatchLeft, int top) {
        auto* cap = ui::makeLabel(frame, QStringLiteral("cap%1").arg(index), QString::fromUtf8(caption));
        ui::place(cap, captionLeft, top, captionWidth, 330);
        auto* swatch = ui::makeLabel(frame, QStringLiteral("lbl%1").arg(index), QString::number(index));
        swatch->setAlignment(Qt::AlignCenter);
        swatch->setFrameShape(QFrame::Box);
        ui::place(swatch, swatchLeft, top, 480, 330);
        swatches_[static_cast<std::size_t>(index - 1)] = swatch;
        auto* change = ui::makeButton(frame, buttonName(index), QStringLiteral("変更"));
        ui::place(change, swatchLeft + 540, top - 15, 660, 360);
        connect(change, &QPushButton::clicked, this, [this, index] { pickColour(index); });
    };

    auto* colour = makeFrame(this, QStringLiteral("fraColor"), QStringLiteral("Color"));
    ui::place(colour, 5190, 120, 5550, 4020);
    for (int row = 0; row < 8; ++row) {
        const int top = 390 + 450 * row;
        addRow(colour, kColourLeft[row].index, kColourLeft[row].caption, 150, 1350, 1560, top);
        addRow(colour, kColourRight[row].index, kColourRight[row].caption, 2850, 1350, 4260, top);
    }

    auto* colour2 = makeFrame(this, QStringLiteral("fraColor2"), QStringLiteral("Color2"));
    ui::place(colour2, 10860, 120, 2490, 4020);
    for (const Colour2Row& row : kColour2) {
        if (row.index == 0) {
            const QString caption = QString::fromUtf8(row.caption);
            auto* heading = ui::makeLabel(
                colour2, caption == QStringLiteral("漢字") ? QStringLiteral("lblKanji") : QStringLiteral("lblKana"), caption);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            ui::place(heading, 150, row.top, 1200, 270);
        } else if (row.index == 15) {
            addRow(colour2, row.index, row.caption, 150, 960, 1140, row.top);
        } else {
            addRow(colour2, row.index, row.caption, 330, 780, 1140, row.top);
        }
    }
}

void SettingsScreen::buildAnimationFrame()
{
    auto* frame = makeFrame(this, QStringLiteral("fraAnimation"), QStringLiteral("簡易アニメーション"));
    ui::place(frame, 120, 3120, 2415, 1650);
    chanime1_ = ui::makeCheckBox(frame, QStringLiteral("chanime1"), QStringLiteral("Main"), false);
    chanime1_->setToolTip(QStringLiteral("最初の画面のアニメーション"));
    ui::place(chanime1_, 210, 450, 1860, 330);
    chanime2_ = ui::makeCheckBox(frame, QStringLiteral("chanime2"), QStringLiteral("起動・終了"), false);
    ui::place(chanime2_, 210, 930, 1860, 330);
}

void SettingsScreen::buildMouseFrame()
{
    auto* frame = makeFrame(this, QStringLiteral("fraMouse"), QStringLiteral("Mouse"));
    ui::place(frame, 2655, 3120, 2415, 1650);
    const char* const names[3] = {"opm1", "opm2", "opm3"};
    for (int i = 0; i < 3; ++i) {
        opm_[i] = new QRadioButton(frame);
        opm_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    // The two pointer pictures beside their options.
    opm_[0]->setIcon(QIcon(QStringLiteral(":/pointer1.svg")));
    opm_[1]->setIcon(QIcon(QStringLiteral(":/pointer2.svg")));
    for (int i = 0; i < 2; ++i)
        opm_[i]->setIconSize(QSize(24, 24));
    opm_[2]->setText(QStringLiteral("Windows"));
    ui::place(opm_[0], 210, 390, 840, 450);
    ui::place(opm_[1], 1140, 390, 840, 450);
    ui::place(opm_[2], 210, 990, 1650, 330);
}

void SettingsScreen::buildCountingFrame()
{
    auto* frame = makeFrame(this, QStringLiteral("fraCounting"), QStringLiteral("画数の数え方"));
    ui::place(frame, 5190, 4230, 5550, 1050);
    optModern_ = new QRadioButton(QStringLiteral("新字体（今の字形）"), frame);
    optModern_->setObjectName(QStringLiteral("optModern"));
    optTraditional_ = new QRadioButton(QStringLiteral("旧字体（康熙字典）"), frame);
    optTraditional_->setObjectName(QStringLiteral("optTraditional"));
    chkNumerals_ = ui::makeCheckBox(frame, QStringLiteral("chkNumerals"), QStringLiteral("漢数字（一～十）は数の値で数える"), false);
    chkNumerals_->setToolTip(QStringLiteral("旧字体で数えるときだけ：四は4画、九は9画"));
    ui::place(optModern_, 210, 330, 2400, 300);
    ui::place(optTraditional_, 2700, 330, 2700, 300);
    ui::place(chkNumerals_, 480, 660, 4900, 300);

    const CountingChoice counting = readCountingChoice();
    (counting.traditional() ? optTraditional_ : optModern_)->setChecked(true);
    chkNumerals_->setChecked(counting.numeralsByValue);
    chkNumerals_->setEnabled(counting.traditional());
    connect(optTraditional_, &QRadioButton::toggled, chkNumerals_, &QWidget::setEnabled);
}

void SettingsScreen::loadProfile()
{
    const OpenedProfile opened = openProfile(SettingsFile(text::settingsFileName()));
    if (opened.profile) {
        const ProfileSettings& p = *opened.profile;
        tn_->setText(ui::qs(p.name));
        tm_->setText(ui::qs(p.familyName));
        tyear_->setText(ui::qs(p.year));
        tmonth_->setText(ui::qs(p.month));
        tday_->setText(ui::qs(p.day));
        blood_->setText(ui::qs(p.blood));
        if (p.mouse && *p.mouse >= 0 && *p.mouse <= 2)
            opm_[static_cast<std::size_t>(*p.mouse)]->setChecked(true);
    } else {
        openingProblem_ = QStringLiteral("設定ファイル「Kadelo.ini」を読み込めませんでした。個人情報は空欄で表示します。");
    }

    if (const std::optional<SavedLook>& saved = savedThisRun()) {
        chanime1_->setChecked(saved->animation1);
        chanime2_->setChecked(saved->animation2);
        for (int i = 1; i <= kColourCount; ++i)
            setSwatch(i, ui::fromColourValue(saved->colours[static_cast<std::size_t>(i - 1)]));
        return;
    }
    const MenuSettings& m = ui::menuSettings();
    chanime1_->setChecked(m.aflag1 == 1);
    chanime2_->setChecked(m.aflag2 == 1);
    for (int i = 1; i <= kColourCount; ++i)
        setSwatch(i, ui::themeColour(i));
}

std::optional<SettingsScreen::SavedLook>& SettingsScreen::savedThisRun()
{
    static std::optional<SavedLook> saved;
    return saved;
}

void SettingsScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (openingProblem_.isEmpty())
        return;
    const QString problem = std::exchange(openingProblem_, QString());
    QTimer::singleShot(0, this, [this, problem] { ui::showMessage(this, problem); });
}

QColor SettingsScreen::swatchColour(int index) const
{
    if (index < 1 || index > kColourCount)
        return QColor();
    return colours_[static_cast<std::size_t>(index - 1)];
}

void SettingsScreen::setSwatch(int index, const QColor& colour)
{
    colours_[static_cast<std::size_t>(index - 1)] = colour;
    QLabel* swatch = swatches_[static_cast<std::size_t>(index - 1)];
    ui::paintBackground(swatch, colour);
    // The swatch's number stays readable on dark colours.
    QPalette p = swatch->palette();
    const int luminance = (299 * colour.red() + 587 * colour.green() + 114 * colour.blue()) / 1000;
    p.setColor(QPalette::WindowText, luminance < 128 ? Qt::white : Qt::black);
    swatch->setPalette(p);
}

void SettingsScreen::pickColour(int index)
{
    // The dialog starts at the swatch's own colour.
    QColorDialog dialog(swatchColour(index), this);
    dialog.setObjectName(QStringLiteral("cdg1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return;
    setSwatch(index, chosen);
}

QLineEdit* SettingsScreen::box(ProfileBox which) const
{
    switch (which) {
    case ProfileBox::FamilyName:
        return tm_;
    case ProfileBox::Name:
        return tn_;
    case ProfileBox::Year:
        return tyear_;
    case ProfileBox::Month:
        return tmonth_;
    case ProfileBox::Day:
        return tday_;
    case ProfileBox::Blood:
        break;
    }
    return blood_;
}

void SettingsScreen::confirm()
{
    SettingsChoice choice;
    choice.profile.familyName = ui::u32(tm_->text());
    choice.profile.name = ui::u32(tn_->text());
    choice.profile.year = ui::u32(tyear_->text());
    choice.profile.month = ui::u32(tmonth_->text());
    choice.profile.day = ui::u32(tday_->text());
    choice.profile.blood = ui::u32(blood_->text());
    for (int i = 0; i < 3; ++i)
        if (opm_[static_cast<std::size_t>(i)]->isChecked())
            choice.mouse = static_cast<std::int16_t>(i);
    choice.animation1 = chanime1_->isChecked();
    choice.animation2 = chanime2_->isChecked();
    for (int i = 0; i < kColourCount; ++i)
        choice.colours[static_cast<std::size_t>(i)] = ui::toColourValue(colours_[static_cast<std::size_t>(i)]);

    const SaveOutcome outcome = saveSettings(
        SettingsFile(text::settingsFileName()), DateConversionTable(), choice, ui::menuSettings().mflag);

    switch (outcome.status) {
    case SaveOutcome::Status::Unstorable: {
        const UnstorableText& bad = *outcome.unstorable;
        QLineEdit* where = box(bad.box);
        if (bad.controlCharacters)
            ui::showMessage(this, QStringLiteral("「%1」に、改行などの設定ファイルに保存できない文字があります。取り除いてください。")
                                      .arg(boxCaption(bad.box)));
        else
            ui::showMessage(this, QStringLiteral("「%1」に、設定ファイルに保存できない文字「%2」があります。別の文字で入力してください。")
                                      .arg(boxCaption(bad.box), ui::qs(bad.characters)));
        where->setFocus();
        where->selectAll();
        return;
    }
    case SaveOutcome::Status::BadDate:
        // Nothing saved: the animal type saved before must not turn into 0 for a mistyped date.
        ui::showMessage(this, QStringLiteral("生年月日が正しくありません。"));
        return;
    case SaveOutcome::Status::WriteFailed:
        ui::showMessage(this, QStringLiteral("設定ファイル「Kadelo.ini」に保存できませんでした。（%1）")
                                  .arg(QString::fromStdString(outcome.error)));
        return;
    case SaveOutcome::Status::Saved:
        break;
    }

    // The way of counting goes to its own file; screens opened from now on count that way.
    const CountingChoice counting{optTraditional_->isChecked() ? CountingWay::Traditional : CountingWay::Modern,
        chkNumerals_->isChecked()};
    if (counting != readCountingChoice()) {
        const text::WriteResult written = writeCountingChoice(counting);
        if (!written) {
            ui::showMessage(this, QStringLiteral("画数の数え方を「%1」に保存できませんでした。（%2）")
                                      .arg(ui::qs(text::countingFileName().u32string()), QString::fromStdString(written.error)));
            return;
        }
    }

    savedThisRun() = SavedLook{choice.animation1, choice.animation2, choice.colours};
    accept();

    ui::menuSettings().mflag = outcome.mouse;
    ui::applyPointerToOpenScreens(outcome.mouse);

    QString done = QStringLiteral("簡易アニメーション＆カラー表示は、次回から有効です。");
    const bool dateTyped = !text::trimBlanks(choice.profile.year).empty() || !text::trimBlanks(choice.profile.month).empty()
        || !text::trimBlanks(choice.profile.day).empty();
    if (!outcome.animalFound && dateTyped)
        done += QStringLiteral("\n生年月日から動物占いのタイプを求められませんでした。");
    if (counting.traditional() && !std::filesystem::exists(text::traditionalStrokeFileName()))
        done += QStringLiteral("\n旧字体の辞書「%1」がデータフォルダにないため、旧字体では画数を数えられません。")
                    .arg(ui::qs(text::traditionalStrokeFileName().u32string()));
    ui::showMessage(parentWidget(), done);
}

} // namespace kadelo
