#include "ui/picture.h"

#include "ui/look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace kadelo::ui {

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
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource_);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
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
