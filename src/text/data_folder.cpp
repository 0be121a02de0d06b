#include "text/data_folder.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "text/file_io.h"
#include "text/records.h"

namespace kadelo::text {

namespace fs = std::filesystem;

const fs::path& settingsFileName()
{
    static const fs::path p{u8"Kadelo.ini"};
    return p;
}
const fs::path& strokeFileName()
{
    static const fs::path p{u8"漢字.dat"};
    return p;
}
const fs::path& wideStrokeFileName()
{
    static const fs::path p{u8"漢字UTF8.dat"};
    return p;
}
const fs::path& kanaFileName()
{
    static const fs::path p{u8"かな.dat"};
    return p;
}
const fs::path& conversionFileName()
{
    static const fs::path p{u8"conve.dat"};
    return p;
}
const fs::path& helpFileName()
{
    static const fs::path p{u8"kadelo_help.html"};
    return p;
}
const fs::path& stampFileName()
{
    static const fs::path p{u8"supplied.stamp"};
    return p;
}

const fs::path& traditionalStrokeFileName()
{
    static const fs::path p{u8"旧字体.dat"};
    return p;
}
const fs::path& traditionalWideFileName()
{
    static const fs::path p{u8"旧字体UTF8.dat"};
    return p;
}
const fs::path& derivationFileName()
{
    static const fs::path p{u8"旧字体由来.dat"};
    return p;
}
const fs::path& countingFileName()
{
    static const fs::path p{u8"画数.ini"};
    return p;
}

const std::vector<SuppliedFile>& suppliedFiles()
{
    static const std::vector<SuppliedFile> files = {
        {strokeFileName(), SuppliedFile::Merge::Strokes},
        {wideStrokeFileName(), SuppliedFile::Merge::Strokes},
        {kanaFileName(), SuppliedFile::Merge::Readings},
        {conversionFileName(), SuppliedFile::Merge::Fixed},
        {traditionalStrokeFileName(), SuppliedFile::Merge::Strokes},
        {traditionalWideFileName(), SuppliedFile::Merge::Strokes},
        {derivationFileName(), SuppliedFile::Merge::Fixed},
    };
    return files;
}

namespace {

// What the stamp records of one supplied file.
struct Fingerprint {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const Fingerprint&) const = default;
};

// FNV-1a, 64 bits: enough to tell one supplied version from the next.
std::uint64_t fnv1a(std::string_view bytes)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    return h;
}

std::string hex(std::uint64_t v)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

// One line a supplied file: "name",size,"hash" (UTF-8 names), CR LF after each.
std::string stampText(const std::map<std::string, Fingerprint>& stamp)
{
    std::string out;
    for (const auto& [name, f] : stamp)
        out += "\"" + name + "\"," + std::to_string(f.size) + ",\"" + hex(f.hash) + "\"\r\n";
    return out;
}

std::map<std::string, Fingerprint> parseStamp(std::string_view bytes)
{
    std::map<std::string, Fingerprint> stamp;
    forEachLine(bytes, [&](const FieldList& fields) {
        if (fields.size() < 3 || fields[0].empty())
            return;
        Fingerprint f;
        f.size = std::strtoull(std::string(fields[1]).c_str(), nullptr, 10);
        f.hash = std::strtoull(std::string(fields[2]).c_str(), nullptr, 16);
        stamp[std::string(fields[0])] = f;
    });
    return stamp;
}

// The key of an entry line, or empty for a line that is no entry of that kind.
std::optional<std::string> entryKey(const FieldList& fields, SuppliedFile::Merge merge)
{
    if (merge == SuppliedFile::Merge::Strokes && fields.size() >= 2 && !fields[0].empty())
        return std::string(fields[0]);
    if (merge == SuppliedFile::Merge::Readings && fields.size() >= 3 && !fields[0].empty())
        return std::string(fields[0]) + '\0' + std::string(fields[1]);
    return std::nullopt;
}

// Calls onLine(std::string_view line) for every line without its line end.
template <class OnLine>
void forEachRawLine(std::string_view bytes, OnLine&& onLine)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        onLine(line);
        pos = next;
    }
}

} // namespace

