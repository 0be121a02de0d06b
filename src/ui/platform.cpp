#include "ui/platform.h"

#include "ui/look.h"

#include <QApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QSvgRenderer>
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
            // Raw premultiplied R G B A bytes, rows top to bottom, made from the SVG at build time.
            const QByteArray bytes = QResource(QStringLiteral(":/window_icon/kadelo-%1.rgba").arg(size)).uncompressedData();
            if (bytes.size() != qsizetype(size) * size * 4)
                continue;
            const QImage picture(reinterpret_cast<const uchar*>(bytes.constData()), size, size, size * 4,
                QImage::Format_RGBA8888_Premultiplied);
            made.addPixmap(QPixmap::fromImage(picture.copy())); // the copy owns its pixels
        }
        return new QIcon(made.isNull() ? QIcon(QStringLiteral(":/kadelo.svg")) : made);
    }();
    return *icon;
}

QCursor customPointer(int which)
{
    initResources();
    const QString file = which == 2 ? QStringLiteral(":/pointer2.svg") : QStringLiteral(":/pointer1.svg");
    // Drawn straight from the SVG at 32 × 32 (sharp on high-density screens): no icon engine to load.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap picture(QSize(32, 32) * ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(file);
    if (renderer.isValid()) {
        QSizeF drawn = renderer.defaultSize();
        drawn.scale(picture.size(), Qt::KeepAspectRatio);
        QPainter painter(&picture);
        renderer.render(&painter, QRectF(QPointF(0, 0), drawn));
    }
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
