#include "shell/main_menu_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "shell/help_screen.h"
#include "shell/openers.h"
#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/records.h"
#include "ui/app_state.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/picture.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

// Mascot frame positions (left, top in twips); frame 0 rests in the upper right corner.
constexpr int kFrameLeft[14] = {4080, 270, 600, 1020, 1320, 1740, 2040, 2460, 2760, 3195, 3480, 3900, 4200, 4620};
constexpr int kFrameTop[14] = {360, 1440, 1200, 1440, 1200, 1440, 1200, 1440, 1200, 1440, 1200, 1440, 1200, 1440};

struct Caption {
    const char* text;
    int left;
    int width;
};
const Caption kCaptions[6] = {{"姓名判断", 120, 780}, {"名前の作成", 840, 960}, {"漢字・かなの登録", 1320, 1395},
    {"簡単な設定", 2280, 945}, {"一度みてね", 2880, 945}, {"簡易ヘルプ", 3720, 930}};

// The idle cycle: which pose and caption are hidden and shown at each step.
struct IdleStep {
    int hidePicture;
    int hideCaption;
    int showPicture;
    int showCaption;
};
constexpr IdleStep kIdle[6] = {{11, 5, 1, 0}, {1, 0, 7, 3}, {7, 3, 3, 1}, {3, 1, 9, 4}, {9, 4, 5, 2}, {5, 2, 11, 5}};

// The settings of the file of defaults, for a run that cannot read or write the file.
MenuSettings defaultMenuSettings()
{
    MenuSettings defaults;
    defaults.aflag1 = 1;
    defaults.aflag2 = 1;
    defaults.mflag = 0;
    for (int i = 0; i < kColourCount; ++i)
        defaults.col[i] = text::numberField(SettingsFile::defaultColours()[i]);
    return defaults;
}

// A switch counts as on only when it is 1; any other value of a hand-edited file is off.
bool isOn(std::int16_t flag)
{
    return flag == 1;
}

} // namespace

