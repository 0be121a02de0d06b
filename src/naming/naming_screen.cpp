#include "naming/naming_screen.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <chrono>
#include <cmath>

#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_lookup.h"
#include "judgement/fortunes.h"
#include "naming/naming_counts.h"
#include "settings/settings_file.h"
#include "shell/openers.h"
#include "text/data_folder.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/platform.h"
#include "ui/qt_text.h"
#include "ui/stroke_file_notice.h"

namespace kadelo {
namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kLightGreen(192, 255, 192);
const QColor kBoyColour(0, 255, 255);
const QColor kGirlColour(255, 192, 255);

// A thin decoration line from (x1, y1) to (x2, y2) in twips, horizontal or vertical.
QFrame* makeLine(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    ui::paintBackground(line, QColor(128, 128, 128));
    line->setGeometry(ui::twips(std::min(x1, x2)), ui::twips(std::min(y1, y2)),
        std::max(1, ui::twips(std::abs(x2 - x1))), std::max(1, ui::twips(std::abs(y2 - y1))));
    return line;
}

// One of the two list boxes: lines set by the screen, nothing typed by the user.
QTextEdit* makeListBox(QWidget* parent, const QString& name)
{
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true); // typed keys are discarded
    box->setAcceptRichText(false);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setUndoRedoEnabled(false);
    box->setTabChangesFocus(true);
    box->document()->setDocumentMargin(2);
    return box;
}

// Sets the lines of a list box, spaced so that a page of ten fits the box whatever the font.
void setListLines(QTextEdit* box, const QString& text)
{
    box->setPlainText(text);
    const qreal room = (box->contentsRect().height() - 2 * box->document()->documentMargin()) / naming::kPageLines;
    if (room < 1 || box->fontMetrics().lineSpacing() <= room)
        return;
    QTextBlockFormat format;
    format.setLineHeight(std::floor(room), QTextBlockFormat::FixedHeight);
    QTextCursor all(box->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(format);
}

// Moves the progress bar only when a person could see it: when its filled width in pixels changes,
// and then at most once a screen refresh (16 ms), since every move repaints the bar at once. The
// last position is always shown at the end.
class BarStepper {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kFrame{16};

    explicit BarStepper(QProgressBar* bar) : bar_(bar), lastShown_(Clock::now())
    {
        QStyleOptionProgressBar option;
        option.initFrom(bar);
        width_ = std::max(1, bar->style()->subElementRect(QStyle::SE_ProgressBarContents, &option, bar).width());
        span_ = std::max(1, bar->maximum() - bar->minimum());
        shown_ = filled(bar->value());
        pending_ = bar->value();
    }

    // Returns true when the bar was set.
    bool step(int value)
    {
        const long long f = filled(value);
        if (f == shown_)
            return false;
        pending_ = value;
        const Clock::time_point now = Clock::now(); // read only when the drawing would change
        if (now - lastShown_ < kFrame)
            return false;
        show(value, f, now);
        return true;
    }

    // Shows the last position stepped to; returns true when the bar was set.
    bool finish()
    {
        const long long f = filled(pending_);
        if (f == shown_ && bar_->value() == pending_)
            return false;
        show(pending_, f, Clock::now());
        return true;
    }

private:
    long long filled(int value) const
    {
        return static_cast<long long>(std::max(0, value - bar_->minimum())) * width_ / span_;
    }

    void show(int value, long long f, Clock::time_point now)
    {
        shown_ = f;
        lastShown_ = now;
        bar_->setValue(value);
    }

    QProgressBar* bar_;
    int width_ = 1;
    int span_ = 1;
    long long shown_ = 0;
    int pending_ = 0;
    Clock::time_point lastShown_;
};

} // namespace

