#include "dictionary/stroke_dictionary.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "dictionary/entry_text.h"
#include "text/byte_search.h"
#include "text/file_cache.h"
#include "text/records.h"
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

} // namespace

// Calls onEntry(lineStart, strokes) for the entries whose character field is exactly the two bytes
// `lead`, `trail`, in file order, until it returns false. Instead of splitting every line, the search
// jumps from one place where the two bytes stand side by side to the next; only such a line is
// split, by the shared field reader, to see whether its first field is exactly that character. Every
// line whose first field is the character holds the two bytes side by side, so no entry is missed.
template <class OnEntry>
void forEachEntryOfCode(std::string_view bytes, unsigned char lead, unsigned char trail, OnEntry&& onEntry)
{
    const char wanted[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    text::FieldList fields;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t hit = text::findBytePair(bytes, pos, wanted[0], wanted[1], 1);
        if (hit == std::string_view::npos)
            return;
        const std::size_t start = text::lineStartOf(bytes, hit);
        const std::size_t next = text::splitLineAround(bytes, start, fields); // the line begins at start
        if (fields.size() >= 2 && fields[0] == std::string_view(wanted, 2)
            && !onEntry(start, StrokeDictionary::countOf(fields[1])))
            return;
        pos = next; // a line holds one entry, wherever else the bytes stand in it
    }
}

// The first and the last entry of every one- and two-byte code of a file, by entry number. Made in
// one pass over the file's bytes and kept while the file is unchanged; a lookup then compares the
// raw codes of the wanted characters with it and never decodes an entry. The lines up to the last
// line end are indexed in the slots; a last line without a line end is held aside, because an
// append may still change it. When the file has only grown, the index of its earlier state is
// carried on from its last line end instead of reading every line again.
class StrokeIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;
    struct Slot {
        std::uint32_t firstEntry = kNone;
        std::uint32_t lastEntry = kNone;
        std::int16_t firstCount = 0;
        std::int16_t lastCount = 0;
    };

    // Whether `bytes` begin with all the complete lines this index was made from.
    static bool grownFrom(const StrokeIndex& earlier, std::string_view bytes)
    {
        return earlier.complete_ > 0 && earlier.complete_ <= bytes.size()
            && std::memcmp(earlier.bytes_.data(), bytes.data(), earlier.complete_) == 0;
    }

    StrokeIndex(std::shared_ptr<const std::string> bytes, StrokeIndex* earlier, bool takeOver) : kept_(std::move(bytes)), bytes_(*kept_)
    {
        const std::size_t lineEnd = bytes_.rfind('\n');
        complete_ = lineEnd == std::string::npos ? 0 : lineEnd + 1;
        std::size_t from = 0;
        if (earlier) { // only grown: carried on from the earlier lines
            if (takeOver)
                slots_ = std::move(earlier->slots_);
            else
                slots_ = earlier->slots_;
            entries_ = earlier->entries_;
            from = earlier->complete_;
        } else {
            slots_.assign(kSlots, Slot{});
        }
        const std::string_view all(bytes_);
        StrokeDictionary::forEachRawEntryIn(all.substr(from, complete_ - from),
            [&](std::string_view characterField, std::int16_t strokes) {
                const int slot = slotOf(codeOf(characterField));
                if (slot >= 0) {
                    Slot& s = slots_[static_cast<std::size_t>(slot)];
                    if (s.firstEntry == kNone) {
                        s.firstEntry = entries_;
                        s.firstCount = strokes;
                    }
                    s.lastEntry = entries_;
                    s.lastCount = strokes;
                }
                ++entries_;
            });
        StrokeDictionary::forEachRawEntryIn(all.substr(complete_), [&](std::string_view characterField, std::int16_t strokes) {
            tailCode_ = codeOf(characterField);
            tailCount_ = strokes;
        });
    }

    // The entries of a code; empty for a code no character has or no entry holds.
    Slot find(int code) const
    {
        const int slot = slotOf(code);
        if (slot < 0)
            return Slot{};
        Slot s = slots_[static_cast<std::size_t>(slot)];
        if (tailCode_ == code) { // the entry of the last line comes after all others
            if (s.firstEntry == kNone) {
                s.firstEntry = entries_;
                s.firstCount = tailCount_;
            }
            s.lastEntry = entries_;
            s.lastCount = tailCount_;
        }
        return s;
    }

