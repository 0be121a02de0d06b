#include "shell/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <optional>
#include <system_error>

#include "text/data_folder.h"
#include "text/file_io.h"
#include "ui/messages.h"
#include "ui/qt_text.h"

namespace kadelo::shell {
namespace {

namespace fs = std::filesystem;

fs::path toPath(const QString& s)
{
    return fs::path(s.toStdU32String());
}

QString fromPath(const fs::path& p)
{
    return ui::qs(p.u32string());
}

std::optional<std::vector<fs::path>>& chosenFolders()
{
    static std::optional<std::vector<fs::path>> folders;
    return folders;
}

} // namespace

std::vector<fs::path> supplyFolders()
{
    if (chosenFolders())
        return *chosenFolders();
    const QString appDir = QCoreApplication::applicationDirPath();
    return {
        toPath(appDir),
        toPath(QDir::cleanPath(QDir(appDir).filePath(QStringLiteral("../" KADELO_SHARE_DIR)))),
        toPath(QStringLiteral("/usr/local/" KADELO_SHARE_DIR)),
        toPath(QStringLiteral("/usr/" KADELO_SHARE_DIR)),
    };
}

void setSupplyFolders(std::vector<fs::path> folders)
{
    if (folders.empty())
        chosenFolders().reset();
    else
        chosenFolders() = std::move(folders);
}

fs::path helpDocument()
{
    for (const fs::path& folder : supplyFolders()) {
        std::error_code ec;
        const fs::path candidate = folder / text::helpFileName();
        if (fs::is_regular_file(candidate, ec))
            return fs::absolute(candidate, ec);
    }
    return {};
}

bool prepareDataFolder(const QString& userFolder)
{
    const text::DataFolder chosen = text::chooseDataFolder(toPath(QDir::currentPath()), toPath(userFolder), supplyFolders());
    std::string reason = chosen.reason.empty() ? chosen.error : chosen.reason;
    std::error_code ec;
    if (chosen.error.empty()) {
        fs::current_path(chosen.folder, ec);
        if (ec)
            reason = ec.message();
    }
    if (!chosen.error.empty() || ec) {
        const QString text = QStringLiteral("データフォルダ「%1」を用意できませんでした。Kadelo を終了します。（%2）")
                                 .arg(fromPath(chosen.folder), QString::fromStdString(reason));
        // Also for a start from a terminal, where the reason can be copied.
        std::fprintf(stderr, "kadelo: %s\n", text.toUtf8().constData());
        ui::showMessage(nullptr, text, ui::Icon::Critical);
        return false;
    }
    text::removeTemporaryLeftovers(fs::path("."));
    if (chosen.added > 0)
        ui::showMessage(nullptr, QStringLiteral("辞書に %1 件の新しい文字を追加しました。").arg(chosen.added));
    if (!chosen.upgradeError.empty())
        ui::showMessage(nullptr, QStringLiteral("付属の新しいデータを追加できませんでした。次の起動でもう一度試します。（%1）")
                                     .arg(QString::fromStdString(chosen.upgradeError)));
    return true;
}

} // namespace kadelo::shell
