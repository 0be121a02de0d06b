#include "shell/help_screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/openers.h"
#include "shell/startup.h"
#include "text/file_io.h"
#include "ui/look.h"
#include "ui/qt_text.h"

namespace kadelo {
namespace {

// Sees every key press of the application before its window does.
class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
            && watched->isWidgetType()) {
            screens::openHelp(static_cast<QWidget*>(watched)->window());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void installHelpKey()
{
    static HelpKey* key = nullptr;
    if (key || !qApp)
        return;
    key = new HelpKey(qApp);
    qApp->installEventFilter(key);
}

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
