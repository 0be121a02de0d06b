#include "shell/help_screen.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/startup.h"
#include "text/file_io.h"
#include "ui/look.h"
#include "ui/qt_text.h"

namespace kadelo {

bool HelpScreen::helpAvailable()
{
    return !shell::helpDocument().empty();
}

HelpScreen::HelpScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Kadelo ヘルプ"));
    auto* layout = new QVBoxLayout(this);
    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpText"));
    browser->setOpenExternalLinks(true);
    const std::filesystem::path document = shell::helpDocument();
    if (const std::optional<std::string> html = text::readFileBytes(document)) {
        browser->setSearchPaths({ui::qs(document.parent_path().u32string())});
        browser->setHtml(QString::fromStdString(*html));
    }
    layout->addWidget(browser);
    auto* close = ui::makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 560);
}

} // namespace kadelo