NamingScreen::NamingScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("nfind"));
    ui::watchStrokeFile(this);
    ui::keepOpenOnEscape(this);
    setWindowTitle(QStringLiteral("名前決めるの、お手伝いしま～す。"));
    ui::setClientSize(this, 6735, 4815);

    auto* label4 = ui::makeLabel(this, QStringLiteral("Label4"), QStringLiteral("姓"));
    ui::placeAt(label4, 480, 480);
    textN_ = ui::makeLineEdit(this, QStringLiteral("textN"));
    ui::place(textN_, 840, 360, 1335, 420);
    ui::paintBackground(textN_, kLightYellow);
    ui::setHiraganaInput(textN_);

    for (int r = 0; r < 3; ++r) {
        auto* caption = ui::makeLabel(this, QStringLiteral("Label%1").arg(r + 1), QStringLiteral("かな %1").arg(r + 1));
        ui::placeAt(caption, 240, 1200 + 600 * r);
        textn_[r] = ui::makeLineEdit(this, QStringLiteral("Textn%1").arg(r + 1));
        ui::place(textn_[r], 840, 1080 + 600 * r, 1335, 420);
        ui::setHiraganaInput(textn_[r]);
        hit_[r] = ui::makeLabel(this, QStringLiteral("hit%1").arg(r + 1), QStringLiteral("hit"));
        ui::place(hit_[r], 2280, 1200 + 600 * r, 585, 240);
        hit_[r]->hide();
    }

    tno_ = makeListBox(this, QStringLiteral("Tno"));
    ui::place(tno_, 2880, 240, 735, 2415);
    ui::paintBackground(tno_, kLightGreen);
    textIn_ = makeListBox(this, QStringLiteral("textIn"));
    ui::place(textIn_, 3600, 240, 2415, 2415);

    vs_ = new QScrollBar(Qt::Vertical, this);
    vs_->setObjectName(QStringLiteral("VS"));
    ui::place(vs_, 6000, 240, 200, 2415);
    vs_->setRange(0, 0);
    vs_->setSingleStep(1);
    vs_->setPageStep(naming::kPageLines);

    bar1_ = new QProgressBar(this);
    bar1_->setObjectName(QStringLiteral("Bar1"));
    ui::place(bar1_, 3240, 4050, 2955, 255);
    bar1_->setRange(0, 1);
    bar1_->setValue(0);
    bar1_->setTextVisible(false);
    bar1_->hide();

    auto* label6 = ui::makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Option"));
    ui::placeAt(label6, 840, 2760);
    sex_ = ui::makeCheckBox(this, QStringLiteral("sex"), QStringLiteral("boy"), true);
    chan_ = ui::makeCheckBox(this, QStringLiteral("chan"), QStringLiteral("Determination "), true);
    cbar_ = ui::makeCheckBox(this, QStringLiteral("cbar"), QStringLiteral("Bar"), false);
    ctime_ = ui::makeCheckBox(this, QStringLiteral("ctime"), QStringLiteral("Time"), false);
    chkGood_ = ui::makeCheckBox(this, QStringLiteral("chkGood"), QStringLiteral("吉名のみ"), false);
    chkOrder_ = ui::makeCheckBox(this, QStringLiteral("chkOrder"), QStringLiteral("評価順"), false);
    chkGood_->setToolTip(QStringLiteral("四つの評価がすべて◎か○の名前だけを出します"));
    chkOrder_->setToolTip(QStringLiteral("評価のよい順に並べます（◎2 ○1 ▲0 ×−1 ★−2 の合計）"));
    const std::array<QCheckBox*, 6> options{sex_, chan_, cbar_, ctime_, chkGood_, chkOrder_};
    for (int n = 0; n < 4; ++n)
        ui::place(options[n], 840, 3000 + 240 * n, n == 1 ? 1695 : 1140, 240);
    // Beside "Bar" and "Time", whose captions are short.
    ui::place(chkGood_, 2040, 3480, 1035, 240);
    ui::place(chkOrder_, 2040, 3720, 1035, 240);

    auto* label5 = ui::makeLabel(this, QStringLiteral("Label5"), QStringLiteral("Information"));
    ui::placeAt(label5, 3480, 2760);
    hit5_ = ui::makeLabel(this, QStringLiteral("hit5"), QStringLiteral("作成中"));
    ui::place(hit5_, 3240, 3000, 2955, 240);
    hit4_ = ui::makeLabel(this, QStringLiteral("hit4"), QStringLiteral("作成可能数"));
    ui::place(hit4_, 3240, 3360, 2955, 240);
    ltime_ = ui::makeLabel(this, QStringLiteral("ltime"), QStringLiteral("作成 Time 約秒"));
    ui::place(ltime_, 3240, 3720, 2955, 240);
    hit5_->hide();
    hit4_->hide();
    ltime_->hide();

    struct ButtonDef {
        const char* name;
        const char* caption;
        int left;
        int colour;
    };
    const ButtonDef buttons[7] = {{"ComFind", "作成", 0, 9}, {"cmdsend", "送る", 960, 22}, {"cmdFcls", "ﾘｾｯﾄ", 1920, 10},
        {"allcls", "ｵｰﾙ･ﾘｾｯﾄ", 2880, 11}, {"cmdView", "書き込み", 3840, 12}, {"cmdJ", "辞書", 4800, 13},
        {"cmdExit", "終了", 5760, 14}};
    std::array<QPushButton*, 7> b{};
    for (int n = 0; n < 7; ++n) {
        b[n] = ui::makeButton(this, QString::fromUtf8(buttons[n].name), QString::fromUtf8(buttons[n].caption));
        ui::place(b[n], buttons[n].left, 4440, 975, 375);
        ui::paintBackground(b[n], ui::themeColour(buttons[n].colour));
    }
    comFind_ = b[0];

    // Decoration: frames round the inputs, the list, the options and the information.
    makeLine(this, QStringLiteral("Line1"), 120, 2730, 6600, 2730);
    makeLine(this, QStringLiteral("Line2"), 120, 4365, 6600, 4365);
    makeLine(this, QStringLiteral("Line3"), 120, 2730, 120, 4365);
    makeLine(this, QStringLiteral("Line4"), 6600, 2730, 6600, 4365);
    makeLine(this, QStringLiteral("Line5"), 3120, 2730, 3120, 4365);
    makeLine(this, QStringLiteral("Line6"), 2865, 165, 2865, 2730);
    makeLine(this, QStringLiteral("Line7"), 120, 165, 120, 2730);
    makeLine(this, QStringLiteral("Line8"), 120, 165, 6600, 165);
    makeLine(this, QStringLiteral("Line9"), 6600, 165, 6600, 2730);
    makeLine(this, QStringLiteral("Line10"), 240, 960, 2640, 960);

    // Events.
    connect(textN_, &QLineEdit::textChanged, this, [this] { resolveSurnameBox(); });
    for (int r = 0; r < 3; ++r)
        connect(textn_[r], &QLineEdit::textChanged, this, [this, r] { resolveKana(r); });
    ui::onEnter(textN_, [this] { textn_[0]->setFocus(); });
    ui::onEnter(textn_[0], [this] { textn_[1]->setFocus(); });
    ui::onEnter(textn_[1], [this] { textn_[2]->setFocus(); });
    ui::onEnter(textn_[2], [this] { comFind_->setFocus(); });
    connect(sex_, &QCheckBox::toggled, this, [this] { applyBoyGirlColours(); });
    // The two choices need marks: they work only while grading is on.
    connect(chan_, &QCheckBox::toggled, this, [this](bool grading) {
        chkGood_->setEnabled(grading);
        chkOrder_->setEnabled(grading);
        refreshView();
    });
    connect(chkGood_, &QCheckBox::toggled, this, [this] { refreshView(); });
    connect(chkOrder_, &QCheckBox::toggled, this, [this] { refreshView(); });
    // The wheel over the list turns it as the scroll bar does; a double-click sends a line.
    textIn_->viewport()->installEventFilter(this);
    tno_->viewport()->installEventFilter(this);
    connect(vs_, &QScrollBar::valueChanged, this, [this](int v) { showPage(v); });
    connect(b[0], &QPushButton::clicked, this, [this] { generate(); });
    connect(b[1], &QPushButton::clicked, this, [this] { send(); });
    connect(b[2], &QPushButton::clicked, this, [this] { reset(); });
    connect(b[3], &QPushButton::clicked, this, [this] { resetAll(); });
    connect(b[4], &QPushButton::clicked, this, [this] { writeFile(); });
    connect(b[5], &QPushButton::clicked, this, [this] { screens::openDictionary(this); });
    connect(b[6], &QPushButton::clicked, this, &QWidget::close);

    // Opening: the family name of the settings, the pointer and the colours.
    applyBoyGirlColours();
    if (const std::optional<std::u32string> family = SettingsFile(text::settingsFileName()).firstFamilyName())
        textN_->setText(ui::qs(*family));
    ui::applyPointer(this, ui::menuSettings().mflag);
    const QColor background = ui::themeColour(8);
    ui::paintBackground(this, background);
    for (QCheckBox* option : options) {
        ui::paintBackground(option, background);
        QPalette p = option->palette();
        p.setColor(QPalette::Base, Qt::white); // the tick box itself stays white
        option->setPalette(p);
    }
}

