// Preloaded into the real program by the start-up test. Answers every message box with OK and
// appends what it said to the file KADELO_TEST_MESSAGES, one line each: icon number, a tab, the
// text with line breaks as "\n". Once the main menu is on view with no message open, it ends the
// program as the exit button would.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace {

void record(const QMessageBox* box)
{
    QFile out(qEnvironmentVariable("KADELO_TEST_MESSAGES"));
    if (!out.open(QIODevice::Append))
        return;
    QString text = box->text();
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    out.write(QString::number(box->icon()).toUtf8() + '\t' + box->windowTitle().toUtf8() + '\t' + text.toUtf8() + '\n');
}

void watch()
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (box->isVisible()) {
                record(box);
                box->accept();
            }
            return;
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("main") && w->isVisible())
                QApplication::quit();
    });
    timer->start();
}

// Runs as the application object is made; the watch starts with its event loop.
void startWatch()
{
    QMetaObject::invokeMethod(qApp, &watch, Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startWatch)
