#pragma once
// The notice of the screens that count strokes when the data folder has no usable 漢字.dat.
class QWidget;

namespace kadelo::ui {

// Each time `screen` opens (not when it is only brought forward or restored), says so when 漢字.dat
// is missing from the data folder ("漢字.dat が見つかりません。画数がわかりません。") or cannot be
// read. Nothing is copied or created.
void watchStrokeFile(QWidget* screen);

} // namespace kadelo::ui
