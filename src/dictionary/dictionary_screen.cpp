#include "dictionary/dictionary_screen.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "dictionary/entry_text.h"
#include "dictionary/kana_dictionary.h"
#include "dictionary/stroke_lookup.h"
#include "text/numbers.h"
#include "text/unicode.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

// Window and page geometry, in twips.
constexpr int kClientWidth = 5520;
constexpr int kClientHeight = 5220;
constexpr int kTabsHeight = 4440;
constexpr int kBoxHeight = 420;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 420;

// Rows of both pages: the first input row, the second row, the third row, the buttons.
constexpr int kRow1 = 240;
constexpr int kRow2 = 780;
constexpr int kRow3 = 1320;
constexpr int kButtonRow = 1980;
constexpr int kListRow = 2580;
constexpr int kListHeight = 1200;

// The messages of the "漢字" page carry this title, except "登録されてません", whose title is empty.
QString kanjiTitle()
{
    return QStringLiteral("登録");
}

// The messages of a correction.
QString correctionTitle()
{
    return QStringLiteral("訂正");
}

// Black or white, whichever reads better on the colour.
QColor textColourOn(const QColor& background)
{
    const int luminance = (background.red() * 299 + background.green() * 587 + background.blue() * 114) / 1000;
    return luminance < 140 ? QColor(Qt::white) : QColor(Qt::black);
}

// Paints a window or page in the screen's background colour, its captions in a readable colour.
// Text boxes keep their own white.
void paintArea(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, textColourOn(colour));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void paintButton(QPushButton* button, const QColor& colour)
{
    ui::paintBackground(button, colour);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, textColourOn(colour));
    button->setPalette(p);
}

QLabel* caption(QWidget* page, const QString& text, int left, int top, int width)
{
    QLabel* label = ui::makeLabel(page, QString(), text);
    label->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    ui::place(label, left, top, width, kBoxHeight);
    return label;
}

// Kanji boxes show their one character a little larger.
void enlarge(QWidget* w, double factor)
{
    QFont f = w->font();
    f.setPointSizeF(f.pointSizeF() * factor);
    w->setFont(f);
}

} // namespace

DictionaryScreen::DictionaryScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("jisyo"));
    setWindowTitle(QStringLiteral("辞書"));
    setModal(true);
    ui::setClientSize(this, kClientWidth, kClientHeight);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->setDocumentMode(false);
    ui::place(tabs_, 120, 120, kClientWidth - 240, kTabsHeight);
    tabs_->addTab(buildKanjiPage(), counting_.traditional() ? QStringLiteral("漢字（旧字体）") : QStringLiteral("漢字"));
    tabs_->addTab(buildKanaPage(), QStringLiteral("かな"));
    tabs_->setCurrentIndex(0);

    cmdexit_ = ui::makeButton(this, QStringLiteral("cmdexit"), QStringLiteral("終了"));
    ui::place(cmdexit_, kClientWidth - 120 - kButtonWidth, kTabsHeight + 240, kButtonWidth, kButtonHeight);
    connect(cmdexit_, &QPushButton::clicked, this, &QDialog::reject);

    applyColours();
    t1_->setFocus();
}

