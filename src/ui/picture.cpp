#include "ui/picture.h"

#include "ui/look.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>

namespace kadelo::ui {

QImage builtPixels(const QString& rawResource, int side)
{
    initResources();
    const QResource raw(rawResource);
    const qint64 bytes = qint64(side) * side * 4;
    if (side < 1 || !raw.isValid() || raw.uncompressedSize() != bytes)
        return {};
    // B G R A bytes are the pixels of a little-endian machine's premultiplied ARGB32 image: shown
    // without any conversion there, read in place when stored as they are (and aligned as an image's
    // rows must be).
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    if (raw.compressionAlgorithm() == QResource::NoCompression && quintptr(raw.data()) % 4 == 0)
        return QImage(raw.data(), side, side, side * 4, QImage::Format_ARGB32_Premultiplied);
#endif
    const QByteArray data = raw.uncompressedData();
    if (data.size() != bytes)
        return {};
    const QImage stored(reinterpret_cast<const uchar*>(data.constData()), side, side, side * 4,
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        QImage::Format_ARGB32_Premultiplied);
    return stored.copy(); // the copy owns its pixels
#else
        QImage::Format_RGBA8888_Premultiplied);
    return stored.rgbSwapped(); // B G R A read as R G B A, then red and blue swapped back
#endif
}

QPixmap builtPicture(const QString& svgResource, QSize devicePixels)
{
    // ":/zedi_0.svg" at 32 × 32 is ":/pictures/zedi_0-32.bgra".
    const QString prefix = QStringLiteral(":/");
    const QString suffix = QStringLiteral(".svg");
    if (devicePixels.width() != devicePixels.height() || !svgResource.startsWith(prefix) || !svgResource.endsWith(suffix))
        return {};
    const QString name = svgResource.mid(prefix.size(), svgResource.size() - prefix.size() - suffix.size());
    const QImage pixels = builtPixels(QStringLiteral(":/pictures/%1-%2.bgra").arg(name).arg(devicePixels.width()), devicePixels.width());
    return pixels.isNull() ? QPixmap() : QPixmap::fromImage(pixels);
}

QImage drawnPicture(const QString& svgResource, QSize devicePixels, Qt::AspectRatioMode mode)
{
    initResources();
    QImage picture(devicePixels, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    // Through Qt's SVG image plugin: the SVG library is loaded only when a picture is first drawn.
    QImageReader reader(svgResource, "svg");
    const QSize natural = reader.size();
    if (!natural.isValid() || natural.isEmpty() || devicePixels.isEmpty())
        return picture;
    reader.setScaledSize(natural.scaled(devicePixels, mode));
    const QImage drawn = reader.read();
    if (drawn.size() == devicePixels)
        return drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!drawn.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(0, 0, drawn);
    }
    return picture;
}

Picture::Picture(QWidget* parent, const QString& name, const QString& svgResource) : QLabel(parent), resource_(svgResource)
{
    initResources();
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Picture::setPicture(const QString& svgResource)
{
    resource_ = svgResource;
    renderWhenShown();
}

void Picture::renderWhenShown()
{
    stale_ = true;
    if (isVisible())
        render();
}

void Picture::render()
{
    stale_ = false;
    const QSize size = this->size().isValid() && !this->size().isEmpty() ? this->size() : QSize(32, 32);
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = builtPicture(resource_, size * ratio);
    if (pixmap.isNull())
        pixmap = QPixmap::fromImage(drawnPicture(resource_, size * ratio, Qt::IgnoreAspectRatio));
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

void Picture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void Picture::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    renderWhenShown();
}

void Picture::showEvent(QShowEvent* event)
{
    if (stale_)
        render();
    QLabel::showEvent(event);
}

} // namespace kadelo::ui
