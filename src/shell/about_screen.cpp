#include "shell/about_screen.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "animal/animal_types.h"
#include "settings/settings_file.h"
#include "text/data_folder.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/picture.h"
#include "ui/qt_text.h"

namespace kadelo {

QString AboutScreen::versionLine()
{
    return ui::appTitle() + QStringLiteral(".exe") + QStringLiteral(" Ver ")
        + QStringLiteral("%1.%2.%3").arg(KADELO_VERSION_MAJOR).arg(KADELO_VERSION_MINOR).arg(KADELO_VERSION_PATCH);
}

QString AboutScreen::animalLine(std::optional<std::int16_t> savedType)
{
    // An unreadable settings file, an empty value and type 0 all mean no birth date was set.
    if (!savedType || *savedType == 0)
        return QStringLiteral("ぜひ、生年月日を設定してください。");
    return QStringLiteral("あなたは、") + ui::qs(animalOfType(*savedType)) + QStringLiteral("です。");
}

AboutScreen::AboutScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    ui::setClientSize(this, 6000, 2940);

    auto* picIcon = new ui::Picture(this, QStringLiteral("picIcon"), QStringLiteral(":/kadelo.svg"));
    ui::place(picIcon, 240, 240, 960, 960);

    auto* lblDescription = ui::makeLabel(this, QStringLiteral("lblDescription"), QStringLiteral("Kadelo"));
    QFont titleFont = lblDescription->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    lblDescription->setFont(titleFont);
    ui::place(lblDescription, 1440, 240, 4320, 450);

    auto* lblTitle = ui::makeLabel(this, QStringLiteral("lblTitle"), QString());
    ui::place(lblTitle, 1440, 750, 4320, 300);

    auto* lblanimal = ui::makeLabel(this, QStringLiteral("lblanimal"), QStringLiteral("ぜひ、生年月日を設定してください。"));
    ui::place(lblanimal, 1440, 1140, 4320, 300);

    auto* lblCredit = ui::makeLabel(this, QStringLiteral("lblCredit"),
        QStringLiteral("漢字データ: KANJIDIC2 © EDRDG (CC BY-SA 3.0)"));
    QFont creditFont = lblCredit->font();
    creditFont.setPointSizeF(creditFont.pointSizeF() * 0.9);
    lblCredit->setFont(creditFont);
    lblCredit->setToolTip(QStringLiteral("Electronic Dictionary Research and Development Group, "
                                         "https://www.edrdg.org/edrdg/licence.html"));
    ui::place(lblCredit, 1440, 1560, 4320, 300);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("lineSeparator"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    ui::place(line, 240, 2070, 5520, 30);

    auto* lblDisclaimer = ui::makeLabel(this, QStringLiteral("lblDisclaimer"), QStringLiteral("注）　遊び心で使ってくださいね。 "));
    ui::place(lblDisclaimer, 240, 2340, 4200, 360);

    auto* cmdOK = ui::makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    ui::place(cmdOK, 4680, 2280, 1080, 420);
    // The screen has nothing to type into: Enter closes it like OK.
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    lblanimal->setText(animalLine(SettingsFile(text::settingsFileName()).firstUserAnimal()));
    setWindowTitle(ui::appTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblTitle->setText(versionLine());
}

} // namespace kadelo
