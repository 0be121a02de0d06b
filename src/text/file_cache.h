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

// One cache per kind of index. An Index is made from a file's bytes, read by readFileBytes like
// every other read of the file, and the index of an earlier state of the same file when one is kept
// (Index(std::string&& bytes, const Index* earlier), earlier possibly null): it may carry on from it
// only after checking for itself that the new bytes begin with the bytes it was made from.
template <class Index>
class FileIndexCache {
public:
    // The index of the file as it is now; null when the file cannot be read.
    std::shared_ptr<const Index> get(const std::filesystem::path& path)
    {
        // The file is known by its stamp alone, whatever path leads to it. An index of an earlier
        // state of the same file is handed to the new one, which may continue it when the file
        // has only grown.
        const std::optional<FileStamp> before = fileStamp(path);
        std::shared_ptr<const Index> earlier;
        if (before) {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (const Entry& e : entries_) {
                if (e.stamp == *before)
                    return e.index;
                if (e.stamp.device == before->device && e.stamp.inode == before->inode)
                    earlier = e.index;
            }
        }
        std::optional<std::string> bytes = readFileBytes(path);
        if (!bytes)
            return nullptr;
        const std::optional<FileStamp> after = fileStamp(path);
        countFileIndexBuild();
        std::shared_ptr<const Index> index = std::make_shared<const Index>(std::move(*bytes), earlier.get());
        // Kept only when the file stood still while it was read, and long enough before.
        if (!before || !after || !(*before == *after) || recentlyModified(*after))
            return index;
        const FileStamp& stamp = *after;
        const std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [&](const Entry& e) { return e.stamp.device == stamp.device && e.stamp.inode == stamp.inode; });
        if (entries_.size() >= kKept)
            entries_.erase(entries_.begin());
        entries_.push_back(Entry{stamp, index});
        return index;
    }

private:
    static constexpr std::size_t kKept = 8; // files of this kind kept at once

    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const Index> index;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
};

} // namespace kadelo::text
