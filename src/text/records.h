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
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadelo::text {

using FieldList = std::vector<std::string_view>;

// Splits one line (without its line end) into its fields, appending them to `fields`.
void splitFields(std::string_view line, FieldList& fields);

// Splits the line that starts at `p` (it runs to the next LF or to `end`; a CR before the LF is not
// part of it) into `fields`, which it clears first. Gives the start of the next line.
inline const char* splitLineAt(const char* p, const char* end, FieldList& fields)
{
    const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* next = lineEnd ? lineEnd + 1 : end;
    if (!lineEnd)
        lineEnd = end;
    std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    fields.clear();
    splitFields(line, fields);
    return next;
}

// The position where the line that holds the byte at `pos` begins.
inline std::size_t lineStartOf(std::string_view bytes, std::size_t pos)
{
    const std::size_t previousEnd = pos == 0 ? std::string_view::npos : bytes.rfind('\n', pos - 1);
    return previousEnd == std::string_view::npos ? 0 : previousEnd + 1;
}

// Splits the line that holds the byte at `pos` into `fields`, as splitLineAt does. Gives the
// position where the next line begins (the size of `bytes` after the last line).
inline std::size_t splitLineAround(std::string_view bytes, std::size_t pos, FieldList& fields)
{
    const char* next = splitLineAt(bytes.data() + lineStartOf(bytes, pos), bytes.data() + bytes.size(), fields);
    return static_cast<std::size_t>(next - bytes.data());
}

// Calls onLine(const FieldList&) for every line of a file's bytes, in order.
template <class OnLine>
void forEachLine(std::string_view bytes, OnLine&& onLine)
{
    FieldList fields;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        p = splitLineAt(p, end, fields);
        onLine(static_cast<const FieldList&>(fields));
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