MainMenuScreen::MainMenuScreen(QWidget* parent) : QWidget(parent)
{
    ui::initResources();
    installHelpKey();
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("ぼくの名前は、zedi"));
    setWindowIcon(ui::programIcon());
    ui::setClientSize(this, 5295, 2415);

    auto* title = ui::makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Kadelo"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    // Bold. At one device pixel per pixel, the regular face that every other text of the menu uses,
    // emboldened, is hard to tell from the font's bold face, which would be one more large file to open
    // before the menu appears; denser screens show the difference, and there the bold face is used.
    if (qApp->devicePixelRatio() <= 1.0)
        titleFont.setStyleName(QFontInfo(title->font()).styleName());
    titleFont.setBold(true);
    titleFont.setItalic(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    ui::place(title, 1230, 600, 2625, 315);

    struct ButtonDef {
        const char* name;
        const char* caption;
        int left;
        int width;
    };
    const ButtonDef buttons[7] = {{"cmdS", "姓名", 120, 735}, {"cmdM", "支援", 960, 615}, {"cmdD", "辞書", 1680, 615},
        {"cmdSt", "設定", 2400, 615}, {"cmdJ", "情報", 3120, 615}, {"cmdHlp", "HLP", 3840, 615},
        {"cmdExit", "終了", 4560, 615}};
    for (int i = 0; i < 7; ++i) {
        smallButtons_[i] = ui::makeButton(this, QString::fromUtf8(buttons[i].name), QString::fromUtf8(buttons[i].caption));
        ui::place(smallButtons_[i], buttons[i].left, 1680, buttons[i].width, 375);
        smallButtons_[i]->hide();
    }
    // What each button opens, shown when the pointer rests on it.
    const char* const tips[7] = {"姓名判断：苗字と名前の画数から運勢をみます", "名前の作成：かなの読みから名前の候補を作って評価します",
        "漢字・かなの登録：辞書に漢字の画数と読みを登録・訂正します", "簡単な設定：個人情報・色・アニメーション・マウスポインタを決めます",
        "情報：バージョンと、あなたの動物タイプをみます", "簡易ヘルプ：使い方を開きます（どの画面からでも F1 キーで開けます）",
        "終了：Kadeloを終わります"};
    for (int i = 0; i < 7; ++i)
        smallButtons_[i]->setToolTip(QString::fromUtf8(tips[i]));
    connect(smallButtons_[0], &QPushButton::clicked, this, [this] { screens::openJudgement(this); });
    connect(smallButtons_[1], &QPushButton::clicked, this, [this] { screens::openNaming(this); });
    connect(smallButtons_[2], &QPushButton::clicked, this, [this] { screens::openDictionary(this); });
    connect(smallButtons_[3], &QPushButton::clicked, this, [this] { screens::openSettings(this); });
    connect(smallButtons_[4], &QPushButton::clicked, this, [this] { screens::openAbout(this); });
    connect(smallButtons_[5], &QPushButton::clicked, this, [this] { screens::openHelp(this); });
    connect(smallButtons_[6], &QPushButton::clicked, this, &MainMenuScreen::startExit);

    cmdP_ = ui::makeButton(this, QStringLiteral("cmdP"), QStringLiteral("動　物　占　い"));
    ui::place(cmdP_, 0, 1920, 5295, 495);
    cmdP_->setEnabled(false);
    cmdP_->setToolTip(QStringLiteral("動物占い：生年月日から、あなたの動物タイプを占います"));
    connect(cmdP_, &QPushButton::clicked, this, [this] { screens::openAnimal(this); });

    imn_ = new ui::Picture(this, QStringLiteral("Imn"), QStringLiteral(":/imn.svg"));
    ui::place(imn_, 4080, 480, 480, 480);
    imn_->hide();

    for (int i = 0; i < 6; ++i) {
        captions_[i] = ui::makeLabel(this, QStringLiteral("L1_%1").arg(i), QString::fromUtf8(kCaptions[i].text));
        ui::place(captions_[i], kCaptions[i].left, 1200, kCaptions[i].width, 240);
        captions_[i]->setAlignment(Qt::AlignCenter);
        ui::paintBackground(captions_[i], Qt::white);
        captions_[i]->hide();
    }

    for (int i = 0; i < 14; ++i) {
        concon_[i] = new ui::Picture(this, QStringLiteral("concon_%1").arg(i), QStringLiteral(":/zedi_%1.svg").arg(i));
        ui::place(concon_[i], kFrameLeft[i], kFrameTop[i], 480, 480);
        concon_[i]->hide();
        connect(concon_[i], &ui::Picture::doubleClicked, this, [this] { screens::openPlay(this); });
    }
    // The resting fox sits in front of the small picture beside it; the hopping fox lands behind the
    // buttons, peeking over them.
    concon_[0]->raise();
    for (QPushButton* b : smallButtons_)
        b->raise();
    for (QLabel* c : captions_)
        c->raise();

    auto* micon1 = new ui::Picture(this, QStringLiteral("micon1"), QStringLiteral(":/pointer1.svg"));
    auto* micon2 = new ui::Picture(this, QStringLiteral("micon2"), QStringLiteral(":/pointer2.svg"));
    micon1->hide();
    micon2->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    connect(timer1_, &QTimer::timeout, this, &MainMenuScreen::timer1Tick);
    connect(timer2_, &QTimer::timeout, this, &MainMenuScreen::timer2Tick);

    quit_ = [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    };
}

void MainMenuScreen::startUp()
{
    startMode_ = 0;
    frameIndex_ = 0;
    idleStep_ = 0;
    timer1_->setInterval(150);
    timer2_->setInterval(2500);

    SettingsFile file(text::settingsFileName());
    std::optional<MenuSettings> read = file.readMenuSettings();
    const text::ReadResult probe = read ? text::ReadResult{} : text::readFile(file.path());
    if (!read && !probe.missing) {
        // Only a missing file is a first start. One that is there but cannot be read is left
        // exactly as it is (the settings screen will not save over it either).
        std::error_code ec;
        const std::filesystem::path where = std::filesystem::absolute(file.path(), ec);
        ui::showMessage(this, QStringLiteral("設定ファイル「%1」を読み込めません。既定の設定で起動します。（%2）")
                                  .arg(ui::qs((ec ? file.path() : where).u32string()), QString::fromStdString(probe.error)));
        read = defaultMenuSettings();
    } else if (!read) {
        timer1_->stop();
        ui::showMessage(this, QStringLiteral("ダウンロードありがとうございます。"));
        ui::showMessage(this, QStringLiteral("初めての起動ですね。まず[設定]の[個人情報]を入力してください。"));
        timer1_->start();
        const text::WriteResult written = file.writeDefaults();
        if (written)
            read = file.readMenuSettings();
        if (!read) {
            // Go on with the defaults in memory; the menu works, only nothing is remembered.
            ui::showMessage(this, QStringLiteral("設定ファイル「Kadelo.ini」を作成できませんでした。"
                                                 "既定の設定で起動します。（%1）")
                                      .arg(QString::fromStdString(written.error.empty() ? "read back failed" : written.error)));
            read = defaultMenuSettings();
        }
    }
    ui::menuSettings() = *read;
    const MenuSettings& m = ui::menuSettings();

    // The custom pointer picture; the kind is switched on when the menu appears.
    const bool a1 = isOn(m.aflag1);
    const bool a2 = isOn(m.aflag2);
    if (!a1)
        timer2_->stop();
    if (a1 && !a2) {
        timer2_->start();
        showMenuAtOnce();
    }
    if (!a2)
        timer1_->stop();
    else
        timer1_->start();
    if (!a1 && !a2)
        showMenuAtOnce();

    ui::paintBackground(this, ui::themeColour(1));
}

