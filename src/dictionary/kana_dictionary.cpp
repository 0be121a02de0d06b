#include "dictionary/kana_dictionary.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "dictionary/entry_text.h"
#include "dictionary/stroke_dictionary.h"
#include "text/cp932.h"
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

// The first place at or after `from` where `bytes` hold `key` (not empty). The search runs on the
// key's last byte: for kana and kanji that is a trail byte, which varies from character to character,
// whereas the lead byte is the same for nearly every kana of the file.
std::size_t findBytes(std::string_view bytes, std::string_view key, std::size_t from)
{
    const std::size_t tail = key.size() - 1;
    for (std::size_t pos = from + tail; pos < bytes.size(); ++pos) {
        pos = bytes.find(key.back(), pos);
        if (pos == std::string_view::npos)
            break;
        if (bytes.compare(pos - tail, key.size(), key) == 0)
            return pos - tail;
    }
    return std::string_view::npos;
}

// Calls onLine(fields) for every line of `bytes` whose bytes hold `key` somewhere, in file order, with
// the line split by the one field reader. Lines without the key, nearly all of them, are never
// split. An empty key, or one holding a line end, goes through every line.
template <class OnLine>
void forEachLineHolding(std::string_view bytes, std::string_view key, OnLine&& onLine)
{
    if (key.empty() || key.find('\n') != std::string_view::npos) {
        text::forEachLine(bytes, onLine);
        return;
    }
    text::FieldList fields;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t hit = findBytes(bytes, key, from);
        if (hit == std::string_view::npos)
            return;
        const std::size_t previousEnd = hit == 0 ? std::string_view::npos : bytes.rfind('\n', hit - 1);
        const std::size_t start = previousEnd == std::string_view::npos ? 0 : previousEnd + 1;
        std::size_t end = bytes.find('\n', hit);
        from = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        fields.clear();
        text::splitFields(line, fields);
        onLine(static_cast<const text::FieldList&>(fields));
    }
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

std::vector<KanaMatch> KanaDictionary::find(std::u32string_view reading) const
{
    std::vector<KanaMatch> matches;
    // Kana have a single Shift-JIS form, so the reading is encoded once and compared with the raw
    // field bytes; only lines that hold those bytes are split, and only matching entries decoded.
    const text::Cp932Bytes wanted = text::encodeCp932(reading);
    if (!wanted.ok())
        return matches; // the file cannot hold such a reading
    const std::optional<std::string> bytes = text::readFileBytes(kanaPath_);
    if (!bytes)
        return matches;
    const std::string_view key = wanted.bytes;
    forEachLineHolding(*bytes, key, [&](const text::FieldList& fields) {
        if (fields.size() < kEntryFields || fields[0] != key)
            return;
        matches.push_back(KanaMatch{characterText(fields[1]), StrokeDictionary::countOf(fields[2])});
    });
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
            const std::size_t previousEnd = inLine == 0 ? std::string_view::npos : bytes.rfind('\n', inLine - 1);
            const std::size_t start = previousEnd == std::string_view::npos ? 0 : previousEnd + 1;
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
