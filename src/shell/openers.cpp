// The main menu's way into every other screen. Each function opens one screen as the menu wants it
// (modeless and at most once, or modal).
#include "shell/openers.h"

#include <QApplication>
#include <QString>
#include <QWidget>

#include "animal/animal_screen.h"
#include "dictionary/dictionary_screen.h"
#include "judgement/judgement_screen.h"
#include "naming/naming_screen.h"
#include "settings/settings_screen.h"
#include "shell/about_screen.h"
#include "shell/help_screen.h"
#include "shell/play_screen.h"
#include "ui/screen_registry.h"

namespace kadelo::screens {

void openJudgement(QWidget* /*parent*/)
{
    // Its own window, not owned by the menu, so it can stand beside the naming screen.
    ui::showOnce(QStringLiteral("kadelo"), [] { return new JudgementScreen(); });
}

void openNaming(QWidget* /*parent*/)
{
    // An ordinary window of its own, deleted when it closes; the naming state goes with it.
    ui::showOnce(QStringLiteral("nfind"), [] { return new NamingScreen(); });
}

void openAnimal(QWidget* /*parent*/)
{
    // An ordinary window of its own, so it can stand beside the menu and the other screens.
    ui::showOnce(QStringLiteral("animal"), [] { return new AnimalScreen(); });
}

void openDictionary(QWidget* parent, const QString& kanji)
{
    DictionaryScreen dlg(parent);
    if (!kanji.isEmpty())
        dlg.setKanji(kanji);
    dlg.exec();
}

void sendToJudgement(QWidget* parent, QString& nbuf, const QString& surname)
{
    // There is never more than one judgement screen: an open one takes the name.
    if (auto* open = qobject_cast<JudgementScreen*>(ui::openScreen(QStringLiteral("kadelo")))) {
        open->takeOver(nbuf, surname);
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    JudgementScreen dlg(parent);
    dlg.takeOver(nbuf, surname);
    dlg.exec();
}

void openSettings(QWidget* parent)
{
    SettingsScreen dlg(parent);
    dlg.exec();
}

void openAbout(QWidget* parent)
{
    AboutScreen about(parent);
    about.exec();
}

void openPlay(QWidget* parent)
{
    PlayScreen play(parent);
    play.exec();
}

void openHelp(QWidget* /*parent*/)
{
    if (!HelpScreen::helpAvailable())
        return;
    // While a modal screen is up, every other window is blocked: the help then opens over that
    // screen (and closes with it), so it can be scrolled and closed.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* open = ui::openScreen(QStringLiteral("help"));
    if (modal && open && open->parentWidget() != modal) {
        open->close();
        open = nullptr;
    }
    if (modal && !open) {
        auto* help = new HelpScreen(modal);
        help->setWindowFlag(Qt::Window);
        help->setWindowModality(Qt::NonModal);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->show();
        return;
    }
    ui::showOnce(QStringLiteral("help"), [] { return new HelpScreen(); });
}

} // namespace kadelo::screens
