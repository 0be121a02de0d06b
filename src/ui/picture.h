#pragma once
// A picture control: an SVG drawn at the control's size, reporting clicks and double-clicks.
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

private:
    void render();
    QString resource_;
};

} // namespace kadelo::ui