QWidget* DictionaryScreen::buildKanjiPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("kanjiPage"));

    caption(page, QStringLiteral("漢字"), 120, kRow1, 600);
    t1_ = ui::makeLineEdit(page, QStringLiteral("T1"));
    enlarge(t1_, 1.3);
    t1_->setAlignment(Qt::AlignCenter);
    ui::place(t1_, 780, kRow1, 900, kBoxHeight);
    ui::setHiraganaInput(t1_);

    caption(page, QStringLiteral("画数"), 120, kRow2, 600);
    t2_ = ui::makeLineEdit(page, QStringLiteral("T2"));
    t2_->setAlignment(Qt::AlignCenter);
    ui::place(t2_, 780, kRow2, 900, kBoxHeight);
    ui::disableInputMethod(t2_);

    // The stroke count found, with "画数" beside it and, after a registration of a known kanji,
    // "登録済みです。".
    la2_ = ui::makeLabel(page, QStringLiteral("La2"), QString());
    la2_->setAlignment(Qt::AlignCenter);
    enlarge(la2_, 1.5);
    QFont bold = la2_->font();
    bold.setBold(true);
    la2_->setFont(bold);
    ui::place(la2_, 780, kRow3, 900, kBoxHeight);

    touroku2_ = ui::makeLabel(page, QStringLiteral("touroku2"), QStringLiteral("画数"));
    touroku2_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    ui::place(touroku2_, 1740, kRow3, 600, kBoxHeight);
    touroku2_->hide();

    touroku3_ = ui::makeLabel(page, QStringLiteral("touroku3"), QStringLiteral("登録済みです。"));
    touroku3_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    ui::place(touroku3_, 2400, kRow3, 1800, kBoxHeight);
    touroku3_->hide();

    command1_ = ui::makeButton(page, QStringLiteral("Command1"), QStringLiteral("登録"));
    cmdFix_ = ui::makeButton(page, QStringLiteral("cmdFix"), QStringLiteral("訂正"));
    command4_ = ui::makeButton(page, QStringLiteral("Command4"), QStringLiteral("検索"));
    command2_ = ui::makeButton(page, QStringLiteral("Command2"), QStringLiteral("ﾘｾｯﾄ"));
    constexpr int kFourButtons = 1080;
    ui::place(command1_, 240, kButtonRow, kFourButtons, kButtonHeight);
    ui::place(cmdFix_, 1440, kButtonRow, kFourButtons, kButtonHeight);
    ui::place(command4_, 2640, kButtonRow, kFourButtons, kButtonHeight);
    ui::place(command2_, 3840, kButtonRow, kFourButtons, kButtonHeight);
    cmdFix_->setToolTip(QStringLiteral("登録済みの漢字の画数を、「画数」の数に直します"));
    connect(command1_, &QPushButton::clicked, this, &DictionaryScreen::registerKanji);
    connect(cmdFix_, &QPushButton::clicked, this, &DictionaryScreen::correctKanji);
    connect(command4_, &QPushButton::clicked, this, &DictionaryScreen::searchKanji);
    connect(command2_, &QPushButton::clicked, this, &DictionaryScreen::resetKanji);
    // A result stands only beside the character it belongs to.
    connect(t1_, &QLineEdit::textChanged, this, &DictionaryScreen::clearAnswer);
    return page;
}

QWidget* DictionaryScreen::buildKanaPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("kanaPage"));

    caption(page, QStringLiteral("漢字"), 120, kRow1, 600);
    textIN_ = ui::makeLineEdit(page, QStringLiteral("textIN"));
    enlarge(textIN_, 1.3);
    textIN_->setAlignment(Qt::AlignCenter);
    ui::place(textIN_, 780, kRow1, 900, kBoxHeight);
    ui::setHiraganaInput(textIN_);

    const QString readingCaptions[4] = {QStringLiteral("読み１"), QStringLiteral("読み２"), QStringLiteral("読み３"),
        QStringLiteral("読み４")};
    for (int i = 0; i < 4; ++i) {
        const int left = i % 2 == 0 ? 120 : 2580;
        const int top = i < 2 ? kRow2 : kRow3;
        caption(page, readingCaptions[i], left, top, 600);
        textK_[i] = ui::makeLineEdit(page, QStringLiteral("textK%1").arg(i + 1));
        ui::place(textK_[i], left + 660, top, 1740, kBoxHeight);
        ui::setHiraganaInput(textK_[i]);
    }
    // Tab order: the kanji, then the readings row by row.
    QWidget::setTabOrder(textIN_, textK_[0]);
    for (int i = 0; i < 3; ++i)
        QWidget::setTabOrder(textK_[i], textK_[i + 1]);

    cmdwrite_ = ui::makeButton(page, QStringLiteral("cmdwrite"), QStringLiteral("登録"));
    cmdCls_ = ui::makeButton(page, QStringLiteral("cmdCls"), QStringLiteral("ﾘｾｯﾄ"));
    ui::place(cmdwrite_, 2610, kButtonRow, kButtonWidth, kButtonHeight);
    ui::place(cmdCls_, 3900, kButtonRow, kButtonWidth, kButtonHeight);
    connect(cmdwrite_, &QPushButton::clicked, this, &DictionaryScreen::registerReadings);
    connect(cmdCls_, &QPushButton::clicked, this, &DictionaryScreen::resetKana);

    // The readings registered for the kanji, and removing one of them.
    cmdsearch_ = ui::makeButton(page, QStringLiteral("cmdsearch"), QStringLiteral("検索"));
    ui::place(cmdsearch_, 1800, kRow1, kButtonWidth, kButtonHeight);
    cmdsearch_->setToolTip(QStringLiteral("この漢字に登録されている読みを、下の一覧に出します"));
    caption(page, QStringLiteral("読み一覧"), 60, kListRow, 780);
    lstReadings_ = new QListWidget(page);
    lstReadings_->setObjectName(QStringLiteral("lstReadings"));
    lstReadings_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstReadings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::place(lstReadings_, 900, kListRow, 2700, kListHeight);
    cmddel_ = ui::makeButton(page, QStringLiteral("cmddel"), QStringLiteral("削除"));
    ui::place(cmddel_, 3840, kListRow, kButtonWidth, kButtonHeight);
    cmddel_->setToolTip(QStringLiteral("一覧で選んだ読みを、かな.datから削除します"));
    connect(cmdsearch_, &QPushButton::clicked, this, &DictionaryScreen::searchReadings);
    connect(cmddel_, &QPushButton::clicked, this, &DictionaryScreen::deleteReading);
    connect(lstReadings_, &QListWidget::itemDoubleClicked, this, &DictionaryScreen::deleteReading);
    // The list belongs to the kanji it was made for.
    connect(textIN_, &QLineEdit::textChanged, this, [this] {
        if (ui::u32(textIN_->text()).substr(0, 1) != listedKanji_) {
            lstReadings_->clear();
            listedKanji_.clear();
        }
    });
    return page;
}

