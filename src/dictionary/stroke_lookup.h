#pragma once
// Stroke counts of characters that Shift-JIS cannot hold, and the one way every screen looks counts up.
//
// 漢字UTF8.dat keeps the record layout of 漢字.dat ("𠮷",6 and CR LF) in UTF-8, for the characters
// 漢字.dat cannot hold. A lookup asks 漢字.dat for a character Shift-JIS can hold and 漢字UTF8.dat for
// any other, so each character has exactly one file, and within it the first entry counts.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dictionary/stroke_dictionary.h"
#include "text/byte_search.h"
#include "text/data_folder.h"
#include "text/file_io.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {

class Utf8StrokeDictionary {
public:
    explicit Utf8StrokeDictionary(std::filesystem::path path = text::wideStrokeFileName());

    const std::filesystem::path& path() const { return path_; }

    // Calls onEntry(std::optional<char32_t> character, std::int16_t strokes) for every entry in file
    // order, read as 漢字.dat's entries are; `character` is empty unless the field is exactly one
    // character in valid UTF-8. Returns false when the file could not be read (an absent file has
    // no entries).
    template <class OnEntry>
    bool forEachEntry(OnEntry&& onEntry) const
    {
        const std::optional<std::string> bytes = text::readFileBytes(path_);
        if (!bytes)
            return false;
        text::forEachLine(*bytes, [&](const text::FieldList& fields) {
            if (fields.size() >= 2)
                onEntry(characterOf(fields[0]), StrokeDictionary::countOf(fields[1]));
        });
        return true;
    }

    // counts[i] becomes the count of the first entry for wanted[i]; a wanted[i] of 0 is skipped.
    void lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const;

    std::optional<std::int16_t> lookUp(std::u32string_view character) const;

    // Appends one entry line in UTF-8. Refused, with nothing written, when the character is not
    // exactly one character or holds a double quote, comma or line break.
    text::WriteResult append(std::u32string_view character, std::int16_t strokes) const;

    static std::optional<char32_t> characterOf(std::string_view field);

    // Puts `strokes` in place of the count of the character's first entry (see StrokeDictionary).
    StrokeDictionary::Correction correct(std::u32string_view character, std::int16_t strokes) const;

    // Calls onLine(const text::FieldList&) for each line of UTF-8 `bytes`, in file order, whose first
    // field is exactly the one character `c`, until onLine returns true. A search for the
    // character's bytes skips every other line without splitting it: UTF-8 never matches inside
    // another character, and every line whose first field is `c` holds its bytes.
    template <class OnLine>
    static void forEachLineOf(std::string_view bytes, char32_t c, OnLine&& onLine)
    {
        const std::string needle = text::toUtf8(std::u32string(1, c));
        text::FieldList fields;
        std::size_t pos = 0;
        while ((pos = text::findKey(bytes, needle, pos)) != std::string_view::npos) {
            pos = text::splitLineAround(bytes, pos, fields);
            if (!fields.empty() && fields[0] == needle && onLine(static_cast<const text::FieldList&>(fields)))
                return;
        }
    }

private:
    std::filesystem::path path_;
};

class StrokeLookup {
public:
    explicit StrokeLookup(std::filesystem::path strokePath = text::strokeFileName(),
        std::filesystem::path widePath = text::wideStrokeFileName());

    const StrokeDictionary& strokeFile() const { return cp932_; }
    const Utf8StrokeDictionary& wideFile() const { return wide_; }

    // True when 漢字.dat can hold the character (Shift-JIS gives it back unchanged).
    static bool fitsStrokeFile(char32_t c);

    void lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const;
    std::optional<std::int16_t> lookUp(std::u32string_view character) const;

    // Appends to 漢字.dat, or to 漢字UTF8.dat for a character that Shift-JIS cannot hold.
    text::WriteResult append(std::u32string_view character, std::int16_t strokes) const;

    // Corrects the count in the file that holds the character.
    StrokeDictionary::Correction correct(std::u32string_view character, std::int16_t strokes) const;

    // The file a character's count lives in: 漢字.dat or 漢字UTF8.dat.
    const std::filesystem::path& fileOf(char32_t c) const;

private:
    StrokeDictionary cp932_;
    Utf8StrokeDictionary wide_;
};

} // namespace kadelo