void NamingScreen::applyBoyGirlColours()
{
    const QColor colour = sex_->isChecked() ? kBoyColour : kGirlColour;
    ui::paintBackground(textIn_, colour);
    for (QLineEdit* box : textn_)
        ui::paintBackground(box, colour);
}

bool NamingScreen::kanaBoxesEmpty() const
{
    return textn_[0]->text().isEmpty() && textn_[1]->text().isEmpty() && textn_[2]->text().isEmpty();
}

void NamingScreen::resolveKana(int box)
{
    hit5_->setText(QStringLiteral("作成可能数"));
    hit5_->show();
    ltime_->hide();
    boxes_[box] = naming::resolveKanaBox(ui::u32(textn_[box]->text()), KanaDictionary());
    naming::countSlots(boxes_[box], counting_);
    hit_[box]->setText(ui::qs(naming::hitCaption(boxes_[box])));
    hit_[box]->show();
    const std::int16_t p = naming::possibleCount(boxes_);
    hit4_->setText(ui::qs(naming::possibleCaption(p)));
    bar1_->setMaximum(naming::barMaximum(p));
    hit4_->show();
    for (int r = 0; r < 3; ++r)
        if (textn_[r]->text().isEmpty())
            hit_[r]->hide();
}

void NamingScreen::resolveSurnameBox()
{
    naming::resolveSurname(ui::u32(textN_->text()), counting_, sei_);
    hit5_->setText(QStringLiteral("作成可能数"));
    ltime_->hide();
}

