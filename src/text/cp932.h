#pragma once
// The Shift-JIS (code page 932) codec of every data file, built on iconv's "CP932".
#include <optional>
#include <string>
#include <string_view>

namespace kadelo::text {

// Bytes to characters. A byte sequence CP932 does not define decodes to U+FFFD; never throws.
std::u32string decodeCp932(std::string_view bytes);

struct Cp932Bytes {
    std::string bytes;           // the encoded text; unencodable characters are left out
    std::u32string unencodable;  // every character CP932 cannot hold, each once, in order of appearance
    bool ok() const { return unencodable.empty(); }
};

// Characters to bytes. The caller refuses to write when ok() is false.
Cp932Bytes encodeCp932(std::u32string_view text);

// True when every character of text has a CP932 form.
bool cp932CanHold(std::u32string_view text);

// The CP932 bytes of one character, or empty when CP932 cannot hold it.
std::string encodeCp932Char(char32_t c);

// The character when `bytes` hold exactly one CP932 character (one or two bytes); empty otherwise.
// A cheap test for the one-character fields of the dictionaries.
std::optional<char32_t> decodeSingleCharacter(std::string_view bytes);

// True for a byte that opens a two-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace kadelo::text
