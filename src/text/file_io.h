#pragma once
// Whole-file reads, atomic whole-file writes and appends. Every call opens, works and closes.
// Only regular files are read or written: a FIFO, a device or a folder in a file's place is refused
// at once, never waited on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kadelo::text {

struct ReadResult {
    std::optional<std::string> bytes; // the file's bytes; empty when it could not be read
    bool missing = false;             // there is no such file (as opposed to one that cannot be read)
    std::string error;                // why it could not be read, for a message; empty when read
};

// Reads the whole file, telling a missing file apart from one that cannot be read (permissions, an
// I/O error, not a regular file).
ReadResult readFile(const std::filesystem::path& path);

// The file's bytes; empty when the file cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

struct WriteResult {
    bool ok = true;
    std::string error; // what went wrong, for a message; empty when ok
    bool incompleteLine = false; // an append failed and could not be taken back
    explicit operator bool() const { return ok; }
};

// Replaces the file with `bytes` through a temporary file in the same folder that is written,
// flushed to disk and renamed over the old file. On any failure the temporary file is removed and
// the old file is left exactly as it was. A symbolic link is followed: its target is replaced and
// the link stays. Refused when the target exists and is not a regular file.
WriteResult writeFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends `bytes` to the file, creating it when absent. When the file is not empty and does not end
// in a line end, one is written first so the new text never merges into the last line: CR LF, or
// only LF after a lone CR. On any failure (a short write, a write, flush or close error) the file is
// cut back to its length before the call (a file the call created is removed), so a failed append
// adds nothing; should even that fail, `incompleteLine` is set and the error says so.
WriteResult appendToFile(const std::filesystem::path& path, std::string_view bytes);

// True for a name of writeFileAtomic's temporary files: ".~<name>.<digits>.tmp", one to six digits.
bool isTemporaryFileName(std::string_view name);

// Removes the temporary files writeFileAtomic leaves behind when the program is killed during a
// save: regular files in `folder` whose names are exactly of that pattern, nothing else. Returns
// how many were removed.
int removeTemporaryLeftovers(const std::filesystem::path& folder);

} // namespace kadelo::text
