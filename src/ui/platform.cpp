#include "ui/platform.h"

#include "ui/look.h"
#include "ui/picture.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>

#ifdef Q_OS_WIN
#include <imm.h>
#include <windows.h>
#endif

namespace kadelo::ui {

QIcon programIcon()
{
    initResources();
    // Made once and kept to the end (never destroyed after the application object is gone).
    static const QIcon* const icon = [] {
        QIcon made;
        for (const int size : {16, 32, 48, 64, 128}) {
            // Raw pixels made from the SVG at build time.
            const QImage picture = builtPixels(QStringLiteral(":/window_icon/kadelo-%1.bgra").arg(size), size);
            if (!picture.isNull())
                made.addPixmap(QPixmap::fromImage(picture));
        }
        return new QIcon(made.isNull() ? QIcon(QStringLiteral(":/kadelo.svg")) : made);
    }();
    return *icon;
}

QCursor customPointer(int which)
{
    initResources();
    const QString file = which == 2 ? QStringLiteral(":/pointer2.svg") : QStringLiteral(":/pointer1.svg");
    // 32 × 32, from the pixels drawn at build time; at other pixel densities drawn from the SVG (sharp
    // on high-density screens), with no icon engine to load.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture = builtPicture(file, QSize(32, 32) * ratio);
    if (picture.isNull())
        picture = QPixmap::fromImage(drawnPicture(file, QSize(32, 32) * ratio, Qt::KeepAspectRatio));
    picture.setDevicePixelRatio(ratio);
    return QCursor(picture, 0, 0);
}

void applyPointer(QWidget* window, int mflag)
{
    if (!window)
        return;
    if (mflag == 0 || mflag == 1)
        window->setCursor(customPointer(mflag + 1));
    else
        window->unsetCursor();
}

void applyPointerToOpenScreens(int mflag)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const QString name = w->objectName();
        if (name == QLatin1String("main") || name == QLatin1String("kadelo") || name == QLatin1String("nfind"))
            applyPointer(w, mflag);
    }
}

BusyPointer::BusyPointer()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    QApplication::restoreOverrideCursor();
}

namespace {

#ifdef Q_OS_WIN
class HiraganaOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* w = static_cast<QWidget*>(watched);
            HWND hwnd = reinterpret_cast<HWND>(w->window()->winId());
            if (HIMC imc = ImmGetContext(hwnd)) {
                ImmSetOpenStatus(imc, TRUE);
                ImmSetConversionStatus(imc, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, IME_SMODE_NONE);
                ImmReleaseContext(hwnd, imc);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
#endif

} // namespace

void setHiraganaInput(QLineEdit* box)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, true);
    box->setInputMethodHints(box->inputMethodHints() & ~Qt::ImhLatinOnly);
#ifdef Q_OS_WIN
    box->installEventFilter(new HiraganaOnFocus(box));
#endif
}

void disableInputMethod(QLineEdit* box)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
}

} // namespace kadelo::ui
