#pragma once
// The one record reader and writer of the data files.
//
// Reading: a file is a sequence of lines (CR LF, a bare LF also accepted; a last line without a
// line end is read like the others). Each line is a sequence of fields: a field ends at a comma or
// at the end of the line, spaces at its start are skipped, and a field that begins with a double
// quote runs to the next double quote on the line (the quotes are not part of the value; anything
// between the closing quote and the next comma is dropped). An empty line gives one empty field.
//
// The splitting works on the CP932 bytes themselves: the comma, the double quote, the space, CR and
// LF never occur as the second byte of a two-byte character, so no character is ever cut. Fields are
// handed out as byte views and decoded only where a caller needs their text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadelo::text {

using FieldList = std::vector<std::string_view>;

// Splits one line (without its line end) into its fields, appending them to `fields`.
void splitFields(std::string_view line, FieldList& fields);

// Calls onLine(const FieldList&) for every line of a file's bytes, in order.
template <class OnLine>
void forEachLine(std::string_view bytes, OnLine&& onLine)
{
    FieldList fields;
    std::size_t pos = 0;
    const std::size_t n = bytes.size();
    while (pos < n) {
        std::size_t end = bytes.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? n : end + 1;
        if (end == std::string_view::npos)
            end = n;
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        fields.clear();
        splitFields(line, fields);
        onLine(static_cast<const FieldList&>(fields));
        pos = next;
    }
}

// Every field of a file, decoded, in sequence (lines run into one another).
std::vector<std::u32string> decodedFields(std::string_view bytes);

// The text of a field (CP932 bytes to characters).
std::u32string fieldText(std::string_view field);

// A 16-bit integer from a whole field: optional blanks, an optional sign and decimal digits, nothing
// else. Empty when the field is not such a number or does not fit in 16 bits.
std::optional<std::int16_t> fieldInt16(std::string_view field);

// ---- Writing ----------------------------------------------------------------------------------

// The quoted form of a text field: "text". The text must not hold a double quote, a comma, CR or LF
// (see isSafeFieldText).
std::u32string quotedField(std::u32string_view text);

// True when text can stand in a quoted field without breaking the line layout.
bool isSafeFieldText(std::u32string_view text);

// Decimal digits of a number, with a minus sign when negative.
std::u32string numberField(long long value);

} // namespace kadelo::text
