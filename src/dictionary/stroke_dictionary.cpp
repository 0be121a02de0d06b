#include "dictionary/stroke_dictionary.h"

#include "text/unicode.h"

namespace kadelo {

StrokeDictionary::StrokeDictionary(std::filesystem::path path) : path_(std::move(path)) {}

std::int16_t StrokeDictionary::countOf(std::string_view field)
{
    // Plain digits are by far the common case; everything else goes through the general parser.
    if (!field.empty() && field.size() <= 4) {
        int v = 0;
        bool digits = true;
        for (char c : field) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (digits)
            return static_cast<std::int16_t>(v);
    }
    return text::fieldInt16(field).value_or(0);
}

std::optional<std::int16_t> StrokeDictionary::lookUp(std::u32string_view character) const
{
    if (character.size() != 1)
        return std::nullopt;
    const char32_t wanted = character[0];
    std::optional<std::int16_t> found;
    forEachEntry([&](std::optional<char32_t> c, std::int16_t strokes) {
        if (!found && c && *c == wanted)
            found = strokes;
    });
    return found;
}

text::WriteResult StrokeDictionary::append(std::u32string_view character, std::int16_t strokes) const
{
    if (character.size() != 1 || !text::isSafeFieldText(character))
        return text::WriteResult{false, "not a single character that fits in a field"};
    const text::Cp932Bytes line = text::encodeCp932(text::quotedField(character) + U"," + text::numberField(strokes) + U"\r\n");
    if (!line.ok())
        return text::WriteResult{false, "characters that Shift-JIS cannot hold: " + text::toUtf8(line.unencodable)};
    return text::appendToFile(path_, line.bytes);
}

} // namespace kadelo
