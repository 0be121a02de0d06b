#pragma once
// Whether a typed text can stand in a field of the dictionary files.
#include <string>
#include <string_view>

namespace kadelo {

// The notice that refuses a text that would break a dictionary line or that Shift-JIS cannot hold
// (a double quote, a comma, a line break, a character such as 𠮷 or an emoji); empty when the text
// can be stored. The notice names the first offending character.
std::u32string unstorableNotice(std::u32string_view text);

// The same for the stroke files, which hold any character (漢字UTF8.dat takes those Shift-JIS cannot
// hold): only a double quote, a comma or a line break is refused.
std::u32string unfieldableNotice(std::u32string_view text);

// The notice that refuses a kanji for かな.dat: one that would break a line, or one that Shift-JIS
// cannot hold ("「𠮷」はかな.datに登録できない文字です。"); empty when it can be stored.
std::u32string kanaKanjiNotice(std::u32string_view kanji);

} // namespace kadelo
