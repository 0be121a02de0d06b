#include "ui/stroke_file_notice.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "text/data_folder.h"
#include "text/file_io.h"
#include "ui/messages.h"

namespace kadelo::ui {
namespace {

class StrokeFileWatch : public QObject {
public:
    explicit StrokeFileWatch(QWidget* screen) : QObject(screen) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            QPointer<QWidget> screen = static_cast<QWidget*>(watched);
            // After the screen is on view, so the message stands in front of it.
            QTimer::singleShot(0, screen, [screen] {
                if (screen && screen->isVisible())
                    sayWhenUnusable(screen);
            });
        }
        return false;
    }

private:
    static void sayWhenUnusable(QWidget* screen)
    {
        const text::ReadResult probe = text::readFile(text::strokeFileName());
        if (probe.missing)
            showMessage(screen, QStringLiteral("漢字.dat が見つかりません。画数がわかりません。"));
        else if (!probe.bytes)
            showMessage(screen, QStringLiteral("漢字.dat を読み込めません。画数がわかりません。（%1）").arg(QString::fromStdString(probe.error)));
    }
};

} // namespace

void watchStrokeFile(QWidget* screen)
{
    screen->installEventFilter(new StrokeFileWatch(screen));
}

} // namespace kadelo::ui
