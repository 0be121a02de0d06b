#include "unihan_source.h"

#include <bzlib.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/file_io.h"

namespace kadelo::tools {
namespace {

std::string readBzip2(const std::filesystem::path& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw std::runtime_error("cannot open " + path.string() + " (Debian package unicode-data)");
    int error = BZ_OK;
    BZFILE* bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
    std::string bytes;
    char buffer[1 << 16];
    while (error == BZ_OK) {
        const int n = BZ2_bzRead(&error, bz, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
    }
    BZ2_bzReadClose(nullptr, bz);
    std::fclose(file);
    if (error != BZ_STREAM_END)
        throw std::runtime_error("cannot read " + path.string() + " (bzip2 error " + std::to_string(error) + ")");
    return bytes;
}

// Calls onLine with every line that is not a comment or empty.
template <class OnLine>
void forEachDataLine(std::string_view bytes, OnLine&& onLine)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() != '#')
            onLine(line);
        pos = end + 1;
    }
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (true) {
        const std::size_t end = text.find(separator, pos);
        parts.push_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos)
            return parts;
        pos = end + 1;
    }
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// "U+6C5F" (or a bare "6C5F") as a character.
char32_t codePoint(std::string_view s)
{
    if (s.starts_with("U+"))
        s.remove_prefix(2);
    return static_cast<char32_t>(std::stoul(std::string(s), nullptr, 16));
}

} // namespace

int radicalStrokeCount(int radical)
{
    // The last radical of each stroke count, 1 to 17.
    static constexpr int kLast[] = {6, 29, 60, 94, 117, 146, 166, 175, 186, 194, 200, 204, 208, 210, 211, 213, 214};
    for (int i = 0; i < 17; ++i)
        if (radical >= 1 && radical <= kLast[i])
            return i + 1;
    return 0;
}

Unihan loadUnihan(const std::filesystem::path& folder)
{
    Unihan result;

    forEachDataLine(readBzip2(folder / "Unihan_RadicalStrokeCounts.txt.bz2"), [&](std::string_view line) {
        const std::vector<std::string_view> f = split(line, '\t');
        if (f.size() < 3 || f[1] != "kRSKangXi")
            return;
        // Several values may follow, separated by spaces; the first is the character's own.
        std::string_view value = f[2].substr(0, f[2].find(' '));
        const std::size_t dot = value.find('.');
        if (dot == std::string_view::npos)
            throw std::runtime_error("unexpected kRSKangXi value: " + std::string(line));
        std::string radical(value.substr(0, dot));
        if (!radical.empty() && radical.back() == '\'')
            return; // a simplified Chinese radical form: not a Kangxi count
        result.kangxi[codePoint(f[0])] = RadicalStrokes{std::stoi(radical), std::stoi(std::string(value.substr(dot + 1)))};
    });

    forEachDataLine(readBzip2(folder / "Unihan_OtherMappings.txt.bz2"), [&](std::string_view line) {
        const std::vector<std::string_view> f = split(line, '\t');
        if (f.size() < 3 || f[1] != "kJinmeiyoKanji")
            return;
        for (std::string_view item : split(f[2], ' ')) {
            const std::size_t colon = item.find(':');
            if (colon != std::string_view::npos)
                result.oldForms[codePoint(item.substr(colon + 1))].push_back(codePoint(f[0]));
        }
    });

    const std::optional<std::string> radicals = text::readFileBytes(folder / "CJKRadicals.txt");
    if (!radicals)
        throw std::runtime_error("cannot read " + (folder / "CJKRadicals.txt").string() + " (Debian package unicode-data)");
    forEachDataLine(*radicals, [&](std::string_view line) {
        const std::vector<std::string_view> f = split(line, ';');
        if (f.size() < 3)
            return;
        const std::string_view number = trim(f[0]);
        if (number.empty() || number.back() == '\'')
            return; // a simplified form
        const int n = std::stoi(std::string(number));
        if (n >= 1 && n <= 214)
            result.radicalCharacters[static_cast<std::size_t>(n)] = codePoint(trim(f[2]));
    });

    if (result.kangxi.size() < 20000 || result.oldForms.empty())
        throw std::runtime_error("the Unihan files in " + folder.string() + " hold too little");
    for (int n = 1; n <= 214; ++n)
        if (result.radicalCharacters[static_cast<std::size_t>(n)] == 0)
            throw std::runtime_error("CJKRadicals.txt lacks radical " + std::to_string(n));
    return result;
}

} // namespace kadelo::tools