void DictionaryScreen::applyColours()
{
    const QColor background = ui::themeColour(15);
    paintArea(this, background);
    for (int i = 0; i < tabs_->count(); ++i)
        paintArea(tabs_->widget(i), background);
    // The tab captions keep the ordinary look, readable on any background.
    const QPalette standard = QApplication::palette(tabs_->tabBar());
    QPalette tabPalette = tabs_->tabBar()->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
        tabPalette.setColor(role, standard.color(role));
    tabs_->tabBar()->setPalette(tabPalette);
    paintButton(command1_, ui::themeColour(16));
    paintButton(command4_, ui::themeColour(17));
    paintButton(command2_, ui::themeColour(18));
    paintButton(cmdFix_, ui::themeColour(16)); // beside "登録", in its colour
    paintButton(cmdwrite_, ui::themeColour(19));
    paintButton(cmdCls_, ui::themeColour(20));
    paintButton(cmdsearch_, ui::themeColour(19));
    paintButton(cmddel_, ui::themeColour(20));
    paintButton(cmdexit_, ui::themeColour(21));
}

void DictionaryScreen::setKanji(const QString& kanji)
{
    tabs_->setCurrentIndex(0);
    t1_->setText(kanji);
    t2_->setFocus();
}

void DictionaryScreen::showCount(std::int16_t count)
{
    la2_->setText(QString::number(count));
    touroku2_->show();
}

void DictionaryScreen::clearAnswer()
{
    la2_->clear();
    touroku2_->hide();
    touroku3_->hide();
}

void DictionaryScreen::correctKanji()
{
    if (t1_->text().isEmpty() || t2_->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral("訂正する漢字と正しい画数を入力してから、ボタンを押してね。"), ui::Icon::Information,
            correctionTitle());
        return;
    }
    const std::u32string kanji = ui::u32(t1_->text());
    if (kanji.size() > 1) {
        ui::showMessage(this, QStringLiteral("漢字は、１文字入力してね。"), ui::Icon::Information, correctionTitle());
        t1_->clear();
        return;
    }
    // The same rule as a registration: a whole number from 1 to 99.
    const std::optional<std::int16_t> count = text::toInt16(text::parseDecimal(ui::u32(t2_->text())));
    if (!count || !isStrokeCount(*count)) {
        ui::showMessage(this, QStringLiteral("画数は、数字を入力してね。"), ui::Icon::Information, correctionTitle());
        t2_->clear();
        return;
    }
    const StrokeLookup dictionary = strokeLookupFor(counting_);
    const std::optional<std::int16_t> stored = dictionary.lookUp(kanji);
    if (!stored) {
        ui::showMessage(this, QStringLiteral("「%1」は、まだ登録されてません。先に「登録」してね。").arg(ui::qs(kanji)),
            ui::Icon::Information, correctionTitle());
        la2_->clear();
        return;
    }
    if (*stored == *count) {
        showCount(*stored);
        ui::showMessage(this, QStringLiteral("「%1」の画数は、もう %2 です。").arg(ui::qs(kanji)).arg(*stored),
            ui::Icon::Information, correctionTitle());
        return;
    }
    if (!ui::askYesNo(this, QStringLiteral("「%1」の画数を %2 から %3 に直しますか？").arg(ui::qs(kanji)).arg(*stored).arg(*count),
            correctionTitle()))
        return;

    const StrokeDictionary::Correction corrected = dictionary.correct(kanji, *count);
    if (corrected.kind != StrokeDictionary::Correction::Kind::Corrected) {
        const QString file = QString::fromStdU16String(dictionary.fileOf(kanji[0]).u16string());
        ui::showMessage(this,
            QStringLiteral("%1を書き換えられませんでした。辞書は元のままです。（%2）").arg(file, QString::fromStdString(corrected.error)),
            ui::Icon::Exclamation, correctionTitle());
        return;
    }
    showCount(*count);
    // The readings of the kanji carry its count too: today's count, so a traditional one leaves them.
    if (counting_.traditional()) {
        ui::showMessage(this, QStringLiteral("訂正しました。"), ui::Icon::Information, correctionTitle());
        return;
    }
    const KanaRewrite readings = KanaDictionary().correctStrokes(kanji, *count);
    if (!readings.ok()) {
        ui::showMessage(this,
            QStringLiteral("漢字.datは直しましたが、かな.datを書き換えられませんでした。かな.datは元のままです。（%1）")
                .arg(QString::fromStdString(readings.error)),
            ui::Icon::Exclamation, correctionTitle());
        return;
    }
    QString done = QStringLiteral("訂正しました。");
    if (readings.lines > 0)
        done += QStringLiteral("（かな.datの %1 行も直しました）").arg(readings.lines);
    ui::showMessage(this, done, ui::Icon::Information, correctionTitle());
}

