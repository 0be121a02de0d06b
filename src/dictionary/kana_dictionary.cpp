#include "dictionary/kana_dictionary.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "dictionary/entry_text.h"
#include "dictionary/stroke_dictionary.h"
#include "text/byte_search.h"
#include "text/cp932.h"
#include "text/file_cache.h"
#include "text/records.h"
#include "text/unicode.h"

namespace kadelo {
namespace {

// An entry line holds a reading, a character and a stroke count; shorter lines (an empty line) are
// no entry.
constexpr std::size_t kEntryFields = 3;

// The text of a character field; the common one-character field is decoded without the general
// decoder.
std::u32string characterText(std::string_view field)
{
    if (const std::optional<char32_t> c = text::decodeSingleCharacter(field))
        return std::u32string(1, *c);
    return text::fieldText(field);
}

// A line in the written layout: "reading","character",count with one to four digits, then CR LF,
// LF or the end of the file, neither text holding a double quote or a line end. Gives the start of
// the next line and the three fields, or null for any other line (which the field reader splits).
const char* plainEntry(const char* p, const char* end, std::string_view& reading, std::string_view& character,
    std::string_view& count)
{
    auto quoted = [&](const char*& q, std::string_view& field) {
        if (q >= end || *q != '"')
            return false;
        const char* open = q + 1;
        const char* close = open;
        while (close < end && *close != '"' && *close != '\n' && *close != '\r')
            ++close;
        if (close >= end || *close != '"')
            return false;
        field = std::string_view(open, static_cast<std::size_t>(close - open));
        q = close + 1;
        return true;
    };
    const char* q = p;
    if (!quoted(q, reading) || q >= end || *q++ != ',' || !quoted(q, character) || q >= end || *q++ != ',')
        return nullptr;
    const char* digits = q;
    while (q < end && q - digits < 5 && *q >= '0' && *q <= '9')
        ++q;
    if (q == digits || q - digits > 4)
        return nullptr;
    count = std::string_view(digits, static_cast<std::size_t>(q - digits));
    if (q == end)
        return q;
    if (*q == '\n')
        return q + 1;
    if (*q == '\r' && q + 1 < end && q[1] == '\n')
        return q + 2;
    return nullptr;
}

// Calls onLine(fields) for every line of `bytes` whose bytes hold `key` somewhere, in file order, with
// the line split by the one field reader, until it returns false. Lines without the key, nearly all
// of them, are never split. An empty key, or one holding a line end, goes through every line.
template <class OnLine>
void forEachLineHolding(std::string_view bytes, std::string_view key, OnLine&& onLine)
{
    if (key.empty() || key.find('\n') != std::string_view::npos) {
        bool more = true;
        text::forEachLine(bytes, [&](const text::FieldList& fields) {
            if (more)
                more = onLine(fields);
        });
        return;
    }
    text::FieldList fields;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t hit = text::findKey(bytes, key, from);
        if (hit == std::string_view::npos)
            return;
        from = text::splitLineAround(bytes, hit, fields);
        if (!onLine(static_cast<const text::FieldList&>(fields)))
            return;
    }
}

} // namespace

// Every entry of a kana file grouped by the raw bytes of its reading, in file order within a
// reading. Made in one pass and kept while the file is unchanged, so a keystroke finds its reading
// with one hash probe and decodes only the entries it returns. The entries of one reading are
// chained through the flat entry array; the readings sit in an open-addressing table. As in the
// stroke index, a last line without a line end is held aside, and the index of an earlier state of
// a file that has only grown is carried on from its last line end.
class KanaIndex {
public:
    static constexpr std::uint32_t kEnd = 0xFFFFFFFF;
    struct Entry {
        std::uint32_t characterStart; // where the character field starts in the kept bytes
        std::uint32_t characterSize;
        std::uint32_t next;           // the reading's next entry, or kEnd
        std::int16_t strokes;
    };

    // Whether `bytes` begin with all the complete lines this index was made from.
    static bool grownFrom(const KanaIndex& earlier, std::string_view bytes)
    {
        return earlier.complete_ > 0 && earlier.complete_ <= bytes.size()
            && std::memcmp(earlier.bytes_.data(), bytes.data(), earlier.complete_) == 0;
    }