int mergeSuppliedEntries(const fs::path& supplied, const fs::path& userCopy, SuppliedFile::Merge merge, std::string& error)
{
    if (merge == SuppliedFile::Merge::Fixed)
        return 0;
    const ReadResult source = readFile(supplied);
    if (!source.bytes) {
        error = source.error;
        return -1;
    }
    const ReadResult mine = readFile(userCopy);
    if (!mine.bytes && !mine.missing) {
        error = mine.error;
        return -1;
    }
    std::set<std::string> held;
    if (mine.bytes)
        forEachLine(*mine.bytes, [&](const FieldList& fields) {
            if (auto key = entryKey(fields, merge))
                held.insert(std::move(*key));
        });
    std::string lines;
    int added = 0;
    FieldList fields;
    forEachRawLine(*source.bytes, [&](std::string_view line) {
        fields.clear();
        splitFields(line, fields);
        const std::optional<std::string> key = entryKey(fields, merge);
        if (!key || !held.insert(*key).second)
            return;
        lines.append(line).append("\r\n");
        ++added;
    });
    if (added == 0)
        return 0;
    const WriteResult written = appendToFile(userCopy, lines);
    if (!written) {
        error = written.error;
        return -1;
    }
    return added;
}

DataFolder chooseDataFolder(const fs::path& current, const fs::path& userFolder, const std::vector<fs::path>& supplyFolders)
{
    DataFolder result;
    std::error_code ec;
    if (fs::exists(current / settingsFileName(), ec) || fs::exists(current / strokeFileName(), ec)) {
        result.folder = current;
        result.portable = true;
        return result;
    }
    result.folder = userFolder;
    const bool existed = fs::is_directory(userFolder, ec);
    if (!existed) {
        fs::create_directories(userFolder, ec);
        if (!ec && !fs::is_directory(userFolder, ec))
            ec = std::make_error_code(std::errc::not_a_directory);
        if (ec) {
            result.reason = ec.message();
            result.error = "cannot create " + userFolder.string() + ": " + result.reason;
            return result;
        }
    }

    // The supplied version of each file, from the first folder that has it.
    std::map<std::string, Fingerprint> now;
    std::map<std::string, fs::path> sources;
    for (const SuppliedFile& file : suppliedFiles()) {
        for (const fs::path& folder : supplyFolders) {
            const ReadResult bytes = readFile(folder / file.name);
            if (!bytes.bytes)
                continue;
            now[file.name.string()] = Fingerprint{bytes.bytes->size(), fnv1a(*bytes.bytes)};
            sources[file.name.string()] = folder / file.name;
            if (!fs::exists(userFolder / file.name, ec) && !fs::is_symlink(userFolder / file.name, ec)) {
                const WriteResult copied = writeFileAtomic(userFolder / file.name, *bytes.bytes);
                if (copied) {
                    result.copied.push_back(file.name);
                } else if (existed) {
                    // A folder in use that cannot take a newly supplied file still works as before.
                    result.upgradeError = "cannot copy " + (folder / file.name).string() + ": " + copied.error;
                } else {
                    // A folder that cannot be filled is taken away again: nothing is left behind.
                    for (const fs::path& done : result.copied)
                        fs::remove(userFolder / done, ec);
                    fs::remove(userFolder, ec);
                    result.copied.clear();
                    result.reason = copied.error;
                    result.error = "cannot copy " + (folder / file.name).string() + ": " + copied.error;
                    return result;
                }
            }
            break;
        }
    }

    if (!result.upgradeError.empty())
        return result; // the stamp stays as it was, so the next start tries again
    const fs::path stampPath = userFolder / stampFileName();
    const ReadResult stampBytes = readFile(stampPath);
    if (!stampBytes.bytes && !stampBytes.missing)
        return result; // a stamp that cannot be read: leave everything as it is
    if (stampBytes.bytes) {
        const std::map<std::string, Fingerprint> seen = parseStamp(*stampBytes.bytes);
        if (seen == now)
            return result;
        for (const SuppliedFile& file : suppliedFiles()) {
            const std::string name = file.name.string();
            const auto it = now.find(name);
            if (it == now.end() || file.merge == SuppliedFile::Merge::Fixed)
                continue;
            const auto was = seen.find(name);
            if (was != seen.end() && was->second == it->second)
                continue;
            bool justCopied = false;
            for (const fs::path& c : result.copied)
                justCopied = justCopied || c == file.name;
            if (justCopied)
                continue;
            std::string error;
            const int added = mergeSuppliedEntries(sources[name], userFolder / file.name, file.merge, error);
            if (added < 0) {
                // The stamp stays as it was, so the next start tries again.
                result.upgradeError = error;
                return result;
            }
            result.added += added;
        }
    }
    // Should the stamp not be written (a read-only folder), the next start merges again and finds
    // nothing new: nothing to tell the user.
    writeFileAtomic(stampPath, stampText(now));
    return result;
}

} // namespace kadelo::text