void DictionaryScreen::registerKanji()
{
    if (t1_->text().isEmpty() || t2_->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral("登録漢字と画数を入力してから、ボタンを押してね。"), ui::Icon::Information, kanjiTitle());
        return;
    }
    const std::u32string kanji = ui::u32(t1_->text());
    if (kanji.size() > 1) {
        ui::showMessage(this, QStringLiteral("漢字は、１文字入力してね。"), ui::Icon::Information, kanjiTitle());
        t1_->clear();
        return;
    }
    // A half goes to the even neighbour. No character has fewer than 1 or more than 99 strokes: a
    // minus sign or a slip of the finger (111) would poison every judgement that uses the character.
    const std::optional<std::int16_t> count = text::toInt16(text::parseDecimal(ui::u32(t2_->text())));
    if (!count || !isStrokeCount(*count)) {
        ui::showMessage(this, QStringLiteral("画数は、数字を入力してね。"), ui::Icon::Information, kanjiTitle());
        t2_->clear();
        return;
    }
    // A double quote, a comma or a line break would spoil the stroke file. A character Shift-JIS
    // cannot hold goes into 漢字UTF8.dat.
    const std::u32string refusal = unfieldableNotice(kanji);
    if (!refusal.empty()) {
        ui::showMessage(this, ui::qs(refusal), ui::Icon::Information, kanjiTitle());
        t1_->clear();
        return;
    }

    const StrokeLookup dictionary = strokeLookupFor(counting_);
    if (const std::optional<std::int16_t> stored = dictionary.lookUp(kanji)) {
        showCount(*stored);
        touroku3_->show();
        return;
    }
    const text::WriteResult written = dictionary.append(kanji, *count);
    if (!written) {
        const std::filesystem::path& file
            = StrokeLookup::fitsStrokeFile(kanji[0]) ? dictionary.strokeFile().path() : dictionary.wideFile().path();
        const QString name = QString::fromStdU16String(file.u16string());
        QString message = QStringLiteral("%1に書き込めませんでした。（%2）").arg(name, QString::fromStdString(written.error));
        if (written.incompleteLine)
            message += QStringLiteral("\n%1 の最後の行が途中で切れているかもしれません。").arg(name);
        ui::showMessage(this, message, ui::Icon::Exclamation, kanjiTitle());
        return;
    }
    ui::showMessage(this, QStringLiteral("登録しました。"), ui::Icon::Information, kanjiTitle());
}

void DictionaryScreen::searchKanji()
{
    if (t1_->text().isEmpty()) {
        ui::showMessage(this, QStringLiteral("検索する漢字を入力してから、ボタンを押してね。"), ui::Icon::Information, kanjiTitle());
        return;
    }
    const std::u32string kanji = ui::u32(t1_->text());
    if (kanji.size() > 1) {
        ui::showMessage(this, QStringLiteral("漢字は、１文字入力してね。"), ui::Icon::Information, kanjiTitle());
        t1_->clear();
        return;
    }
    if (const std::optional<std::int16_t> stored = strokeLookupFor(counting_).lookUp(kanji)) {
        showCount(*stored);
        return;
    }
    ui::showMessage(this, QStringLiteral("登録されてません"), ui::Icon::Information, QString());
    la2_->clear();
}

void DictionaryScreen::resetKanji()
{
    t1_->clear();
    t2_->clear();
    la2_->clear();
    touroku2_->hide();
    touroku3_->hide();
}