void MainMenuScreen::showMenuAtOnce()
{
    concon_[0]->show();
    cmdP_->setEnabled(true);
    showSmallButtons(true);
    applyMenuPointer();
}

void MainMenuScreen::showSmallButtons(bool visible)
{
    for (QPushButton* b : smallButtons_)
        b->setVisible(visible);
    imn_->setVisible(visible);
}

void MainMenuScreen::applyMenuPointer()
{
    const std::int16_t mflag = ui::menuSettings().mflag;
    if (mflag == 0 || mflag == 1)
        ui::applyPointer(this, mflag);
    else
        setCursor(Qt::ArrowCursor);
}

void MainMenuScreen::timer1Tick()
{
    if (startMode_ == 0) {
        setCursor(Qt::WaitCursor);
        if (frameIndex_ == 13) {
            concon_[13]->hide();
            concon_[0]->show();
            timer1_->stop();
            cmdP_->setEnabled(true);
            showSmallButtons(true);
            applyMenuPointer();
            if (isOn(ui::menuSettings().aflag1))
                timer2_->start();
            else
                timer2_->stop();
        } else {
            concon_[frameIndex_]->hide();
            ++frameIndex_;
            concon_[frameIndex_]->show();
        }
        return;
    }

    // Exit animation: the frames run backwards and the program ends on the 14th tick.
    if (frameIndex_ == 1)
        concon_[1]->hide();
    if (frameIndex_ == 14) {
        cmdP_->setEnabled(false);
        concon_[0]->hide();
        concon_[13]->show();
        for (QPushButton* b : smallButtons_)
            b->hide();
        frameIndex_ = 13;
    } else {
        concon_[frameIndex_]->hide();
        --frameIndex_;
        if (frameIndex_ == 0) {
            concon_[1]->hide();
            timer1_->stop();
            endProgram();
        } else {
            concon_[frameIndex_]->show();
        }
    }
}

void MainMenuScreen::timer2Tick()
{
    const IdleStep& step = kIdle[idleStep_];
    concon_[step.hidePicture]->hide();
    captions_[step.hideCaption]->hide();
    concon_[step.showPicture]->show();
    captions_[step.showCaption]->show();
    idleStep_ = idleStep_ == 5 ? 0 : idleStep_ + 1;
}

void MainMenuScreen::startExit()
{
    if (ending_)
        return;
    timer2_->stop();
    startMode_ = 1;
    frameIndex_ = 14;
    imn_->hide();
    for (int i = 1; i <= 11; i += 2)
        concon_[i]->hide();
    for (QLabel* c : captions_)
        c->hide();
    setCursor(Qt::WaitCursor);
    if (!isOn(ui::menuSettings().aflag2)) {
        timer1_->stop();
        endProgram();
    } else {
        timer1_->start();
    }
}

void MainMenuScreen::endProgram()
{
    ending_ = true;
    if (quit_)
        quit_();
}

void MainMenuScreen::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    // Closing the window frame ends the program as the exit button does.
    event->ignore();
    if (startMode_ == 1 && timer1_->isActive())
        return; // the exit animation is already running
    startExit();
}

} // namespace kadelo
