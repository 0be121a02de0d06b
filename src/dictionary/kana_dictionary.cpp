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
    // field bytes of every line; only the matching lines are decoded.
    const text::Cp932Bytes wanted = text::encodeCp932(reading);
    if (!wanted.ok())
        return matches; // the file cannot hold such a reading
    const std::optional<std::string> bytes = text::readFileBytes(kanaPath_);
    if (!bytes)
        return matches;
    const std::string_view key = wanted.bytes;
    text::forEachLine(*bytes, [&](const text::FieldList& fields) {
        if (fields.size() < kEntryFields || fields[0] != key)
            return;
        matches.push_back(KanaMatch{characterText(fields[1]), StrokeDictionary::countOf(fields[2])});
    });
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