    KanaIndex(std::shared_ptr<const std::string> bytes, KanaIndex* earlier, bool takeOver) : kept_(std::move(bytes)), bytes_(*kept_)
    {
        const std::size_t lineEnd = bytes_.rfind('\n');
        complete_ = lineEnd == std::string::npos ? 0 : lineEnd + 1;
        std::size_t from = 0;
        if (earlier) {
            // Only grown: the entries of the earlier lines point at the same bytes.
            if (takeOver) {
                entries_ = std::move(earlier->entries_);
                groups_ = std::move(earlier->groups_);
                slots_ = std::move(earlier->slots_);
            } else {
                entries_ = earlier->entries_;
                groups_ = earlier->groups_;
                slots_ = earlier->slots_;
            }
            from = earlier->complete_;
        } else {
            slots_.assign(1024, kEnd);
            entries_.reserve(bytes_.size() / 16); // a written line is about 15 bytes
        }
        forEachEntryIn(bytes_, from, complete_, [&](std::string_view reading, std::string_view character, std::int16_t strokes) {
            add(reading, character, strokes);
        });
        forEachEntryIn(bytes_, complete_, bytes_.size(), [&](std::string_view reading, std::string_view character, std::int16_t strokes) {
            tail_ = Tail{std::string(reading), character, strokes};
        });
    }

    // The same as forEachOf, straight from a file's bytes without an index: only the lines that hold
    // the reading's bytes somewhere are split, in file order.
    template <class OnEntry>
    static void forEachOfIn(std::string_view bytes, std::string_view reading, OnEntry&& onEntry)
    {
        bool more = true;
        forEachLineHolding(bytes, reading, [&](const text::FieldList& fields) {
            if (more && fields.size() >= kEntryFields && fields[0] == reading)
                more = onEntry(fields[1], StrokeDictionary::countOf(fields[2]));
            return more;
        });
    }

    // Calls onEntry(std::string_view character, std::int16_t strokes) for the entries whose reading
    // is exactly these bytes, in file order, until it returns false.
    template <class OnEntry>
    void forEachOf(std::string_view reading, OnEntry&& onEntry) const
    {
        const std::uint32_t group = slots_[probe(reading, hashOf(reading))];
        if (group != kEnd) {
            for (std::uint32_t e = groups_[group].first; e != kEnd; e = entries_[e].next) {
                const Entry& entry = entries_[e];
                if (!onEntry(std::string_view(bytes_.data() + entry.characterStart, entry.characterSize), entry.strokes))
                    return;
            }
        }
        if (tail_ && tail_->reading == reading) // the last line, without a line end, comes last
            onEntry(tail_->character, tail_->strokes);
    }

private:
    struct Group {
        std::uint32_t readingStart;
        std::uint32_t readingSize;
        std::uint32_t first;
        std::uint32_t last;
        std::uint64_t hash;
    };

    // Calls onEntry(reading, character, strokes) for the entries of the lines between two line starts.
    template <class OnEntry>
    static void forEachEntryIn(std::string_view bytes, std::size_t from, std::size_t to, OnEntry&& onEntry)
    {
        const char* p = bytes.data() + from;
        const char* const end = bytes.data() + to;
        text::FieldList fields;
        while (p < end) {
            std::string_view reading, character, count;
            if (const char* next = plainEntry(p, end, reading, character, count)) {
                onEntry(reading, character, StrokeDictionary::countOf(count));
                p = next;
                continue;
            }
            const char* next = text::splitLineAt(p, end, fields);
            if (fields.size() >= kEntryFields)
                onEntry(fields[0], fields[1], StrokeDictionary::countOf(fields[2]));
            p = next;
        }
    }

    static std::uint64_t hashOf(std::string_view bytes)
    {
        std::uint64_t h = 14695981039346656037ull; // FNV-1a
        for (char c : bytes)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return h;
    }

    std::string_view readingOf(const Group& g) const { return std::string_view(bytes_.data() + g.readingStart, g.readingSize); }