void NamingScreen::generate()
{
    const auto start = std::chrono::steady_clock::now();
    bar1_->setMinimum(0);
    bar1_->setValue(0);
    if (textn_[0]->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral(" かな１を入力してください。"));
        return;
    }
    if (textn_[1]->text().isEmpty() && !textn_[2]->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral(" かな２を、入力してください。"));
        return;
    }
    // Grading against a surname whose characters are not all counted would grade against 0.
    if (chan_->isChecked()) {
        const std::u32string uncounted = uncountedCharacters(lookupStrokes(ui::u32(textN_->text()), counting_, true));
        if (!uncounted.empty()) {
            ui::showMessage(this, QStringLiteral("苗字の「%1」の画数が辞書にありません。").arg(ui::qs(uncounted)));
            return;
        }
    }
    // The busy pointer for the run; the pointer itself stays where the user left it.
    const ui::BusyPointer busy;
    listSurname_ = textN_->text();
    for (int r = 0; r < 3; ++r)
        listReadings_[r] = textn_[r]->text();
    hit4_->show();
    ltime_->hide();

    naming::Grading grading;
    grading.boy = sex_->isChecked();
    grading.sei = sei_;
    grading.surnameLength = ui::u32(textN_->text()).size();
    const bool grade = chan_->isChecked();

    hit4_->clear();
    hit5_->clear();
    textIn_->clear();
    tno_->clear();
    hit5_->setText(QStringLiteral("作成中しばらくお待ちください"));
    hit5_->show();

    const std::int16_t p = naming::possibleCount(boxes_);
    hit4_->setText(ui::qs(naming::possibleCaption(p)));
    bar1_->setMaximum(naming::barMaximum(p));
    {
        const QSignalBlocker quiet(vs_);
        vs_->setMaximum(naming::scrollMaximum(p));
    }
    bar1_->setVisible(cbar_->isChecked());

    barUpdates_ = 0;
    if (cbar_->isChecked()) {
        BarStepper stepper(bar1_);
        naming::generateInto(list_, boxes_, grade, grading, [&](int index) {
            if (stepper.step(index))
                ++barUpdates_;
        });
        if (stepper.finish())
            ++barUpdates_;
    } else {
        naming::generateInto(list_, boxes_, grade, grading);
    }
    bar1_->hide();

    generatedCount_ = p;
    {
        const QSignalBlocker quiet(vs_);
        vs_->setValue(0);
    }
    textIn_->clear();
    tno_->clear();
    if (listChoice().active())
        refreshView();
    else
        showPage(0);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    hit5_->setText(QStringLiteral("作成終了"));
    hit5_->show();
    if (ctime_->isChecked()) {
        ltime_->setText(ui::qs(naming::elapsedCaption(seconds)));
        ltime_->show();
    }
}

