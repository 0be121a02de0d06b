#pragma once
// The kanji stroke dictionary 漢字.dat: one entry a line, a character in double quotes and its stroke
// count ("山",3). Lookups go through an index of the file that is kept only while the file stays
// exactly as it was read (text/file_cache.h), and scan the bytes while none is kept, so an entry
// appended anywhere is found by the next lookup; the other operations read the file from the first
// line every time.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <span>
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
    // that Shift-JIS defines (such an entry never matches a character). Each line gives one entry
    // from its first two fields; a line with fewer fields (an empty line, a line of loose words) is
    // skipped, and a count that is not a 16-bit number counts 0. An absent file has no entries.
    // Returns false when the file could not be read.
    template <class OnEntry>
    bool forEachEntry(OnEntry&& onEntry) const
    {
        return forEachRawEntry([&](std::string_view characterField, std::int16_t strokes) {
            onEntry(characterOf(characterField), strokes);
        });
    }

    // Looks up several characters in one pass over the file: counts[i] becomes the count of the
    // first entry whose character is wanted[i], or stays empty when there is none. A wanted[i] of 0
    // is not looked up. `counts` must be at least as long as `wanted`.
    void lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const;

    // The same, except that the last entry of each character counts.
    void lookUpLastEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const;

    // The stroke count of the first entry whose character is exactly `character`; empty when none
    // (or when `character` is not exactly one character).
    std::optional<std::int16_t> lookUp(std::u32string_view character) const;

    // Appends one entry line. Refused, with nothing written, when the character is not exactly one
    // character, holds a double quote, comma or line break, or cannot be written in Shift-JIS.
    text::WriteResult append(std::u32string_view character, std::int16_t strokes) const;

    struct Correction {
        enum class Kind { Corrected, NotFound, CannotRead, CannotWrite };
        Kind kind = Kind::Corrected;
        std::int16_t before = 0; // the count that stood there
        std::string error;       // for CannotRead and CannotWrite
    };

    // Puts `strokes` in place of the count of the character's first entry, the one every lookup
    // gives. Every other byte of the file stays as it was; the file is replaced as a whole through a
    // temporary file, so a failure leaves the old file untouched.
    Correction correct(std::u32string_view character, std::int16_t strokes) const;

    // The same in any file of this layout, whose character fields `characterOf` reads.
    using CharacterReader = std::optional<char32_t> (*)(std::string_view field);
    static Correction correctIn(const std::filesystem::path& path, std::u32string_view character, std::int16_t strokes,
        CharacterReader characterOf);

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
    friend class StrokeIndex; // built from the raw entries

    void lookUp(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts, bool last) const;
    // The same answer straight from a file's bytes, when no index is kept.
    static void lookUpIn(std::string_view bytes, std::span<const char32_t> wanted,
        std::span<std::optional<std::int16_t>> counts, bool last);

    // Calls onEntry(std::string_view characterField, std::int16_t strokes) for every entry, with the
    // character field as raw Shift-JIS bytes. This builds the lookup index, so lines
    // in the exact layout the program writes ("山",3 with up to four digits) are taken straight from
    // the bytes; every other line goes through the shared field reader, which gives the same entry
    // for a line in that layout.
    template <class OnEntry>
    bool forEachRawEntry(OnEntry&& onEntry) const
    {
        const std::optional<std::string> bytes = text::readFileBytes(path_);
        if (!bytes)
            return false;
        forEachRawEntryIn(*bytes, onEntry);
        return true;
    }

    template <class OnEntry>
    static void forEachRawEntryIn(std::string_view bytes, OnEntry&& onEntry)
    {
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        text::FieldList fields;
        while (p < end) {
            std::string_view characterField;
            std::int16_t strokes = 0;
            if (const char* next = plainEntry(p, end, characterField, strokes)) {
                onEntry(characterField, strokes);
                p = next;
                continue;
            }
            const char* next = text::splitLineAt(p, end, fields);
            if (fields.size() >= 2)
                onEntry(fields[0], countOf(fields[1]));
            p = next;
        }
    }

    // A line in the written layout: a double quote, one character of one or two bytes, a double
    // quote, a comma, one to four digits, then CR LF, LF or the end of the file. Gives the start of
    // the next line and the entry, or null (and nothing) for any other line.
    static const char* plainEntry(const char* p, const char* end, std::string_view& characterField, std::int16_t& strokes)
    {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        const std::size_t left = static_cast<std::size_t>(end - p);
        std::size_t i;
        if (left >= 6 && u[0] == '"' && text::isCp932LeadByte(u[1]) && u[2] >= 0x40 && u[3] == '"' && u[4] == ',')
            i = 5;
        else if (left >= 5 && u[0] == '"' && u[1] >= 0x20 && u[1] != '"' && !text::isCp932LeadByte(u[1]) && u[2] == '"'
            && u[3] == ',')
            i = 4;
        else
            return nullptr;
        const std::size_t digitsStart = i;
        int count = 0;
        while (i < left && i - digitsStart < 5 && u[i] >= '0' && u[i] <= '9')
            count = count * 10 + (u[i++] - '0');
        if (i == digitsStart || i - digitsStart > 4)
            return nullptr;
        if (i < left) {
            if (u[i] == '\n')
                i += 1;
            else if (u[i] == '\r' && i + 1 < left && u[i + 1] == '\n')
                i += 2;
            else
                return nullptr;
        }
        characterField = std::string_view(p + 1, digitsStart - 3);
        strokes = static_cast<std::int16_t>(count);
        return p + i;
    }

    std::filesystem::path path_;
};

} // namespace kadelo