    // The slot holding the reading's group, or the empty slot where it would go.
    std::size_t probe(std::string_view reading, std::uint64_t hash) const
    {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
            const std::uint32_t g = slots_[i];
            if (g == kEnd || (groups_[g].hash == hash && readingOf(groups_[g]) == reading))
                return i;
        }
    }

    void add(std::string_view reading, std::string_view character, std::int16_t strokes)
    {
        const std::uint64_t hash = hashOf(reading);
        std::size_t slot = probe(reading, hash);
        const auto index = static_cast<std::uint32_t>(entries_.size());
        entries_.push_back(Entry{offsetOf(character), static_cast<std::uint32_t>(character.size()), kEnd, strokes});
        std::uint32_t g = slots_[slot];
        if (g == kEnd) {
            g = static_cast<std::uint32_t>(groups_.size());
            groups_.push_back(Group{offsetOf(reading), static_cast<std::uint32_t>(reading.size()), index, index, hash});
            slots_[slot] = g;
            if (groups_.size() * 2 > slots_.size())
                grow();
            return;
        }
        entries_[groups_[g].last].next = index;
        groups_[g].last = index;
    }

    void grow()
    {
        slots_.assign(slots_.size() * 2, kEnd);
        const std::size_t mask = slots_.size() - 1;
        for (std::uint32_t g = 0; g < groups_.size(); ++g) {
            std::size_t i = static_cast<std::size_t>(groups_[g].hash) & mask;
            while (slots_[i] != kEnd)
                i = (i + 1) & mask;
            slots_[i] = g;
        }
    }

    std::uint32_t offsetOf(std::string_view field) const { return static_cast<std::uint32_t>(field.data() - bytes_.data()); }

    struct Tail {
        std::string reading;
        std::string_view character; // into bytes_
        std::int16_t strokes;
    };

    std::shared_ptr<const std::string> kept_; // the fields are kept as offsets into it
    std::string_view bytes_;   // the same bytes
    std::size_t complete_ = 0; // the bytes up to and with the last line end, which the table holds
    std::optional<Tail> tail_; // the entry of a last line without a line end
    std::vector<Entry> entries_;
    std::vector<Group> groups_;
    std::vector<std::uint32_t> slots_; // group numbers; kEnd for an empty slot; a power of two long
};

namespace {

text::FileIndexCache<KanaIndex>& kanaIndexes()
{
    static text::FileIndexCache<KanaIndex> cache;
    return cache;
}

std::u32string entryLine(std::u32string_view reading, std::u32string_view kanji, std::int16_t strokes)
{
    return text::quotedField(reading) + U"," + text::quotedField(kanji) + U"," + text::numberField(strokes) + U"\r\n";
}

} // namespace

KanaDictionary::KanaDictionary(std::filesystem::path kanaPath, std::filesystem::path strokePath)
    : kanaPath_(std::move(kanaPath)), strokePath_(std::move(strokePath))
{
}

std::vector<KanaMatch> KanaDictionary::find(std::u32string_view reading, std::size_t limit) const
{
    std::vector<KanaMatch> matches;
    // Kana have a single Shift-JIS form, so the reading is encoded once and compared with the raw
    // field bytes; only the matching entries are decoded.
    const text::Cp932Bytes wanted = text::encodeCp932(reading);
    if (!wanted.ok())
        return matches; // the file cannot hold such a reading
    const auto onEntry = [&](std::string_view character, std::int16_t strokes) {
        if (matches.size() >= limit)
            return false;
        matches.push_back(KanaMatch{characterText(character), strokes});
        return true;
    };
    const text::FileReading<KanaIndex> file = kanaIndexes().get(kanaPath_);
    if (file.index)
        file.index->forEachOf(wanted.bytes, onEntry);
    else if (file.bytes)
        KanaIndex::forEachOfIn(*file.bytes, wanted.bytes, onEntry); // no kept index: a plain scan
    return matches;
}

std::vector<KanaReading> KanaDictionary::readingsOf(std::u32string_view kanji) const
{
    std::vector<KanaReading> readings;
    const std::optional<std::string> bytes = text::readFileBytes(kanaPath_);
    if (!bytes)
        return readings;
    text::forEachLine(*bytes, [&](const text::FieldList& fields) {
        if (fields.size() >= kEntryFields && characterText(fields[1]) == kanji)
            readings.push_back(KanaReading{text::fieldText(fields[0]), StrokeDictionary::countOf(fields[2])});
    });
    return readings;
}

template <class Plan>
KanaRewrite KanaDictionary::rewrite(Plan&& plan) const
{
    KanaRewrite result;
    const std::optional<std::string> bytes = text::readFileBytes(kanaPath_);
    if (!bytes) {
        std::error_code ec;
        if (!std::filesystem::exists(kanaPath_, ec) && !ec) {
            result.kind = KanaRewrite::Kind::NotFound; // no file, no line to change
            return result;
        }
        result.kind = KanaRewrite::Kind::CannotRead;
        result.error = "cannot read " + kanaPath_.string();
        return result;
    }
    const std::vector<ByteEdit> edits = plan(std::string_view(*bytes));
    if (edits.empty()) {
        result.kind = KanaRewrite::Kind::NotFound;
        return result;
    }
    const text::WriteResult written = text::writeFileAtomic(kanaPath_, applyEdits(*bytes, edits));
    if (!written) {
        result.kind = KanaRewrite::Kind::CannotWrite;
        result.error = written.error;
        return result;
    }
    result.lines = static_cast<int>(edits.size());
    return result;
}

