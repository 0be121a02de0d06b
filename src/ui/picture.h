#pragma once
// A picture control: an SVG drawn at the control's size, reporting clicks and double-clicks. The
// drawing is made when the control is first shown (and again after a change of size or picture),
// so hidden pictures cost nothing.
#include <QLabel>

namespace kadelo::ui {

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
