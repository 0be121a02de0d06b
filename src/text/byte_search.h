#pragma once
// Finding a few bytes in a whole file's bytes at memory speed. Dictionary lookups without a kept
// index search the raw bytes for the wanted codes; a byte on its own (a trail byte, say) stands in
// nearly every line of a kana file, whereas two bytes at a set distance (a lead and its trail, the
// trail bytes of two kana) seldom do, so the search tests both at once, many positions at a time.
#include <cstddef>
#include <string_view>

namespace kadelo::text {

// The first position p at or after `from` where bytes[p] == first and bytes[p + distance] == second;
// npos when there is none.
std::size_t findBytePair(std::string_view bytes, std::size_t from, char first, char second, std::size_t distance);

// The first place at or after `from` where `bytes` hold `key` (not empty); npos when they do not.
// Two of the key's bytes that vary between characters are tested first: its last byte and the one
// two before it (for two-byte characters: the trail bytes of its last two).
std::size_t findKey(std::string_view bytes, std::string_view key, std::size_t from);

} // namespace kadelo::text
