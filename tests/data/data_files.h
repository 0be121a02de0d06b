#pragma once
// Access to the data files supplied with the program (the committed data/ folder) for the tests
// of that data, and the layout checks they share.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/cp932.h"
#include "text/file_io.h"

namespace kadelo::datatest {

// The committed data/ folder; CTest passes the source folder in KADELO_SOURCE_DIR.
inline std::filesystem::path suppliedFolder()
{
    const char* source = std::getenv("KADELO_SOURCE_DIR");
    return std::filesystem::path(source ? source : ".") / "data";
}

inline std::string suppliedBytes(const std::filesystem::path& name)
{
    return text::readFileBytes(suppliedFolder() / name).value_or(std::string{});
}

// The lines of a file without their line ends. `fault` names the first break of the layout: a line
// end other than CR LF (a last line included), bytes that are not CP932, or text that does not come
// back to the same bytes when encoded again.
inline std::vector<std::string_view> crlfLines(std::string_view bytes, std::string& fault)
{
    std::vector<std::string_view> lines;
    fault.clear();
    if (bytes.empty()) {
        fault = "the file is empty or missing";
        return lines;
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        if (lf == std::string_view::npos) {
            fault = "the last line has no line end";
            return lines;
        }
        if (lf == pos || bytes[lf - 1] != '\r') {
            fault = "a line ends in a bare LF, line " + std::to_string(lines.size() + 1);
            return lines;
        }
        const std::string_view line = bytes.substr(pos, lf - 1 - pos);
        if (line.find('\r') != std::string_view::npos) {
            fault = "a bare CR inside line " + std::to_string(lines.size() + 1);
            return lines;
        }
        lines.push_back(line);
        pos = lf + 1;
    }
    const std::u32string decoded = text::decodeCp932(bytes);
    if (decoded.find(U'\uFFFD') != std::u32string::npos)
        fault = "bytes that are not CP932";
    else if (text::encodeCp932(decoded).bytes != bytes)
        fault = "text that does not encode back to the same bytes";
    return lines;
}

} // namespace kadelo::datatest
