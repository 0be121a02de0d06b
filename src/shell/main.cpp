// Kadelo: Japanese name fortune-telling, for fun.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <QStandardPaths>
#include <QStyleFactory>

#include "shell/command_line.h"
#include "shell/main_menu_screen.h"
#include "text/data_folder.h"
#include "ui/messages.h"

namespace {

std::filesystem::path toPath(const QString& s)
{
    return std::filesystem::path(s.toStdU32String());
}

// Makes the data folder current: the current folder for a portable copy, else the per-user folder,
// filled with the supplied files on first use.
QString prepareDataFolder()
{
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString appDir = QCoreApplication::applicationDirPath();
    const std::vector<std::filesystem::path> supply = {
        toPath(appDir),
        toPath(QDir(appDir).filePath(QStringLiteral("../" KADELO_SHARE_DIR))),
        toPath(QStringLiteral("/usr/local/" KADELO_SHARE_DIR)),
        toPath(QStringLiteral("/usr/" KADELO_SHARE_DIR)),
    };
    const kadelo::text::DataFolder chosen = kadelo::text::chooseDataFolder(toPath(QDir::currentPath()), toPath(userFolder), supply);
    std::error_code ec;
    std::filesystem::current_path(chosen.folder, ec);
    QString problem = QString::fromStdString(chosen.error);
    if (ec)
        problem = QString::fromStdString("cannot enter " + chosen.folder.string() + ": " + ec.message());
    return problem;
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kadelo.svg")));
    for (const QString& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAGothic")}) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font(family);
            font.setPointSize(9);
            QApplication::setFont(font);
            break;
        }
    }

    const QString problem = prepareDataFolder();
    if (!problem.isEmpty())
        kadelo::ui::showMessage(nullptr, QStringLiteral("データフォルダを準備できませんでした。\n%1").arg(problem));

    kadelo::MainMenuScreen menu;
    menu.startUp();
    menu.show();
    return app.exec();
}
