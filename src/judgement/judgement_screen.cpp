#include "judgement/judgement_screen.h"

#include <algorithm>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "dictionary/entry_text.h"
#include "judgement/marks.h"
#include "judgement/personality_screen.h"
#include "settings/settings_file.h"
#include "shell/openers.h"
#include "text/data_folder.h"
#include "text/records.h"
#include "text/unicode.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/stroke_file_notice.h"

namespace kadelo {
namespace {

constexpr char32_t kRepeatMark = U'々';

// Fixed colours of the diagram and the mark table.
const QColor kSouColour(0x99, 0xCC, 0xFF);   // 総運: light blue
const QColor kJinColour(0xFF, 0xC0, 0x66);   // 社会運: orange
const QColor kGaiColour(0xFF, 0xFF, 0x99);   // 人生運: light yellow
const QColor kTikColour(0xFF, 0xC0, 0xE0);   // 伏運: pink
const QColor kSurnameSquare(0xC0, 0xFF, 0xFF); // light cyan
const QColor kGivenSquare(0xFF, 0xFF, 0x99);   // light yellow
const QColor kPanel(Qt::white);

// One segment of the brackets, end points in twips.
struct Segment {
    int number;
    int x1, y1, x2, y2;
};

constexpr Segment kSegments[] = {
    {1, 3120, 960, 3480, 960}, {5, 3120, 1560, 3480, 1560}, {7, 3480, 960, 3480, 1560}, {8, 3480, 1560, 3480, 2040},
    {6, 3480, 2040, 3840, 2040}, {15, 1680, 960, 2040, 960}, {16, 1680, 960, 1680, 1560}, {17, 1680, 1560, 1680, 1920},
    {14, 1680, 1560, 2040, 1560}, {13, 1680, 2160, 2040, 2160}, {32, 1680, 1920, 1680, 2280}, {28, 1080, 1920, 1680, 1920},
    {12, 1680, 2880, 2040, 2880}, {18, 1680, 2160, 1680, 2880}, {9, 3480, 2040, 3480, 3000}, {4, 3120, 3000, 3480, 3000},
    {3, 3120, 3600, 3480, 3600}, {10, 3480, 3000, 3480, 3600}, {2, 3120, 4200, 3480, 4200}, {11, 3480, 3600, 3480, 4200},
    {19, 1680, 3120, 2040, 3120}, {23, 1680, 3120, 1680, 3600}, {20, 1680, 3600, 2040, 3600}, {21, 1680, 4200, 2040, 4200},
    {22, 1680, 3600, 1680, 4200}, {24, 1320, 3600, 1680, 3600}, {29, 1320, 1920, 1320, 3600}, {25, 1080, 3360, 1320, 3360},
};

// The segments of each half, and which of them each length shows.
const std::vector<int> kSurnameSegments = {1, 5, 6, 7, 8, 13, 14, 15, 16, 17, 28, 32};
const std::vector<int> kGivenSegments = {2, 3, 4, 9, 10, 11, 12, 18, 19, 20, 21, 22, 23, 24, 25, 29};
const std::vector<int> kSurnameShown[4] = {
    {},
    {1, 7, 8, 6, 15, 16, 17, 32, 28},
    {1, 7, 8, 6, 17, 14, 32, 28},
    {1, 5, 7, 8, 6, 13, 32, 28},
};
// Every given-name layout also shows Line32, the joint down from the surname's 社会運 bracket.
const std::vector<int> kGivenShown[4] = {
    {},
    {12, 18, 9, 4, 19, 23, 24, 29, 25, 32},
    {12, 18, 9, 3, 10, 19, 23, 20, 24, 29, 25, 32},
    {12, 18, 9, 3, 10, 2, 11, 19, 23, 20, 21, 22, 24, 29, 25, 32},
};

// A segment of a bracket: a black bar, painted entirely by its own background. A frame without a
// frame shape still sets up a painter and the style's options to draw nothing each time it is
// painted, and a keystroke repaints a dozen segments.
class SegmentBar : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {}
};

// Empties a label unless it is empty already (clearing always repaints).
void clearLabel(QLabel* label)
{
    if (!label->text().isEmpty())
        label->clear();
}

bool contains(const std::vector<int>& list, int n)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

// A stroke count as its label shows it: blank for a character the dictionary lacks.
QString countText(std::int16_t count)
{
    return count == 0 ? QString() : QString::number(count);
}

QLabel* colouredLabel(QWidget* parent, const QString& name, const QString& caption, const QColor& colour)
{
    QLabel* l = ui::makeLabel(parent, name, caption);
    l->setAlignment(Qt::AlignCenter);
    ui::paintBackground(l, colour);
    return l;
}

QLabel* panel(QWidget* parent, const QString& name)
{
    QLabel* l = ui::makeLabel(parent, name, QString());
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    l->setPalette(p);
    ui::paintBackground(l, kPanel);
    return l;
}

QLabel* square(QWidget* parent, const QString& name, const QColor& colour, int top)
{
    QLabel* l = colouredLabel(parent, name, QString(), colour);
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    l->setFont(f);
    ui::place(l, 2160, top, 615, 615);
    l->hide();
    return l;
}

} // namespace

