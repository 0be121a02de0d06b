#pragma once
// The kana reading file かな.dat: one entry a line, a reading, a kanji and the kanji's stroke count
// ("やま","山",3). Lookups go through an index of the file that is kept only while the file stays
// exactly as it was read (text/file_cache.h); registering reads the files from the first line.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "text/data_folder.h"
#include "text/file_io.h"

namespace kadelo {

struct KanaMatch {
    std::u32string character; // normally one kanji
    std::int16_t strokes = 0;
};

struct KanaRegistration {
    std::vector<std::u32string> notices; // in the order they arose
    bool kanjiFound = false;             // the kanji has an entry in 漢字.dat
    text::WriteResult written;           // failure of the append, if any
};

class KanaDictionary {
public:
    explicit KanaDictionary(std::filesystem::path kanaPath = text::kanaFileName(),
        std::filesystem::path strokePath = text::strokeFileName());

    // Every entry whose reading equals `reading` exactly, in file order, duplicates kept; only the
    // first `limit` when there are more. An absent file gives none.
    std::vector<KanaMatch> find(std::u32string_view reading, std::size_t limit = SIZE_MAX) const;

    // Registers up to four readings (empty slots are skipped) for a kanji of 漢字.dat. Notices, in
    // order: "<reading>  登録済みです。" for each reading the file already holds for this kanji (file
    // order), "<reading> 登録しました。" for each reading appended (slot order), and
    // "漢字.datに登録されてません。" when 漢字.dat lacks the kanji, in which case nothing is appended.
    // New lines take the stroke count of the kanji's first entry in 漢字.dat; the first registration
    // creates the file. A kanji or reading that would break a line or that Shift-JIS cannot hold is
    // refused with one notice saying why, before any file is read (kanjiFound stays false).
    KanaRegistration registerReadings(std::u32string_view kanji, const std::array<std::u32string, 4>& slots) const;

private:
    std::filesystem::path kanaPath_;
    std::filesystem::path strokePath_;
};

} // namespace kadelo
