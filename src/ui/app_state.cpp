#include "ui/app_state.h"

namespace kadelo::ui {

MenuSettings& menuSettings()
{
    static MenuSettings settings = [] {
        // Until the main menu has read the file: the defaults, so a screen opened on its own (in a
        // test) looks as it would after a first start.
        MenuSettings m;
        m.aflag1 = 1;
        m.aflag2 = 1;
        const auto& colours = SettingsFile::defaultColours();
        for (int i = 0; i < kColourCount; ++i) {
            const std::string s = std::to_string(colours[static_cast<std::size_t>(i)]);
            m.col[static_cast<std::size_t>(i)] = std::u32string(s.begin(), s.end());
        }
        return m;
    }();
    return settings;
}

} // namespace kadelo::ui
