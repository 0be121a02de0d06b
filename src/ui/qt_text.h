#pragma once
// Text at the boundary between the logic (std::u32string) and the screens (QString).
#include <QString>
#include <string>
#include <string_view>

namespace kadelo::ui {

inline QString qs(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u32string u32(const QString& text)
{
    return text.toStdU32String();
}

} // namespace kadelo::ui
