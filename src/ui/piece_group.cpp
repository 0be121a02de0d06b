#include "ui/piece_group.h"

#include <QRegion>
#include <QWidget>
#include <algorithm>

namespace kadelo::ui {

PieceGroup::PieceGroup(QWidget* screen, const QString& name) : group_(new QWidget(screen))
{
    group_->setObjectName(name);
}

void PieceGroup::seal()
{
    std::vector<QRect> pieces;
    QRect extent;
    for (QObject* child : group_->children()) {
        if (auto* piece = qobject_cast<QWidget*>(child)) {
            pieces.push_back(piece->geometry());
            extent |= piece->geometry();
        }
    }
    group_->setGeometry(0, 0, extent.right() + 1, extent.bottom() + 1);
    // The group covers the rectangle around its pieces, less every other control in it that touches
    // none of its pieces (the screen's controls and the pieces of other groups): those keep their
    // mouse events and are not repainted when the group is. A few rectangles, not one per piece,
    // keep the painting cheap.
    std::vector<QRect> others;
    for (QObject* sibling : group_->parent()->children()) {
        auto* control = qobject_cast<QWidget*>(sibling);
        if (control == nullptr || control == group_ || control->isWindow())
            continue;
        others.push_back(control->geometry());
        for (QObject* inner : control->children()) {
            if (auto* piece = qobject_cast<QWidget*>(inner); piece != nullptr && !piece->isWindow())
                others.push_back(piece->geometry().translated(control->pos()));
        }
    }
    QRegion covered(extent);
    for (const QRect& other : others) {
        const bool touchesPiece = std::any_of(pieces.begin(), pieces.end(), [&](const QRect& r) { return r.intersects(other); });
        if (other.intersects(extent) && !touchesPiece)
            covered -= other;
    }
    group_->setMask(covered);
}

void PieceGroup::set(const std::vector<std::pair<QWidget*, bool>>& states)
{
    // A piece counts as in its state only once it has been shown or hidden explicitly.
    auto settled = [](QWidget* piece, bool shown) {
        return piece->testAttribute(Qt::WA_WState_ExplicitShowHide) && piece->isHidden() != shown;
    };
    int showing = 0;
    for (const auto& [piece, shown] : states)
        showing += shown && !settled(piece, shown);
    const bool together = showing >= 2 && group_->isVisible() && group_->window()->underMouse();
    if (together)
        group_->hide();
    for (const auto& [piece, shown] : states) {
        if (!settled(piece, shown))
            piece->setVisible(shown);
    }
    if (together)
        group_->show();
}

} // namespace kadelo::ui
