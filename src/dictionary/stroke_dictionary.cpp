#include "dictionary/stroke_dictionary.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dictionary/entry_text.h"
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

namespace {

// The Shift-JIS code of a field of one character: the byte itself, or lead << 8 | trail; -1 for a
// field of any other length.
int codeOf(std::string_view field)
{
    const auto* u = reinterpret_cast<const unsigned char*>(field.data());
    if (field.size() == 1 && !text::isCp932LeadByte(u[0]))
        return u[0];
    if (field.size() == 2 && text::isCp932LeadByte(u[0]))
        return (u[0] << 8) | u[1];
    return -1;
}

// Every Shift-JIS code of each character, built once from the codec's own decoding. A few
// characters have more than one code (the NEC and IBM extension rows repeat some symbols and
// kanji), so a lookup compares an entry's raw code with all codes of the wanted character and never
// has to decode the entries.
class CodeIndex {
public:
    struct Code {
        char32_t character;
        int code;
        bool operator<(const Code& other) const
        {
            return character != other.character ? character < other.character : code < other.code;
        }
    };

    CodeIndex()
    {
        auto add = [&](std::string_view field) {
            if (const std::optional<char32_t> c = StrokeDictionary::characterOf(field))
                codes_.push_back(Code{*c, codeOf(field)});
        };
        codes_.reserve(8000);
        for (unsigned b = 0; b < 256; ++b) {
            const char single = static_cast<char>(b);
            add(std::string_view(&single, 1));
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!text::isCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) { // no character has another trail byte
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                add(std::string_view(pair, 2));
            }
        }
        std::sort(codes_.begin(), codes_.end());
    }

    // The codes of a character, in code order; none when Shift-JIS cannot hold it.
    std::span<const Code> codesOf(char32_t c) const
    {
        const auto range = std::equal_range(codes_.begin(), codes_.end(), Code{c, -1},
            [](const Code& a, const Code& b) { return a.character < b.character; });
        return std::span<const Code>(codes_.data() + (range.first - codes_.begin()),
            static_cast<std::size_t>(range.second - range.first));
    }

private:
    std::vector<Code> codes_;
};

const CodeIndex& codeIndex()
{
    static const CodeIndex index;
    return index;
}

// Where the first entry for one two-byte code stands in the file, and its count.
struct FirstEntry {
    std::size_t lineStart;
    std::int16_t strokes;
};

// The first entry whose character field is exactly the two bytes `lead`, `trail`. Instead of
// splitting every line, memchr jumps from one occurrence of the trail byte to the next; only a line
// where the lead byte stands right before it is split, by the shared field reader, to see whether
// its first field is exactly that character. Every line whose first field is the character holds
// the two bytes side by side, so no entry is missed, and the lines are met in file order.
std::optional<FirstEntry> firstEntryOfCode(std::string_view bytes, unsigned char lead, unsigned char trail)
{
    const char* const data = bytes.data();
    const std::size_t n = bytes.size();
    const char wanted[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    text::FieldList fields;
    std::size_t pos = 1;
    while (pos < n) {
        const void* hit = std::memchr(data + pos, trail, n - pos);
        if (!hit)
            return std::nullopt;
        const std::size_t i = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (static_cast<unsigned char>(data[i - 1]) != lead) {
            pos = i + 1;
            continue;
        }
        std::size_t start = i - 1;
        while (start > 0 && data[start - 1] != '\n')
            --start;
        const void* newline = std::memchr(data + i, '\n', n - i);
        const std::size_t end = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) : n;
        std::string_view line(data + start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        fields.clear();
        text::splitFields(line, fields);
        if (fields.size() >= 2 && fields[0] == std::string_view(wanted, 2))
            return FirstEntry{start, StrokeDictionary::countOf(fields[1])};
        pos = end + 1; // this line is not the character's entry, wherever else the bytes stand in it
    }
    return std::nullopt;
}

} // namespace

void StrokeDictionary::lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const
{
    for (std::size_t i = 0; i < wanted.size(); ++i)
        counts[i].reset();
    // Every code of every wanted character; a character without a code (one that Shift-JIS cannot
    // hold) can never be in the file.
    struct Want {
        int code;
        std::size_t position;
    };
    std::vector<Want> wants;
    bool singleByte = false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == 0)
            continue;
        for (const CodeIndex::Code& c : codeIndex().codesOf(wanted[i])) {
            wants.push_back(Want{c.code, i});
            singleByte = singleByte || c.code < 0x100;
        }
    }
    if (wants.empty())
        return;
    const std::optional<std::string> bytes = text::readFileBytes(path_);
    if (!bytes)
        return;

    if (singleByte) {
        // A one-byte character (a digit, a half-width kana) also stands inside other lines at every
        // turn, so here every line is read in turn.
        forEachRawEntryIn(*bytes, [&](std::string_view characterField, std::int16_t strokes) {
            const int code = codeOf(characterField);
            for (const Want& w : wants)
                if (w.code == code && !counts[w.position])
                    counts[w.position] = strokes;
        });
        return;
    }

    // Two-byte characters: the earliest entry among all codes of a character counts.
    std::vector<std::optional<std::size_t>> lineOf(wanted.size());
    for (std::size_t k = 0; k < wants.size(); ++k) {
        const Want& w = wants[k];
        const std::optional<FirstEntry> first
            = firstEntryOfCode(*bytes, static_cast<unsigned char>(w.code >> 8), static_cast<unsigned char>(w.code & 0xFF));
        if (first && (!lineOf[w.position] || first->lineStart < *lineOf[w.position])) {
            lineOf[w.position] = first->lineStart;
            counts[w.position] = first->strokes;
        }
    }
}

std::optional<std::int16_t> StrokeDictionary::lookUp(std::u32string_view character) const
{
    if (character.size() != 1)
        return std::nullopt;
    std::optional<std::int16_t> count;
    lookUpEach(std::span<const char32_t>(character.data(), 1), std::span<std::optional<std::int16_t>>(&count, 1));
    return count;
}

StrokeDictionary::Correction StrokeDictionary::correct(std::u32string_view character, std::int16_t strokes) const
{
    return correctIn(path_, character, strokes, &StrokeDictionary::characterOf);
}

StrokeDictionary::Correction StrokeDictionary::correctIn(const std::filesystem::path& path_, std::u32string_view character,
    std::int16_t strokes, CharacterReader characterOf)
{
    Correction result;
    if (character.size() != 1) {
        result.kind = Correction::Kind::NotFound;
        return result;
    }
    const std::optional<std::string> bytes = text::readFileBytes(path_);
    if (!bytes) {
        std::error_code ec;
        const bool absent = !std::filesystem::exists(path_, ec) && !ec;
        result.kind = absent ? Correction::Kind::NotFound : Correction::Kind::CannotRead;
        result.error = absent ? std::string() : "cannot read " + path_.string();
        return result;
    }
    // The first line whose first field is the character and that has a count: the entry lookups give.
    std::optional<ByteEdit> edit;
    text::forEachLine(*bytes, [&](const text::FieldList& fields) {
        if (edit || fields.size() < 2 || characterOf(fields[0]) != character[0])
            return;
        result.before = countOf(fields[1]);
        edit = replaceField(*bytes, fields[1], text::toUtf8(text::numberField(strokes)));
    });
    if (!edit) {
        result.kind = Correction::Kind::NotFound;
        return result;
    }
    const text::WriteResult written = text::writeFileAtomic(path_, applyEdits(*bytes, {*edit}));
    if (!written) {
        result.kind = Correction::Kind::CannotWrite;
        result.error = written.error;
    }
    return result;
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
