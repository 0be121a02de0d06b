#pragma once
// Where the program keeps its files. Data files are opened by their bare names in the current
// folder; this decides which folder becomes current at start, and keeps a per-user folder up to
// date with the files supplied with the program.
#include <filesystem>
#include <string>
#include <vector>

namespace kadelo::text {

// The bare names of the program's files.
const std::filesystem::path& settingsFileName();   // Kadelo.ini
const std::filesystem::path& strokeFileName();     // 漢字.dat
const std::filesystem::path& wideStrokeFileName(); // 漢字UTF8.dat: characters Shift-JIS cannot hold, in UTF-8
const std::filesystem::path& kanaFileName();       // かな.dat
const std::filesystem::path& conversionFileName(); // conve.dat
const std::filesystem::path& helpFileName();       // kadelo_help.html (shown from where it is installed)
const std::filesystem::path& stampFileName();      // supplied.stamp
// The traditional (旧字体) counts: the Shift-JIS dictionary in 漢字.dat's layout, its UTF-8
// companion for characters Shift-JIS cannot hold, and how each kanji's count is reached.
const std::filesystem::path& traditionalStrokeFileName(); // 旧字体.dat
const std::filesystem::path& traditionalWideFileName();   // 旧字体UTF8.dat
const std::filesystem::path& derivationFileName();        // 旧字体由来.dat
// The way of counting strokes chosen on the settings screen (kept out of Kadelo.ini).
const std::filesystem::path& countingFileName();          // 画数.ini

// A data file supplied with the program and kept in the per-user folder.
struct SuppliedFile {
    // How entries of a newer supplied version reach the user's copy: a stroke file by its character
    // (the first field), a reading file by its reading and kanji (the first two fields). A `Fixed`
    // file is only copied when missing.
    enum class Merge { Strokes, Readings, Fixed };
    std::filesystem::path name;
    Merge merge = Merge::Fixed;
};

// The data files supplied with the program: the one list to extend with a new file.
const std::vector<SuppliedFile>& suppliedFiles();

struct DataFolder {
    std::filesystem::path folder; // the folder to make current
    bool portable = false;        // the current folder already held the program's files
    std::vector<std::filesystem::path> copied; // supplied files copied into the folder
    std::string error;  // why the per-user folder could not be prepared; empty when fine
    std::string reason; // the system's words for it, for a message
    int added = 0;      // entries of newer supplied files appended to the user's copies
    std::string upgradeError; // why newer supplied entries or files could not be added (tried again next start)
};

// The current folder stays the data folder when it holds Kadelo.ini or 漢字.dat (a portable copy,
// never changed by an upgrade). Otherwise the per-user folder is the data folder: it is created
// when needed, and each supplied file missing there is copied from the first of `supplyFolders`
// that has it. A stamp in the folder (the supplied files' sizes and hashes) records which supplied
// version the folder has seen; when the supplied files change, the entries of the new version that
// the user's 漢字.dat and かな.dat lack are appended to them, once. A folder without a stamp (new,
// or made by an older version) gets the stamp of the files supplied now, with nothing merged.
DataFolder chooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& userFolder,
    const std::vector<std::filesystem::path>& supplyFolders);

// Appends to `userCopy` the entries of `supplied` that it lacks (the key of an entry: its first
// field for `Strokes`, its first two for `Readings`), through the safe append. Returns how many
// were added; -1 with `error` set when the files could not be read or the append failed.
int mergeSuppliedEntries(const std::filesystem::path& supplied, const std::filesystem::path& userCopy,
    SuppliedFile::Merge merge, std::string& error);

} // namespace kadelo::text
