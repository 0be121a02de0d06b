#pragma once
// Where the program keeps its files. Data files are opened by their bare names in the current
// folder; this decides which folder becomes current at start.
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
const std::filesystem::path& helpFileName();       // kadelo_help.html
// The traditional (旧字体) counts: the Shift-JIS dictionary in 漢字.dat's layout, its UTF-8
// companion for characters Shift-JIS cannot hold, and how each kanji's count is reached.
const std::filesystem::path& traditionalStrokeFileName(); // 旧字体.dat
const std::filesystem::path& traditionalWideFileName();   // 旧字体UTF8.dat
const std::filesystem::path& derivationFileName();        // 旧字体由来.dat
// The way of counting strokes chosen on the settings screen (kept out of Kadelo.ini).
const std::filesystem::path& countingFileName();          // 画数.ini

// The files supplied with the program, copied into a new data folder.
std::vector<std::filesystem::path> suppliedFileNames();

struct DataFolder {
    std::filesystem::path folder; // the folder to make current
    bool portable = false;        // the current folder already held the program's files
    std::vector<std::filesystem::path> copied; // supplied files copied into the folder
    std::string error;            // why the per-user folder could not be prepared; empty when fine
};

// The current folder stays the data folder when it holds Kadelo.ini or 漢字.dat (a portable copy).
// Otherwise the per-user folder is created when needed, each supplied file missing there is copied
// from the first of `supplyFolders` that has it, and the per-user folder is the data folder.
DataFolder chooseDataFolder(const std::filesystem::path& current, const std::filesystem::path& userFolder,
    const std::vector<std::filesystem::path>& supplyFolders);

} // namespace kadelo::text
