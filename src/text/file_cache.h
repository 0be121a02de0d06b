#pragma once
// Keeps what was worked out from a file's bytes (an index) for as long as the file stays exactly as
// it was read, so that a keystroke costs one stat() instead of reading and parsing the whole file.
//
// A kept index is used only while the file's stamp is unchanged: the same device and inode (so a
// file replaced by rename, or deleted and made again, counts as new), the same size (so any append
// counts as new) and the same modification and status-change times to the nanosecond. A file
// written or touched within the two seconds before it was read is never kept: a second write within
// the same tick of the file system's clock could leave every part of the stamp as it was (coarse
// timestamps, same-size rewrites in place), so such a file is read afresh on every use until it
// has been quiet for a while.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/file_io.h"

namespace kadelo::text {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; empty when there is no such file (absent, a folder, unreadable
// folder on the way).
std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

// True when the file was modified or its status changed so recently (or in the future) that its
// stamp may not change on a further write: such a file's index is not kept.
bool recentlyModified(const FileStamp& stamp);

// How many indexes all caches have built from fresh bytes since the program started.
std::uint64_t fileIndexBuilds();
void countFileIndexBuild();

// What a cache gives for a file: the kept index of the file as it is now, or else the bytes just
// read, for the caller to answer from by a plain scan. Neither when the file cannot be read.
template <class Index>
struct FileReading {
    std::shared_ptr<const Index> index;
    std::optional<std::string> bytes;
};

// One cache per kind of index. An Index is made from a file's bytes, read by readFileBytes like
// every other read of the file, and the index of an earlier state of the same file when one is kept
// (Index(std::string&& bytes, Index* earlier, bool takeOver), earlier possibly null), which is given
// only when Index::grownFrom(earlier, bytes) said the new bytes carry on from it; with takeOver it
// may take the earlier index's parts instead of copying them, leaving it empty. An index is built
// only when it will be kept, and only when that is worth it now: when the file has grown from a kept
// state, or when the file is found unchanged since the lookup before. After any other change the
// first lookup is answered by a plain scan, which costs about as much as the reading itself, so a
// file that changes again before the next lookup is never indexed in vain.
template <class Index>
class FileIndexCache {
public:
    FileReading<Index> get(const std::filesystem::path& path)
    {
        // The file is known by its stamp alone, whatever path leads to it.
        const std::optional<FileStamp> before = fileStamp(path);
        std::shared_ptr<Index> earlier;
        if (before) {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (const Entry& e : entries_) {
                if (e.stamp == *before)
                    return FileReading<Index>{e.index, std::nullopt};
                if (e.stamp.device == before->device && e.stamp.inode == before->inode)
                    earlier = e.index;
            }
        }
        FileReading<Index> reading;
        reading.bytes = readFileBytes(path);
        if (!reading.bytes)
            return reading;
        const std::optional<FileStamp> after = fileStamp(path);
        // Kept only when the file stood still while it was read, and long enough before.
        if (!before || !after || !(*before == *after) || recentlyModified(*after))
            return reading;
        const FileStamp& stamp = *after;
        const bool grown = earlier && Index::grownFrom(*earlier, *reading.bytes);
        bool takeOver = false;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            const auto sameFile = [&](const FileStamp& s) { return s.device == stamp.device && s.inode == stamp.inode; };
            const bool seen = std::find(seen_.begin(), seen_.end(), stamp) != seen_.end();
            std::erase_if(seen_, sameFile);
            if (!grown && !seen) {
                // Indexed if it is still so at the next lookup.
                if (seen_.size() >= kKept)
                    seen_.erase(seen_.begin());
                seen_.push_back(stamp);
                return reading;
            }
            std::erase_if(entries_, [&](const Entry& e) { return e.stamp.device == stamp.device && e.stamp.inode == stamp.inode; });
            // Out of the cache and held here alone, the earlier index can be taken over instead of
            // copied; others still holding it keep it as it is.
            takeOver = grown && earlier.use_count() == 1;
        }
        countFileIndexBuild();
        auto index = std::make_shared<Index>(std::move(*reading.bytes), grown ? earlier.get() : nullptr, takeOver);
        earlier.reset();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            std::erase_if(entries_, [&](const Entry& e) { return e.stamp.device == stamp.device && e.stamp.inode == stamp.inode; });
            if (entries_.size() >= kKept)
                entries_.erase(entries_.begin());
            entries_.push_back(Entry{stamp, index});
        }
        return FileReading<Index>{std::move(index), std::nullopt};
    }

private:
    static constexpr std::size_t kKept = 8; // files of this kind kept at once

    struct Entry {
        FileStamp stamp;
        std::shared_ptr<Index> index; // never changed while kept here
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::vector<FileStamp> seen_; // files answered by a plain scan that could have been kept, one a file
};

} // namespace kadelo::text
