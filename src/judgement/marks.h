#pragma once
// Grading a fortune number with its one-character mark.
#include <cstdint>
#include <string_view>

namespace kadelo {

enum class Fortune { soukaku, jinnkaku, gaikaku, tikaku };

// One of "◎", "○", "▲", "×", "★".
using FortuneMark = std::u32string_view;

// The mark of a fortune number; `boy` picks the boy's or the girl's table for soukaku and is
// ignored for the other three. Numbers outside a table's lists give "★".
FortuneMark gradeFortune(Fortune fortune, std::int16_t number, bool boy);

} // namespace kadelo