private:
    // One slot for each single byte, then one for each lead byte and trail byte 0x40–0xFC (no
    // character has another trail byte).
    static constexpr int kLeads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
    static constexpr int kTrails = 0xFC - 0x40 + 1;
    static constexpr std::size_t kSlots = 256 + kLeads * kTrails;

    static int slotOf(int code)
    {
        if (code < 0)
            return -1;
        if (code < 0x100)
            return code;
        const int lead = code >> 8;
        const int trail = code & 0xFF;
        if (trail < 0x40 || trail > 0xFC)
            return -1;
        const int leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
        return 256 + leadIndex * kTrails + (trail - 0x40);
    }

    std::shared_ptr<const std::string> kept_; // what the index was made from
    std::string_view bytes_;     // the same bytes
    std::size_t complete_ = 0;   // the bytes up to and with the last line end
    std::vector<Slot> slots_;    // the entries of those lines
    std::uint32_t entries_ = 0;  // how many entries those lines give
    int tailCode_ = -2;          // the entry of a last line without a line end (-2: none)
    std::int16_t tailCount_ = 0;
};

namespace {

text::FileIndexCache<StrokeIndex>& strokeIndexes()
{
    static text::FileIndexCache<StrokeIndex> cache;
    return cache;
}

} // namespace

void StrokeDictionary::lookUp(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts, bool last) const
{
    for (std::size_t i = 0; i < wanted.size(); ++i)
        counts[i].reset();
    // A character without a code (one that Shift-JIS cannot hold) can never be in the file; when no
    // wanted character has one, the file is not even looked at.
    bool any = false;
    for (char32_t c : wanted)
        any = any || (c != 0 && !codeIndex().codesOf(c).empty());
    if (!any)
        return;
    const text::FileReading<StrokeIndex> reading = strokeIndexes().get(path_);
    if (reading.bytes) {
        lookUpIn(*reading.bytes, wanted, counts, last);
        return;
    }
    if (!reading.index)
        return;
    const StrokeIndex& index = *reading.index;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == 0)
            continue;
        // Among all codes of the character, the earliest (or latest) entry counts.
        std::uint32_t best = StrokeIndex::kNone;
        for (const CodeIndex::Code& c : codeIndex().codesOf(wanted[i])) {
            const StrokeIndex::Slot slot = index.find(c.code);
            if (slot.firstEntry == StrokeIndex::kNone)
                continue;
            const std::uint32_t entry = last ? slot.lastEntry : slot.firstEntry;
            if (best == StrokeIndex::kNone || (last ? entry > best : entry < best)) {
                best = entry;
                counts[i] = last ? slot.lastCount : slot.firstCount;
            }
        }
    }
}

void StrokeDictionary::lookUpIn(std::string_view bytes, std::span<const char32_t> wanted,
    std::span<std::optional<std::int16_t>> counts, bool last)
{
    // Without an index: every code of every wanted character, each searched for in the raw bytes.
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
    if (singleByte) {
        // A one-byte character (a digit, a half-width kana) also stands inside other lines at every
        // turn, so here every line is read in turn.
        forEachRawEntryIn(bytes, [&](std::string_view characterField, std::int16_t strokes) {
            const int code = codeOf(characterField);
            for (const Want& w : wants)
                if (w.code == code && (last || !counts[w.position]))
                    counts[w.position] = strokes;
        });
        return;
    }
    // Two-byte characters: the earliest (or latest) entry among all codes of a character counts.
    std::vector<std::optional<std::size_t>> lineOf(wanted.size());
    for (const Want& w : wants) {
        std::optional<std::size_t> line;
        std::int16_t count = 0;
        forEachEntryOfCode(bytes, static_cast<unsigned char>(w.code >> 8), static_cast<unsigned char>(w.code & 0xFF),
            [&](std::size_t lineStart, std::int16_t strokes) {
                line = lineStart;
                count = strokes;
                return last; // the first entry ends the search unless the last one counts
            });
        if (line && (!lineOf[w.position] || (last ? *line > *lineOf[w.position] : *line < *lineOf[w.position]))) {
            lineOf[w.position] = line;
            counts[w.position] = count;
        }
    }
}

void StrokeDictionary::lookUpEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const
{
    lookUp(wanted, counts, false);
}

void StrokeDictionary::lookUpLastEach(std::span<const char32_t> wanted, std::span<std::optional<std::int16_t>> counts) const
{
    lookUp(wanted, counts, true);
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
