#pragma once
// A picture control: an SVG drawn at the control's size, reporting clicks and double-clicks. The
// drawing is made when the control is first shown (and again after a change of size or picture),
// so hidden pictures cost nothing; the pictures and sizes the screens use are drawn at build time.
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace kadelo::ui {

// The raw pixels a resource of the program holds as a square picture of side × side: 4 bytes each,
// B G R A premultiplied, rows top to bottom. A null image when there is no such resource or it is not
// that size. The image may use the resource's memory directly (it lasts as long as the program).
QImage builtPixels(const QString& rawResource, int side);

// An SVG picture of the program as it was drawn at build time, side × side device pixels: the same
// pixels as drawnPicture() gives at that size. A null pixmap for the pictures and sizes not built in.
QPixmap builtPicture(const QString& svgResource, QSize devicePixels);

// An SVG picture drawn now on a transparent image of devicePixels: stretched to fill it, or with
// Qt::KeepAspectRatio as large as fits, from the top left corner. Transparent when it cannot be drawn.
QImage drawnPicture(const QString& svgResource, QSize devicePixels, Qt::AspectRatioMode mode);

class Picture : public QLabel {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QString& svgResource);
    void setPicture(const QString& svgResource);
    const QString& pictureResource() const { return resource_; }

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void render();
    void renderWhenShown();
    QString resource_;
    bool stale_ = true; // the drawing does not match the picture or the size
};

} // namespace kadelo::ui
