#pragma once
// Pieces of a drawing that come and go as the user types, shown or hidden together.
#include <QString>
#include <utility>
#include <vector>

class QWidget;

namespace kadelo::ui {

// The pieces live on a bare widget of their own, placed at the screen's origin so that each piece
// keeps the screen's coordinates, its place in the stacking order among the other pieces, its
// tooltip and its mouse events. The group is masked to the rectangle around its pieces less every
// other control there that touches none of them, so those controls keep their mouse events and are
// not repainted with the group.
//
// Why a group: under X11, showing a widget on a visible parent while the pointer is over the window
// makes Qt ask the X server where the pointer is — a round trip per piece, and one keystroke may
// show eleven pieces. Widgets shown because their parent is being shown are not asked about, so a
// change that shows two pieces or more while the pointer is over the window hides the group, sets
// every piece and shows the group again: one question for the whole change.
class PieceGroup {
public:
    // A group on `screen`, its objectName `name`. Make the pieces with parent() as their parent.
    PieceGroup(QWidget* screen, const QString& name);

    QWidget* parent() const { return group_; }

    // Call once every piece is made and placed.
    void seal();

    // Shows or hides each piece as given; pieces already in that state are not touched.
    void set(const std::vector<std::pair<QWidget*, bool>>& states);

private:
    QWidget* group_;
};

} // namespace kadelo::ui
