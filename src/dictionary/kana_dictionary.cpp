#include "dictionary/kana_dictionary.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <unordered_map>
#include <optional>
#include <system_error>

#include "dictionary/entry_text.h"
#include "dictionary/stroke_dictionary.h"
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

} // namespace

// Every entry of a kana file grouped by the raw bytes of its reading, in file order within a
// reading. Made in one pass and kept while the file is unchanged, so a keystroke finds its reading
// with one hash lookup and decodes only the entries it returns.
class KanaIndex {
public:
    struct Entry {
        std::string_view character; // raw bytes, into the kept file bytes
        std::int16_t strokes;
    };

    explicit KanaIndex(std::string&& bytes) : bytes_(std::make_unique<const std::string>(std::move(bytes)))
    {
        auto add = [&](std::string_view reading, std::string_view character, std::int16_t strokes) {
            const auto [it, added] = groupOf_.try_emplace(reading, static_cast<std::uint32_t>(groups_.size()));
            if (added)
                groups_.emplace_back();
            groups_[it->second].push_back(Entry{character, strokes});
        };
        const char* p = bytes_->data();
        const char* const end = p + bytes_->size();
        text::FieldList fields;
        while (p < end) {
            std::string_view reading, character, count;
            if (const char* next = plainEntry(p, end, reading, character, count)) {
                add(reading, character, StrokeDictionary::countOf(count));
                p = next;
                continue;
            }
            const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            const char* next = lineEnd ? lineEnd + 1 : end;
            if (!lineEnd)
                lineEnd = end;
            std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            fields.clear();
            text::splitFields(line, fields);
            if (fields.size() >= kEntryFields)
                add(fields[0], fields[1], StrokeDictionary::countOf(fields[2]));
            p = next;
        }
    }

    // The entries whose reading is exactly these bytes.
    std::span<const Entry> find(std::string_view reading) const
    {
        const auto it = groupOf_.find(reading);
        if (it == groupOf_.end())
            return {};
        return groups_[it->second];
    }

private:
    std::unique_ptr<const std::string> bytes_; // the views point into it, so it never moves
    std::unordered_map<std::string_view, std::uint32_t> groupOf_;
    std::vector<std::vector<Entry>> groups_;
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
    const std::shared_ptr<const KanaIndex> index = kanaIndexes().get(kanaPath_);
    if (!index)
        return matches;
    const std::span<const KanaIndex::Entry> entries = index->find(wanted.bytes);
    matches.reserve(std::min(entries.size(), limit));
    for (const KanaIndex::Entry& e : entries) {
        if (matches.size() >= limit)
            break;
        matches.push_back(KanaMatch{characterText(e.character), e.strokes});
    }
    return matches;
}

KanaRegistration KanaDictionary::registerReadings(std::u32string_view kanji, const std::array<std::u32string, 4>& slots) const
{
    KanaRegistration result;

    // Nothing that would break a line of the file, or that Shift-JIS cannot hold, is ever written.
    std::u32string refusal = unstorableNotice(kanji);
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
        return result;
    }
    result.notices.insert(result.notices.end(), slotNotices.begin(), slotNotices.end());
    return result;
}

} // namespace kadelo
