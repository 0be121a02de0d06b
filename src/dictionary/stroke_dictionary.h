#pragma once
// The kanji stroke dictionary 漢字.dat: one entry a line, a character in double quotes and its stroke
// count ("山",3). Every operation opens the file, reads it from the first line and closes it; nothing
// is kept between operations, so an entry appended anywhere is found by the next lookup.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/cp932.h"
#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/records.h"

namespace kadelo {

class StrokeDictionary {
public:
    explicit StrokeDictionary(std::filesystem::path path = text::strokeFileName());

    const std::filesystem::path& path() const { return path_; }

    // Calls onEntry(std::optional<char32_t> character, std::int16_t strokes) for every entry in file
    // order. `character` is empty when the entry's character field is not exactly one character
    // (such an entry never matches a character). Each line gives one entry from its first two fields;
    // a line with fewer fields (an empty line) is skipped, and a count that is not a 16-bit number
    // counts 0. An absent file has no entries. Returns false when the file could not be read.
    template <class OnEntry>
    bool forEachEntry(OnEntry&& onEntry) const
    {
        const std::optional<std::string> bytes = text::readFileBytes(path_);
        if (!bytes)
            return false;
        text::forEachLine(*bytes, [&](const text::FieldList& fields) {
            if (fields.size() < 2)
                return;
            onEntry(characterOf(fields[0]), countOf(fields[1]));
        });
        return true;
    }

    // The stroke count of the first entry whose character is exactly `character`; empty when none
    // (or when `character` is not exactly one character).
    std::optional<std::int16_t> lookUp(std::u32string_view character) const;

    // Appends one entry line. Refused, with nothing written, when the character is not exactly one
    // character, holds a double quote, comma or line break, or cannot be written in Shift-JIS.
    text::WriteResult append(std::u32string_view character, std::int16_t strokes) const;

    // A stroke-count field as a number: a 16-bit integer, else 0.
    static std::int16_t countOf(std::string_view field);

    // The character of a character field: empty unless the field holds exactly one character that
    // Shift-JIS defines (bytes it does not define never match anything, not even U+FFFD).
    static std::optional<char32_t> characterOf(std::string_view field)
    {
        const std::optional<char32_t> c = text::decodeSingleCharacter(field);
        if (c && *c == U'\uFFFD')
            return std::nullopt;
        return c;
    }

private:
    std::filesystem::path path_;
};

} // namespace kadelo