JudgementScreen::JudgementScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("kadelo"));
    ui::watchStrokeFile(this);
    ui::keepOpenOnEscape(this);
    setWindowTitle(QStringLiteral("Kadelo"));
    ui::setClientSize(this, 7995, 5025);
    buildControls();
    layOutSurname(0);
    layOutGiven(0);
    sou_ = 0;
    applyLook();
}

void JudgementScreen::buildControls()
{
    title_ = ui::makeLabel(this, QStringLiteral("Label1"), QStringLiteral("姓名判断"));
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    ui::place(title_, 135, 120, 7725, 375);
    way_ = ui::makeLabel(this, QStringLiteral("lblCounting"), ui::qs(countingWayCaption(counting_)));
    way_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QFont wayFont = way_->font();
    wayFont.setPointSizeF(wayFont.pointSizeF() * 0.8);
    way_->setFont(wayFont);
    // Just under the title, in the top right corner of the diagram, clear of the first character and
    // its count so that typing does not repaint it.
    ui::place(way_, 2790, 630, 1935, 210);

    // The three areas, drawn first so that everything else lies on them.
    ui::place(panel(this, QStringLiteral("Label12")), 120, 600, 4695, 4215);
    ui::place(panel(this, QStringLiteral("Label11")), 5040, 600, 2775, 1695);
    ui::place(panel(this, QStringLiteral("Label10")), 5040, 2520, 1455, 2295);
    way_->raise();

    // Input area.
    sex_ = ui::makeCheckBox(this, QStringLiteral("sex"), QStringLiteral("男の子"), true);
    ui::place(sex_, 5520, 840, 900, 270);
    chkt_ = ui::makeCheckBox(this, QStringLiteral("chkt"), QStringLiteral("登録"), false);
    ui::place(chkt_, 6480, 840, 900, 270);
    ml_ = ui::makeLabel(this, QStringLiteral("ml"), QStringLiteral("苗字"));
    ui::place(ml_, 5430, 1260, 600, 255);
    textMin_ = ui::makeLineEdit(this, QStringLiteral("textMin"));
    ui::place(textMin_, 6120, 1200, 1215, 375);
    // The household caption takes the place of both the surname caption and its box, so it may be
    // as wide as the two: a family name of three characters with 家専用 needs about 1,300 twips.
    lss_ = ui::makeLabel(this, QStringLiteral("Lss"), QStringLiteral("家専用"));
    ui::place(lss_, 5505, 1245, 2160, 300);
    lss_->hide();
    auto* nl = ui::makeLabel(this, QStringLiteral("nl"), QStringLiteral("名前"));
    ui::place(nl, 5430, 1740, 600, 255);
    textNin_ = ui::makeLineEdit(this, QStringLiteral("textNin"));
    ui::place(textNin_, 6120, 1680, 1215, 375);
    for (QLineEdit* box : {textMin_, textNin_}) {
        ui::setHiraganaInput(box);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, Qt::white); // not the screen's colour, which the boxes would inherit
        box->setPalette(p);
    }

    // The diagram: characters, their counts, the four numbers and the brackets. The pieces that come
    // and go with each half of the name (its characters, counts and bracket segments) are grouped
    // per half, so that a keystroke shows them in one go.
    surnamePieces_ = std::make_unique<ui::PieceGroup>(this, QStringLiteral("surnamePieces"));
    givenPieces_ = std::make_unique<ui::PieceGroup>(this, QStringLiteral("givenPieces"));
    QWidget* const surnameSide = surnamePieces_->parent();
    QWidget* const givenSide = givenPieces_->parent();
    for (int i = 0; i < 3; ++i) {
        tm_[i] = square(surnameSide, QStringLiteral("tm%1").arg(i + 1), kSurnameSquare, 720 + 600 * i);
        tn_[i] = square(givenSide, QStringLiteral("tn%1").arg(i + 1), kGivenSquare, 2640 + 600 * i);
        lm_[i] = ui::makeLabel(surnameSide, QStringLiteral("lm%1").arg(i + 1), QString());
        lm_[i]->setAlignment(Qt::AlignCenter);
        ui::place(lm_[i], 2850, 840 + 600 * i, 270, 240);
        ln_[i] = ui::makeLabel(givenSide, QStringLiteral("ln%1").arg(i + 1), QString());
        ln_[i]->setAlignment(Qt::AlignCenter);
        ui::place(ln_[i], 2850, 2760 + 600 * i, 270, 240);
    }

    struct Fortune {
        const char* captionName;
        const char* caption;
        const char* numberName;
        QColor colour;
        int captionLeft, captionTop, numberLeft, numberTop;
        QLabel** number;
    };
    const Fortune fortunes[4] = {
        {"Label3", "社会運", "lj", kJinColour, 360, 1560, 660, 1800, &lj_},
        {"Label5", "伏運", "Lt", kTikColour, 360, 3000, 660, 3240, &lt_},
        {"Label4", "人生運", "Lg", kGaiColour, 3600, 1560, 3960, 1800, &lg_},
        {"Label2", "総運", "ls", kSouColour, 3600, 3000, 3960, 3240, &ls_},
    };
    for (const Fortune& f : fortunes) {
        QLabel* caption = colouredLabel(this, QString::fromUtf8(f.captionName), QString::fromUtf8(f.caption), f.colour);
        ui::place(caption, f.captionLeft, f.captionTop, 720, 240);
        QLabel* number = ui::makeLabel(this, QString::fromUtf8(f.numberName), QString());
        number->setAlignment(Qt::AlignCenter);
        QFont bold = number->font();
        bold.setBold(true);
        number->setFont(bold);
        ui::place(number, f.numberLeft, f.numberTop, 420, 240);
        *f.number = number;
    }

    for (const Segment& s : kSegments) {
        auto* line = new SegmentBar(contains(kSurnameSegments, s.number) ? surnameSide : givenSide);
        line->setObjectName(QStringLiteral("Line%1").arg(s.number));
        line->setFrameShape(QFrame::NoFrame);
        ui::paintBackground(line, Qt::black);
        // Horizontal and vertical segments one pixel thick, both ends included, so that the
        // segments of a bracket meet.
        const int x = ui::twips(s.x1), y = ui::twips(s.y1);
        line->setGeometry(x, y, ui::twips(s.x2) - x + 1, ui::twips(s.y2) - y + 1);
        line->hide();
        lines_[s.number] = line;
    }

    // Mark table.
    struct Mark {
        const char* captionName;
        const char* caption;
        const char* markName;
        QColor colour;
        int top;
        QLabel** mark;
    };
    const Mark marks[4] = {
        {"Label6", "総運", "soukaku", kSouColour, 2760, &soukaku_},
        {"Label7", "社会運", "jinnkaku", kJinColour, 3240, &jinnkaku_},
        {"Label8", "人生運", "gaikaku", kGaiColour, 3720, &gaikaku_},
        {"Label9", "伏運", "tikaku", kTikColour, 4200, &tikaku_},
    };
    for (const Mark& m : marks) {
        QLabel* caption = colouredLabel(this, QString::fromUtf8(m.captionName), QString::fromUtf8(m.caption), m.colour);
        ui::place(caption, 5160, m.top + 120, 690, 255);
        QLabel* mark = colouredLabel(this, QString::fromUtf8(m.markName), QString(), m.colour);
        QFont big = mark->font();
        big.setPointSizeF(big.pointSizeF() * 1.6);
        mark->setFont(big);
        ui::place(mark, 5880, m.top, 495, 495);
        *m.mark = mark;
    }

    // Buttons.
    judgeButton_ = ui::makeButton(this, QStringLiteral("Command1"), QStringLiteral("判定"));
    textButton_ = ui::makeButton(this, QStringLiteral("Command4"), QStringLiteral("総運の性格"));
    resetButton_ = ui::makeButton(this, QStringLiteral("Command2"), QStringLiteral("リセット"));
    dictButton_ = ui::makeButton(this, QStringLiteral("Command6"), QStringLiteral("辞書"));
    closeButton_ = ui::makeButton(this, QStringLiteral("Command3"), QStringLiteral("終了"));
    int top = 2520;
    for (QPushButton* b : {judgeButton_, textButton_, resetButton_, dictButton_, closeButton_}) {
        ui::place(b, 6720, top, 1095, 375);
        top += 480;
    }

    surnamePieces_->seal();
    givenPieces_->seal();

    setTabOrder(textMin_, textNin_);
    setTabOrder(textNin_, judgeButton_);
    textMin_->setFocus();

    connect(textMin_, &QLineEdit::textChanged, this, [this] { surnameChanged(); });
    connect(textNin_, &QLineEdit::textChanged, this, [this] { givenChanged(); });
    ui::onEnter(textMin_, [this] { textNin_->setFocus(); });
    ui::onEnter(textNin_, [this] { judgeButton_->setFocus(); });
    connect(judgeButton_, &QPushButton::clicked, this, [this] { judge(); });
    connect(textButton_, &QPushButton::clicked, this, [this] { openPersonality(); });
    connect(resetButton_, &QPushButton::clicked, this, [this] { reset(); });
    connect(dictButton_, &QPushButton::clicked, this, [this] { screens::openDictionary(this); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
    connect(chkt_, &QCheckBox::toggled, this, [this](bool checked) { householdToggled(checked); });
}

void JudgementScreen::applyLook()
{
    ui::applyPointer(this, ui::menuSettings().mflag);
    ui::paintBackground(this, ui::themeColour(2));
    ui::paintBackground(sex_, ui::themeColour(2));
    ui::paintBackground(chkt_, ui::themeColour(2));
    ui::paintBackground(judgeButton_, ui::themeColour(3));
    ui::paintBackground(textButton_, ui::themeColour(4));
    ui::paintBackground(resetButton_, ui::themeColour(5));
    ui::paintBackground(dictButton_, ui::themeColour(6));
    ui::paintBackground(closeButton_, ui::themeColour(7));
    ui::paintBackground(title_, ui::themeColour(23));
}

void JudgementScreen::setBoxText(QLineEdit* box, const QString& text)
{
    // An assignment runs the box's change behaviour even when the text stays the same.
    if (box->text() == text) {
        if (box == textMin_)
            surnameChanged();
        else
            givenChanged();
        return;
    }
    box->setText(text);
}

void JudgementScreen::takeOver(QString& nbuf, const QString& surname)
{
    if (nbuf.isEmpty())
        return;
    // A name sent to an open screen in household mode for another surname ends household mode, so
    // that the surname shown and the surname counted are the same.
    if (chkt_->isChecked() && surname != textMin_->text())
        chkt_->setChecked(false);
    setBoxText(textNin_, nbuf);
    setBoxText(textMin_, surname);
    nbuf.clear();
}

void JudgementScreen::surnameChanged()
{
    strokes_.surname = NameHalf{};
    // Cut to three characters and trim, writing each back; writing runs this again with the new text.
    const std::u32string typed = ui::u32(textMin_->text());
    const std::u32string cut(text::firstChars(typed, 3));
    if (cut != typed) {
        textMin_->setText(ui::qs(cut));
        return;
    }
    const std::u32string name(text::trimBlanks(cut));
    if (name != cut) {
        textMin_->setText(ui::qs(name));
        return;
    }
    for (std::size_t i = 0; i < 3; ++i)
        tm_[i]->setText(i < name.size() ? ui::qs(name.substr(i, 1)) : QString());
    layOutSurname(static_cast<int>(name.size()));
    clearJudgement();
    if (name.empty())
        return;
    strokes_.surname = lookupStrokes(name, counting_, true);
    for (std::size_t i = 0; i < name.size(); ++i)
        lm_[i]->setText(countText(strokes_.surname.counts[i]));
    if (name.size() >= 2 && name[1] == kRepeatMark)
        lm_[1]->setText(lm_[0]->text());
    showCounts(name, strokes_.surname, lm_, true);
}

void JudgementScreen::givenChanged()
{
    strokes_.given = NameHalf{};
    // The cut text goes back into the box; the blanks stay there, only the count ignores them.
    const std::u32string typed = ui::u32(textNin_->text());
    const std::u32string cut(text::firstChars(typed, 3));
    if (cut != typed) {
        textNin_->setText(ui::qs(cut));
        return;
    }
    const std::u32string name = prepareName(cut);
    for (std::size_t i = 0; i < 3; ++i)
        tn_[i]->setText(i < name.size() ? ui::qs(name.substr(i, 1)) : QString());
    layOutGiven(static_cast<int>(name.size()));
    clearJudgement();
    if (name.empty())
        return;
    strokes_.given = lookupStrokes(name, counting_, false);
    for (std::size_t i = 0; i < name.size(); ++i)
        ln_[i]->setText(countText(strokes_.given.counts[i]));
    showCounts(name, strokes_.given, ln_, false);
}

// Each count's tooltip says how it was reached.
void JudgementScreen::showCounts(const std::u32string& name, const NameHalf& half, const std::array<QLabel*, 3>& labels, bool isSurname)
{
    std::array<char32_t, 3> wanted{};
    for (std::size_t i = 0; i < name.size() && i < 3; ++i)
        wanted[i] = name[i];
    std::vector<std::optional<Derivation>> derivations(3);
    if (counting_.traditional())
        derivations = findDerivations(wanted);
    for (std::size_t i = 0; i < 3; ++i) {
        QString tip;
        if (i < name.size() && labels[i]->text().size() > 0) {
            if (isSurname && i == 1 && name[1] == kRepeatMark)
                tip = ui::qs(std::u32string(U"々：") + name[0] + U"と同じ " + text::numberField(half.counts[1]));
            else
                tip = ui::qs(derivationText(counting_, name[i], half.counts[i], derivations[i]));
        }
        labels[i]->setToolTip(tip);
    }
}

void JudgementScreen::layOutSurname(int length)
{
    std::vector<std::pair<QWidget*, bool>> states;
    for (int i = 0; i < 3; ++i) {
        states.emplace_back(tm_[i], i < length);
        states.emplace_back(lm_[i], i < length);
        if (i >= length) // the others are given their counts next
            clearLabel(lm_[i]);
    }
    for (int n : kSurnameSegments)
        states.emplace_back(lines_[n], contains(kSurnameShown[length], n));
    surnamePieces_->set(states);
}

void JudgementScreen::layOutGiven(int length)
{
    std::vector<std::pair<QWidget*, bool>> states;
    for (int i = 0; i < 3; ++i) {
        states.emplace_back(tn_[i], i < length);
        states.emplace_back(ln_[i], i < length);
        if (i >= length)
            clearLabel(ln_[i]);
    }
    for (int n : kGivenSegments)
        states.emplace_back(lines_[n], contains(kGivenShown[length], n));
    givenPieces_->set(states);
    // The joint down from the surname's bracket belongs to the surname's pieces.
    if (length > 0)
        surnamePieces_->set({{lines_[32], true}});
}

void JudgementScreen::clearJudgement()
{
    for (QLabel* l : {ls_, lj_, lg_, lt_, soukaku_, jinnkaku_, gaikaku_, tikaku_})
        clearLabel(l);
}

void JudgementScreen::judge()
{
    if (textMin_->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral("苗字を入力してください。"));
        return;
    }
    if (prepareName(ui::u32(textNin_->text())).empty()) {
        ui::showMessage(this, QStringLiteral("名前を入力してください。"));
        return;
    }
    // A character without a count would silently count 0 and give a wrong judgement.
    const std::u32string uncounted = uncountedCharacters(strokes_);
    if (!uncounted.empty()) {
        reportUncounted(uncounted);
        return;
    }
    const FortuneSet f = computeFortunes(strokes_);
    sou_ = f.soukaku;
    ls_->setText(QString::number(f.soukaku));
    lj_->setText(QString::number(f.jinnkaku));
    lg_->setText(QString::number(f.gaikaku));
    lt_->setText(QString::number(f.tikaku));
    const bool boy = sex_->isChecked();
    soukaku_->setText(ui::qs(gradeFortune(Fortune::soukaku, f.soukaku, boy)));
    jinnkaku_->setText(ui::qs(gradeFortune(Fortune::jinnkaku, f.jinnkaku, boy)));
    gaikaku_->setText(ui::qs(gradeFortune(Fortune::gaikaku, f.gaikaku, boy)));
    tikaku_->setText(ui::qs(gradeFortune(Fortune::tikaku, f.tikaku, boy)));
}