naming::ListChoice NamingScreen::listChoice() const
{
    naming::ListChoice choice;
    choice.goodOnly = chkGood_->isEnabled() && chkGood_->isChecked();
    choice.byMarks = chkOrder_->isEnabled() && chkOrder_->isChecked();
    return choice;
}

const naming::CandidateSlots& NamingScreen::shownList() const
{
    return listChoice().active() ? shown_ : list_.nlist;
}

int NamingScreen::shownCount() const
{
    return listChoice().active() ? static_cast<int>(shown_.size()) - 1 : list_.ncount;
}

void NamingScreen::refreshView()
{
    const naming::ListChoice choice = listChoice();
    shown_.clear();
    if (choice.active())
        shown_ = naming::shownEntries(list_.nlist, naming::shownOrder(list_.nlist, list_.ncount, choice));
    if (list_.nlist[0].empty())
        return; // nothing generated yet: the view stays as it is
    const int count = shownCount();
    hit4_->setText(ui::qs(choice.active() ? naming::shownCaption(static_cast<std::size_t>(count), list_.ncount)
                                          : naming::possibleCaption(generatedCount_)));
    hit4_->show();
    {
        const QSignalBlocker quiet(vs_);
        vs_->setMaximum(naming::scrollMaximum(static_cast<std::int16_t>(choice.active() ? count : generatedCount_)));
        vs_->setValue(0);
    }
    showPage(0);
}