void DictionaryScreen::registerReadings()
{
    std::u32string kanji = ui::u32(textIN_->text());
    if (kanji.size() > 1)
        kanji.resize(1);
    textIN_->setText(ui::qs(kanji));
    if (kanji.empty()) {
        ui::showMessage(this, QStringLiteral("漢字を入力してください。"));
        return;
    }
    std::array<std::u32string, 4> slots;
    for (std::size_t i = 0; i < slots.size(); ++i)
        slots[i] = ui::u32(textK_[i]->text());
    if (slots[0].empty()) {
        ui::showMessage(this, QStringLiteral("かなを入力してください。"));
        return;
    }
    // Readings are looked up in hiragana everywhere else, so katakana is taken as the hiragana it
    // stands for; anything else (romaji, half-width kana, kanji) could never be found and is refused
    // with the boxes kept for correcting.
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].empty())
            continue;
        slots[i] = katakanaToHiragana(slots[i]);
        if (!isHiraganaReading(slots[i])) {
            ui::showMessage(this, QStringLiteral("読みは、ひらがなで入力してね。"));
            textK_[i]->setFocus();
            return;
        }
    }
    for (std::size_t i = 0; i < slots.size(); ++i)
        textK_[i]->setText(ui::qs(slots[i]));

    const KanaRegistration result = KanaDictionary().registerReadings(kanji, slots);
    // One message for the whole registration, a line per outcome.
    QStringList notices;
    for (const std::u32string& notice : result.notices)
        notices << ui::qs(notice);
    if (!notices.isEmpty())
        ui::showMessage(this, notices.join(QLatin1Char('\n')));
    // The boxes are emptied once the registration went through, also when every reading was known.
    if (result.kanjiFound && result.written)
        resetKana();
}

void DictionaryScreen::resetKana()
{
    for (QLineEdit* box : textK_)
        box->clear();
    textIN_->clear();
}

void DictionaryScreen::listReadings(const std::u32string& kanji)
{
    lstReadings_->clear();
    listedKanji_ = kanji;
    // Each item remembers which of the kanji's lines of that reading it stands for.
    std::vector<std::u32string> seen;
    for (const KanaReading& r : KanaDictionary().readingsOf(kanji)) {
        const auto occurrence = std::count(seen.begin(), seen.end(), r.reading);
        seen.push_back(r.reading);
        auto* item = new QListWidgetItem(ui::qs(r.reading), lstReadings_);
        item->setData(Qt::UserRole, static_cast<int>(occurrence));
    }
}

void DictionaryScreen::searchReadings()
{
    std::u32string kanji = ui::u32(textIN_->text()).substr(0, 1);
    if (kanji.empty()) // the kanji of the other page, when this one has none
        kanji = ui::u32(t1_->text()).substr(0, 1);
    if (kanji.empty()) {
        ui::showMessage(this, QStringLiteral("漢字を入力してください。"));
        return;
    }
    textIN_->setText(ui::qs(kanji));
    listReadings(kanji);
    if (lstReadings_->count() == 0)
        ui::showMessage(this, QStringLiteral("「%1」の読みは、まだ登録されてません。").arg(ui::qs(kanji)));
}

void DictionaryScreen::deleteReading()
{
    QListWidgetItem* item = lstReadings_->currentItem();
    if (!item || !item->isSelected() || listedKanji_.empty()) {
        ui::showMessage(this, QStringLiteral("削除する読みを、一覧から選んでください。"));
        return;
    }
    const std::u32string reading = ui::u32(item->text());
    const std::u32string kanji = listedKanji_;
    const QString pair = QStringLiteral("「%1」（%2）").arg(item->text(), ui::qs(kanji));
    if (!ui::askYesNo(this, QStringLiteral("読み%1を、かな.datから削除しますか？").arg(pair)))
        return;
    const KanaRewrite removed
        = KanaDictionary().removeReading(reading, kanji, static_cast<std::size_t>(item->data(Qt::UserRole).toInt()));
    switch (removed.kind) {
    case KanaRewrite::Kind::Done:
        listReadings(kanji);
        ui::showMessage(this, QStringLiteral("削除しました。"));
        break;
    case KanaRewrite::Kind::NotFound:
        listReadings(kanji);
        ui::showMessage(this, QStringLiteral("読み%1は、もう登録されてません。").arg(pair));
        break;
    case KanaRewrite::Kind::CannotRead:
    case KanaRewrite::Kind::CannotWrite:
        ui::showMessage(this,
            QStringLiteral("かな.datを書き換えられませんでした。元のままです。（%1）").arg(QString::fromStdString(removed.error)),
            ui::Icon::Exclamation);
        break;
    }
}

} // namespace kadelo
