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

// One reading of a kanji, as a line of the file holds it.
struct KanaReading {
    std::u32string reading;
    std::int16_t strokes = 0;
};

// What a rewrite of the file did: how many lines it changed, or why it could not.
struct KanaRewrite {
    enum class Kind { Done, NotFound, CannotRead, CannotWrite };
    Kind kind = Kind::Done;
    int lines = 0;     // lines changed or removed
    std::string error; // for CannotRead and CannotWrite
    bool ok() const { return kind == Kind::Done || kind == Kind::NotFound; }
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

    // The readings registered for `kanji`, in file order, duplicates kept. An absent file gives none.
    std::vector<KanaReading> readingsOf(std::u32string_view kanji) const;

    // Gives every line of `kanji` the stroke count `strokes` (NotFound, with nothing written, when
    // there is no such line). Only the count fields change; every other byte stays as it was.
    KanaRewrite correctStrokes(std::u32string_view kanji, std::int16_t strokes) const;

    // Removes the line of (reading, kanji), the `occurrence`-th one (from 0) when the file holds the
    // pair more than once; the line goes with its line end and the rest of the file stays byte for
    // byte. NotFound, with nothing written, when there is no such line.
    KanaRewrite removeReading(std::u32string_view reading, std::u32string_view kanji, std::size_t occurrence = 0) const;

private:
    // Reads the file and rewrites it with the edits that `plan` gives for its bytes, as a whole
    // through a temporary file. No edits: nothing is written.
    template <class Plan>
    KanaRewrite rewrite(Plan&& plan) const;

    std::filesystem::path kanaPath_;
    std::filesystem::path strokePath_;
};

} // namespace kadelo
