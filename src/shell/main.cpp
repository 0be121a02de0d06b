// Kadelo: Japanese name fortune-telling, for fun.
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <QStandardPaths>
#include <QStyleFactory>

#include "shell/command_line.h"
#include "shell/main_menu_screen.h"
#include "shell/startup.h"
#include "ui/platform.h"
#ifdef KADELO_STARTUP_PROBE
#include "bench/startup_probe.h"
#endif

namespace {

// Makes the data folder current (a portable copy's folder, else the per-user folder, filled and kept
// up to date with the supplied files). False when it cannot be prepared: the user has been told.
bool enterDataFolder()
{
    return kadelo::shell::prepareDataFolder(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = kadelo::handleCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kadelo"));
    QApplication::setDesktopFileName(QStringLiteral(KADELO_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3").arg(KADELO_VERSION_MAJOR).arg(KADELO_VERSION_MINOR).arg(KADELO_VERSION_PATCH));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Qt's own dialogs (colour picker, input box buttons) speak Japanese like the rest of the program.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    QApplication::setWindowIcon(kadelo::ui::programIcon());
    // The installed families, looked up by their own names: asking for each name one by one would also
    // run it through the font configuration's aliases, which costs more than the whole list.
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic")}) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            QFont font(family);
            font.setPointSize(9);
            QApplication::setFont(font);
            break;
        }
    }

    if (!enterDataFolder())
        return 1;

    kadelo::MainMenuScreen menu;
    menu.startUp();
#ifdef KADELO_STARTUP_PROBE
    kadelo::bench::endAfterFirstPaint(menu); // the start-up benchmark's copy of the program
#endif
    menu.show();
    return app.exec();
}
