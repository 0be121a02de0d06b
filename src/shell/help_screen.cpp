#include "shell/help_screen.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/openers.h"
#include "ui/look.h"

namespace kadelo {
namespace {

// Opened by its bare name in the data folder, like every other file of the program.
QString helpPath()
{
    return QStringLiteral("kadelo_help.html");
}

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
    return QFile::exists(helpPath());
}

HelpScreen::HelpScreen(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("Kadelo ヘルプ"));
    auto* layout = new QVBoxLayout(this);
    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpText"));
    browser->setOpenExternalLinks(true);
    QFile file(helpPath());
    if (file.open(QIODevice::ReadOnly))
        browser->setHtml(QString::fromUtf8(file.readAll()));
    layout->addWidget(browser);
    auto* close = ui::makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 560);
}

} // namespace kadelo
