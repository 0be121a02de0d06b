#include "text/records.h"

#include "text/cp932.h"
#include "text/numbers.h"

namespace kadelo::text {

void splitFields(std::string_view line, FieldList& fields)
{
    std::size_t pos = 0;
    const std::size_t n = line.size();
    while (true) {
        while (pos < n && line[pos] == ' ')
            ++pos;
        std::size_t comma;
        if (pos < n && line[pos] == '"') {
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                fields.push_back(line.substr(pos + 1));
                return;
            }
            fields.push_back(line.substr(pos + 1, close - pos - 1));
            comma = line.find(',', close + 1);
        } else {
            comma = line.find(',', pos);
            fields.push_back(line.substr(pos, comma == std::string_view::npos ? n - pos : comma - pos));
        }
        if (comma == std::string_view::npos)
            return;
        pos = comma + 1;
    }
}

std::vector<std::u32string> decodedFields(std::string_view bytes)
{
    std::vector<std::u32string> out;
    forEachLine(bytes, [&](const FieldList& fields) {
        for (std::string_view f : fields)
            out.push_back(decodeCp932(f));
    });
    return out;
}

std::u32string fieldText(std::string_view field)
{
    return decodeCp932(field);
}

std::optional<std::int16_t> fieldInt16(std::string_view field)
{
    return toInt16(parseInteger(decodeCp932(field)));
}

std::u32string quotedField(std::u32string_view text)
{
    std::u32string out;
    out.reserve(text.size() + 2);
    out.push_back(U'"');
    out.append(text);
    out.push_back(U'"');
    return out;
}

bool isSafeFieldText(std::u32string_view text)
{
    for (char32_t c : text)
        if (c == U'"' || c == U',' || c == U'\r' || c == U'\n')
            return false;
    return true;
}

std::u32string numberField(long long value)
{
    const std::string s = std::to_string(value);
    return std::u32string(s.begin(), s.end());
}

} // namespace kadelo::text