void JudgementScreen::reportUncounted(const std::u32string& uncounted)
{
    const QString text = QStringLiteral("「%1」の画数が辞書にありません。辞書に登録してから判定してください。").arg(ui::qs(uncounted));
    // The dictionary screen is offered for the first of them that it can register.
    const auto storable = std::find_if(uncounted.begin(), uncounted.end(),
        [](char32_t c) { return unfieldableNotice(std::u32string(1, c)).empty(); });
    if (storable == uncounted.end()) {
        ui::showMessage(this, text);
        return;
    }
    if (!ui::offerMessage(this, text, QStringLiteral("辞書を開く")))
        return;
    screens::openDictionary(this, ui::qs(std::u32string(1, *storable)));
    // What was registered there counts at once, so that "判定" can be pressed again straight away.
    surnameChanged();
    givenChanged();
}

void JudgementScreen::openPersonality()
{
    if (sou_ == 0) {
        ui::showMessage(this, QStringLiteral("判定をしてから、ボタンを押してください。"));
        return;
    }
    PersonalityScreen screen(sou_, this);
    screen.exec();
}

void JudgementScreen::reset()
{
    clearHalves(chkt_->isChecked() ? 1 : 0);
}

void JudgementScreen::clearHalves(int which)
{
    for (int i = 0; i < 3; ++i) {
        ln_[i]->clear();
        tn_[i]->clear();
        tn_[i]->hide();
    }
    sou_ = 0;
    clearJudgement();
    for (int n : kGivenSegments)
        lines_[n]->hide();
    if (which == 0) {
        for (int i = 0; i < 3; ++i) {
            lm_[i]->clear();
            tm_[i]->clear();
            tm_[i]->hide();
        }
        for (int n : kSurnameSegments)
            lines_[n]->hide();
    }
    textNin_->clear();
    if (which == 0)
        textMin_->clear();
}

