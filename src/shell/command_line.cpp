#include "shell/command_line.h"

#include <cstdio>

#include <QCommandLineParser>
#include <QStringList>

namespace kadelo {

namespace {

QString versionText()
{
    return QStringLiteral("kadelo %1.%2.%3\n").arg(KADELO_VERSION_MAJOR).arg(KADELO_VERSION_MINOR).arg(KADELO_VERSION_PATCH);
}

QString usageText()
{
    return QStringLiteral(
        "使い方: kadelo [オプション]\n"
        "\n"
        "遊び心の姓名判断・命名支援・動物占い。オプションなしで起動するとメニュー画面が開きます\n"
        "（グラフィカルなデスクトップが必要です）。\n"
        "\n"
        "オプション:\n"
        "  -h, --help     この説明を表示して終了します。\n"
        "  -v, --version  バージョンを表示して終了します。\n"
        "\n"
        "データ: 起動したフォルダに Kadelo.ini か 漢字.dat があれば、そのフォルダを使います（ポータブル）。\n"
        "なければ ~/.local/share/kadelo/（$XDG_DATA_HOME/kadelo/）を使います。詳しくは man kadelo。\n");
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

// Qt's own start-up options (QGuiApplication and QApplication take them out of argv themselves):
// accepted here so that "kadelo -platform offscreen" or "-style fusion" is not a wrong option.
void addToolkitOptions(QCommandLineParser& parser)
{
    const char* const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "display", "style", "stylesheet", "session", "name"};
    const char* const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// On Linux Qt aborts when it finds no window system; say it in one line instead. An explicit platform
// (QT_QPA_PLATFORM or -platform) is the user's choice and is left to Qt.
bool windowSystemReachable(const QCommandLineParser& parser)
{
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || parser.isSet(QStringLiteral("platform")))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(parser);
    return true;
#endif
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    addToolkitOptions(parser);

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString reason = unknown.isEmpty()
            ? parser.errorText()
            : QStringLiteral("知らないオプションです: %1").arg(unknown.first().size() == 1 ? "-" + unknown.first() : "--" + unknown.first());
        print(stderr, QStringLiteral("kadelo: %1\n\n").arg(reason) + usageText());
        return 2;
    }
    if (parser.isSet(help)) {
        print(stdout, usageText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, versionText());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("kadelo: 引数は受け付けません: %1\n\n").arg(parser.positionalArguments().first()) + usageText());
        return 2;
    }
    if (!windowSystemReachable(parser)) {
        print(stderr, QStringLiteral("kadelo: グラフィカルなデスクトップが必要です（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n"));
        return 1;
    }
    return std::nullopt;
}

} // namespace kadelo