KanaRewrite KanaDictionary::correctStrokes(std::u32string_view kanji, std::int16_t strokes) const
{
    const std::string count = text::toUtf8(text::numberField(strokes));
    return rewrite([&](std::string_view bytes) {
        std::vector<ByteEdit> edits;
        text::forEachLine(bytes, [&](const text::FieldList& fields) {
            if (fields.size() >= kEntryFields && characterText(fields[1]) == kanji)
                edits.push_back(replaceField(bytes, fields[2], count));
        });
        return edits;
    });
}

KanaRewrite KanaDictionary::removeReading(std::u32string_view reading, std::u32string_view kanji, std::size_t occurrence) const
{
    return rewrite([&](std::string_view bytes) {
        std::vector<ByteEdit> edits;
        std::size_t seen = 0;
        text::forEachLine(bytes, [&](const text::FieldList& fields) {
            if (!edits.empty() || fields.size() < kEntryFields || characterText(fields[1]) != kanji
                || text::fieldText(fields[0]) != reading)
                return;
            if (seen++ != occurrence)
                return;
            // The whole line with its line end: from the start of the line to the start of the next.
            const std::size_t inLine = static_cast<std::size_t>(fields[0].data() - bytes.data());
            const std::size_t start = text::lineStartOf(bytes, inLine);
            const std::size_t end = bytes.find('\n', inLine);
            const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
            edits.push_back(ByteEdit{start, next - start, {}});
        });
        return edits;
    });
}

KanaRegistration KanaDictionary::registerReadings(std::u32string_view kanji, const std::array<std::u32string, 4>& slots) const
{
    KanaRegistration result;

    // Nothing that would break a line of the file, or that Shift-JIS cannot hold, is ever written.
    std::u32string refusal = kanaKanjiNotice(kanji);
    for (const std::u32string& slot : slots)
        if (refusal.empty())
            refusal = unstorableNotice(slot);
    if (!refusal.empty()) {
        result.notices.push_back(refusal);
        return result;
    }

    // Readings the file already holds for this kanji are reported and dropped.
    std::array<std::u32string, 4> pending = slots;
    const std::optional<std::string> kanaBytes = text::readFileBytes(kanaPath_);
    if (!kanaBytes) {
        std::error_code ec;
        if (std::filesystem::exists(kanaPath_, ec) || ec) {
            // Without reading the file the duplicates cannot be told; better to write nothing.
            result.notices.push_back(U"かな.datを読み込めませんでした。");
            result.written = text::WriteResult{false, "cannot read " + kanaPath_.string()};
            return result;
        }
    } else {
        text::forEachLine(*kanaBytes, [&](const text::FieldList& fields) {
            if (fields.size() < kEntryFields || characterText(fields[1]) != kanji)
                return;
            const std::u32string reading = text::fieldText(fields[0]);
            for (std::u32string& slot : pending) {
                if (!slot.empty() && slot == reading) {
                    result.notices.push_back(slot + U"  登録済みです。");
                    slot.clear();
                }
            }
        });
    }

    // The new readings take the stroke count of the kanji's entry in 漢字.dat.
    const std::optional<std::int16_t> strokes = StrokeDictionary(strokePath_).lookUp(kanji);
    if (!strokes) {
        result.notices.push_back(U"漢字.datに登録されてません。");
        return result;
    }
    result.kanjiFound = true;

    std::string lines;
    std::vector<std::u32string> added;
    std::vector<std::u32string> slotNotices;
    for (const std::u32string& reading : pending) {
        if (reading.empty())
            continue;
        if (std::find(added.begin(), added.end(), reading) != added.end()) {
            // The same reading typed in two boxes is written once.
            slotNotices.push_back(reading + U"  登録済みです。");
            continue;
        }
        lines += text::encodeCp932(entryLine(reading, kanji, *strokes)).bytes;
        added.push_back(reading);
        slotNotices.push_back(reading + U" 登録しました。");
    }
    if (lines.empty())
        return result;

    result.written = text::appendToFile(kanaPath_, lines);
    if (!result.written) {
        result.notices.push_back(U"かな.datに書き込めませんでした。（" + text::fromUtf8(result.written.error) + U"）");
        if (result.written.incompleteLine)
            result.notices.push_back(U"かな.dat の最後の行が途中で切れているかもしれません。");
        return result;
    }
    result.notices.insert(result.notices.end(), slotNotices.begin(), slotNotices.end());
    return result;
}

} // namespace kadelo