void JudgementScreen::householdToggled(bool checked)
{
    if (checked) {
        const std::optional<std::vector<std::u32string>> names = SettingsFile(text::settingsFileName()).familyNames();
        // Without a readable settings file there is no registered family name either: the same
        // warning as for an empty one. Each "Family name=" field is acted on in file order; after a
        // warning household mode is over and the rest are not looked at.
        const std::vector<std::u32string> fields = names ? *names : std::vector<std::u32string>{U""};
        for (const std::u32string& field : fields) {
            // A family name of blanks only would fix an empty surname that can no longer be typed;
            // it counts as not registered.
            const std::u32string family(text::trimBlanks(field));
            if (!family.empty()) {
                lss_->setText(ui::qs(family) + QStringLiteral("家専用"));
                lss_->show();
                setBoxText(textMin_, ui::qs(family));
                textMin_->hide();
                ml_->hide();
            } else {
                ui::showMessage(this, QStringLiteral("登録されていません。"), ui::Icon::Exclamation);
                {
                    // Unticked without clearing: what the user typed and judged stays.
                    const QSignalBlocker quiet(chkt_);
                    chkt_->setChecked(false);
                }
                lss_->hide();
                textMin_->show();
                ml_->show();
                return;
            }
        }
        return;
    }
    clearHalves(0);
    lss_->hide();
    textMin_->show();
    ml_->show();
    textMin_->clear();
}

} // namespace kadelo
