#include "dictionary/stroke_lookup.h"

#include <vector>

#include "text/cp932.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {

Utf8StrokeDictionary::Utf8StrokeDictionary(std::filesystem::path path) : path_(std::move(path)) {}

std::optional<char32_t> Utf8StrokeDictionary::characterOf(std::string_view field)
{
    const std::u32string text = text::fromUtf8(field);
    if (text.size() != 1 || text[0] == U'\uFFFD')
        return std::nullopt;
    return text[0];
}

void Utf8StrokeDictionary::lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const
{
    for (std::size_t i = 0; i < wanted.size(); ++i)
        counts[i].reset();
    const std::optional<std::string> bytes = text::readFileBytes(path_);
    if (!bytes)
        return;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == 0 || wanted[i] == U'\uFFFD')
            continue;
        forEachLineOf(*bytes, wanted[i], [&](const text::FieldList& fields) {
            if (fields.size() < 2)
                return false;
            counts[i] = StrokeDictionary::countOf(fields[1]);
            return true;
        });
    }
}

std::optional<std::int16_t> Utf8StrokeDictionary::lookUp(std::u32string_view character) const
{
    if (character.size() != 1)
        return std::nullopt;
    std::optional<std::int16_t> count;
    lookUpEach(std::span<const char32_t>(character.data(), 1), std::span<std::optional<std::int16_t>>(&count, 1));
    return count;
}

text::WriteResult Utf8StrokeDictionary::append(std::u32string_view character, std::int16_t strokes) const
{
    if (character.size() != 1 || character[0] == U'\uFFFD' || !text::isSafeFieldText(character))
        return text::WriteResult{false, "not a single character that fits in a field"};
    return text::appendToFile(path_, text::toUtf8(text::quotedField(character) + U"," + text::numberField(strokes) + U"\r\n"));
}

StrokeLookup::StrokeLookup(std::filesystem::path strokePath, std::filesystem::path widePath)
    : cp932_(std::move(strokePath)), wide_(std::move(widePath))
{
}

bool StrokeLookup::fitsStrokeFile(char32_t c)
{
    const std::string bytes = text::encodeCp932Char(c);
    return !bytes.empty() && text::decodeSingleCharacter(bytes) == c;
}

void StrokeLookup::lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const
{
    std::vector<char32_t> narrow(wanted.begin(), wanted.end());
    std::vector<char32_t> wide(wanted.size(), 0);
    bool anyWide = false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] != 0 && !fitsStrokeFile(wanted[i])) {
            wide[i] = wanted[i];
            narrow[i] = 0;
            anyWide = true;
        }
    }
    cp932_.lookUpEach(narrow, counts);
    if (!anyWide)
        return;
    std::vector<std::optional<std::int16_t>> wideCounts(wanted.size());
    wide_.lookUpEach(wide, wideCounts);
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (wide[i] != 0)
            counts[i] = wideCounts[i];
}

std::optional<std::int16_t> StrokeLookup::lookUp(std::u32string_view character) const
{
    if (character.size() != 1)
        return std::nullopt;
    std::optional<std::int16_t> count;
    lookUpEach(std::span<const char32_t>(character.data(), 1), std::span<std::optional<std::int16_t>>(&count, 1));
    return count;
}

text::WriteResult StrokeLookup::append(std::u32string_view character, std::int16_t strokes) const
{
    if (character.size() == 1 && !fitsStrokeFile(character[0]))
        return wide_.append(character, strokes);
    return cp932_.append(character, strokes);
}

StrokeDictionary::Correction Utf8StrokeDictionary::correct(std::u32string_view character, std::int16_t strokes) const
{
    return StrokeDictionary::correctIn(path_, character, strokes, &Utf8StrokeDictionary::characterOf);
}

StrokeDictionary::Correction StrokeLookup::correct(std::u32string_view character, std::int16_t strokes) const
{
    if (character.size() == 1 && !fitsStrokeFile(character[0]))
        return wide_.correct(character, strokes);
    return cp932_.correct(character, strokes);
}

const std::filesystem::path& StrokeLookup::fileOf(char32_t c) const
{
    return fitsStrokeFile(c) ? cp932_.path() : wide_.path();
}

} // namespace kadelo
