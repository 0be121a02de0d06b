#pragma once
// Values the main menu holds for the whole run and every screen reads.
#include "settings/settings_file.h"

namespace kadelo::ui {

// The start-up values of the main menu (animation switches, mouse code, colour texts). The main
// menu fills them at start-up; only the mouse code changes during a run (settings screen).
MenuSettings& menuSettings();

} // namespace kadelo::ui
