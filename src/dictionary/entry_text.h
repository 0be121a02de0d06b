#pragma once
// Whether a typed text can stand in a field of the dictionary files.
#include <string>
#include <string_view>

namespace kadelo {

// The notice that refuses a text that would break a dictionary line or that Shift-JIS cannot hold
// (a double quote, a comma, a line break, a character such as 𠮷 or an emoji); empty when the text
// can be stored. The notice names the first offending character.
std::u32string unstorableNotice(std::u32string_view text);

} // namespace kadelo
