#pragma once
// Whole-file reads, atomic whole-file writes and appends. Every call opens, works and closes.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kadelo::text {

// The file's bytes; empty when the file cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

struct WriteResult {
    bool ok = true;
    std::string error; // what went wrong, for a message; empty when ok
    explicit operator bool() const { return ok; }
};

// Replaces the file with `bytes` through a temporary file in the same folder that is written,
// flushed to disk and renamed over the old file. On any failure the temporary file is removed and
// the old file is left exactly as it was.
WriteResult writeFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends `bytes` to the file, creating it when absent. When the file is not empty and its last
// byte is not a line end, CR LF is written first, so the new text never merges into the last line.
WriteResult appendToFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace kadelo::text
