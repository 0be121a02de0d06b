#pragma once
// Conversions between UTF-8 and the one-char32_t-per-character strings the logic works with.
#include <string>
#include <string_view>

namespace kadelo::text {

std::u32string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u32string_view text);

// Leading and trailing blanks removed: the ASCII space and the full-width space U+3000.
std::u32string_view trimBlanks(std::u32string_view text);

// The first n characters of text (all of it when it is shorter).
inline std::u32string_view firstChars(std::u32string_view text, std::size_t n)
{
    return text.substr(0, n);
}

} // namespace kadelo::text