bool NamingScreen::eventFilter(QObject* watched, QEvent* event)
{
    const bool overList = watched == textIn_->viewport() || watched == tno_->viewport();
    if (overList && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(vs_, event);
        return true;
    }
    if (watched == textIn_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        const int line = textIn_->cursorForPosition(click->position().toPoint()).blockNumber();
        const int index = vs_->value() + line;
        const naming::CandidateSlots& entries = shownList();
        if (line >= 0 && line < naming::kPageLines && index < static_cast<int>(entries.size())
            && !entries[static_cast<std::size_t>(index)].empty())
            sendNumbered(index + 1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void NamingScreen::showPage(int first)
{
    const naming::Page page = naming::page(shownList(), first);
    setListLines(textIn_, ui::qs(page.entries));
    setListLines(tno_, ui::qs(page.numbers));
}

void NamingScreen::writeFile()
{
    if (kanaBoxesEmpty()) { // with or without a surname
        ui::showMessage(this, QStringLiteral("かなを入力してください。"));
        return;
    }
    if (list_.nlist[0].empty()) {
        ui::showMessage(this, QStringLiteral("作成してから、保存します。"));
        return;
    }
    if (shownCount() == 0) {
        ui::showMessage(this, QStringLiteral("表示している名前がないので、保存しませんでした。"));
        return;
    }
    // Named after the generation that made the list, whatever the boxes hold now; what the list
    // shows, in its order.
    const std::u32string name = naming::candidateFileName(ui::u32(listSurname_), ui::u32(listReadings_[0]),
        ui::u32(listReadings_[1]), ui::u32(listReadings_[2]));
    const naming::SaveResult saved
        = naming::writeCandidateFile(name, shownList(), static_cast<std::int16_t>(shownCount()));
    switch (saved.kind) {
    case naming::SaveResult::Kind::Saved:
        ui::showMessage(this, QStringLiteral("保存しました。"));
        break;
    case naming::SaveResult::Kind::BadName:
        ui::showMessage(this, QStringLiteral("「%1」は、ファイル名に使えません。保存しませんでした。").arg(ui::qs(name)));
        break;
    case naming::SaveResult::Kind::Unencodable:
        ui::showMessage(this, QStringLiteral("ファイルに書けない文字が名前にあるため、保存しませんでした。"));
        break;
    case naming::SaveResult::Kind::CannotWrite:
        ui::showMessage(this, QStringLiteral("「%1」を保存できませんでした。（%2）")
                                  .arg(ui::qs(name), QString::fromStdString(saved.error)));
        break;
    }
}

void NamingScreen::send()
{
    if (list_.nlist[0].empty()) {
        ui::showMessage(this, QStringLiteral(" 作成してから、ボタンを押してください。"));
        return;
    }
    bool ok = false;
    const QString answer = QInputDialog::getText(this, ui::appTitle(),
        QStringLiteral(" 何番の名前を、姓名判断に送りますか？ "), QLineEdit::Normal, QString(), &ok);
    if (!ok || answer.isEmpty())
        return;
    sendNumbered(naming::sendNumber(ui::u32(answer)));
}

void NamingScreen::sendNumbered(double n)
{
    // The numbers are those of the list as shown.
    const int maximum = listChoice().active() ? shownCount() : bar1_->maximum();
    if (!naming::isListNumber(n, maximum) || n > naming::kMaxCandidates) {
        ui::showMessage(this, ui::qs(naming::noSuchNumberText(n)), ui::Icon::Exclamation);
        return;
    }
    sendCandidate(static_cast<std::size_t>(n) - 1);
}

void NamingScreen::sendCandidate(std::size_t index)
{
    const naming::CandidateSlots& entries = shownList();
    if (index >= entries.size())
        return;
    nbuf = ui::qs(entries[index]);
    // The judgement screen takes the name over and empties nbuf.
    screens::sendToJudgement(this, nbuf, textN_->text());
}

void NamingScreen::reset()
{
    ltime_->hide();
    textIn_->clear();
    tno_->clear();
    for (QLineEdit* box : textn_)
        box->clear();
    hit4_->hide();
    hit5_->hide();
    hit5_->clear();
}

void NamingScreen::resetAll()
{
    textIn_->clear();
    for (QLineEdit* box : textn_)
        box->clear();
    textN_->clear();
    hit4_->hide();
    hit5_->hide();
    tno_->clear();
    ltime_->hide();
}

} // namespace kadelo
