#pragma once
// Turning typed or stored text into numbers.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kadelo::text {

// A whole number: optional blanks around, an optional sign, decimal digits (full-width digits are
// taken too) and nothing else. Empty when the text is not such a number or exceeds 64 bits.
std::optional<long long> parseInteger(std::u32string_view text);

// A decimal number: optional blanks around, an optional sign, digits with an optional fractional
// part ("2.5", ".5", "08"), nothing else.
std::optional<double> parseDecimal(std::u32string_view text);

// The decimal number at the start of a text (after leading blanks), ignoring whatever follows it:
// "3月" gives 3, "2.5x" gives 2.5. Empty when the text does not start with a number.
std::optional<double> leadingNumber(std::u32string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// The value when it fits in a signed 16-bit integer.
std::optional<std::int16_t> toInt16(std::optional<long long> value);
std::optional<std::int16_t> toInt16(std::optional<double> value);

} // namespace kadelo::text
