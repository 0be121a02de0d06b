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
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
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

// Indexes queued to be built on a worker thread, by every cache; waitForFileIndexBuilds() returns
// once none is left (for tests and measurements: lookups never wait).
void startedBuild();
void finishedBuilds(std::size_t count);
void waitForFileIndexBuilds();
std::size_t pendingFileIndexBuilds();

// Runs a step when it goes out of scope, unless moved from: used to start work on another thread
// only once the caller has finished with what it was given, so the two never compete.
class HandOver {
public:
    HandOver() = default;
    explicit HandOver(std::function<void()> step) : step_(std::move(step)) {}
    HandOver(HandOver&& other) noexcept : step_(std::exchange(other.step_, nullptr)) {}
    HandOver& operator=(HandOver&& other) noexcept
    {
        run();
        step_ = std::exchange(other.step_, nullptr);
        return *this;
    }
    ~HandOver() { run(); }

private:
    void run() noexcept
    {
        if (!step_)
            return;
        try {
            step_();
        } catch (...) {
            // Out of memory: nothing is handed over, and the file is scanned again next time.
        }
        step_ = nullptr;
    }
    std::function<void()> step_;
};

// What a cache gives for a file: the kept index of the file as it is now, or else the bytes just
// read, for the caller to answer from by a plain scan. Neither when the file cannot be read.
template <class Index>
struct FileReading {
    std::shared_ptr<const Index> index;
    std::shared_ptr<const std::string> bytes;
    HandOver whenDone; // hands the bytes to the indexing worker once the caller is done with them
};

// One cache per kind of index. An Index is made from a file's bytes, read by readFileBytes like
// every other read of the file, and the index of an earlier state of the same file when one is kept
// (Index(std::shared_ptr<const std::string> bytes, Index* earlier, bool takeOver), earlier possibly
// null; the index may keep the bytes and point into them), which is given
// only when Index::grownFrom(earlier, bytes) said the new bytes carry on from it; with takeOver it
// may take the earlier index's parts instead of copying them, leaving it empty.
//
// A file that has only grown from a kept state is indexed at once: only the new lines are read.
// After any other change a lookup is answered by a plain scan of the bytes just read, which costs
// about as much as the reading itself, and the index is built from the same bytes on a worker
// thread once the caller lets go of the reading (so that it never competes with the scan), keyed on
// the stamp the file had while they were read. No keystroke ever waits for a whole file to be
// indexed.
template <class Index>
class FileIndexCache {
public:
    FileIndexCache() = default;
    FileIndexCache(const FileIndexCache&) = delete;
    FileIndexCache& operator=(const FileIndexCache&) = delete;
    ~FileIndexCache()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            finishedBuilds(queue_.size());
            queue_.clear();
        }
        wake_.notify_all();
        if (worker_.joinable())
            worker_.join();
    }

    FileReading<Index> get(const std::filesystem::path& path)
    {
        // The file is known by its stamp alone, whatever path leads to it.
        const std::optional<FileStamp> before = fileStamp(path);
        std::shared_ptr<Index> earlier;
        if (before) {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (const Entry& e : entries_) {
                if (e.stamp == *before)
                    return FileReading<Index>{e.index, nullptr, {}};
                if (sameFile(e.stamp, *before))
                    earlier = e.index;
            }
        }
        FileReading<Index> reading;
        std::optional<std::string> bytes = readFileBytes(path);
        if (!bytes)
            return reading;
        reading.bytes = std::make_shared<const std::string>(std::move(*bytes));
        const std::optional<FileStamp> after = fileStamp(path);
        // Kept only when the file stood still while it was read, and long enough before.
        if (!before || !after || !(*before == *after) || recentlyModified(*after))
            return reading;
        const FileStamp& stamp = *after;
        if (!earlier || !Index::grownFrom(*earlier, *reading.bytes)) {
            reading.whenDone = HandOver([this, bytes = reading.bytes, stamp] { buildLater(bytes, stamp); });
            return reading;
        }
        bool takeOver = false;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            std::erase_if(entries_, [&](const Entry& e) { return sameFile(e.stamp, stamp); });
            // Out of the cache and held here alone, the earlier index can be taken over instead of
            // copied; others still holding it keep it as it is.
            takeOver = earlier.use_count() == 1;
        }
        countFileIndexBuild();
        auto index = std::make_shared<Index>(std::move(reading.bytes), earlier.get(), takeOver);
        earlier.reset();
        keep(stamp, index);
        return FileReading<Index>{std::move(index), nullptr, {}};
    }

private:
    static constexpr std::size_t kKept = 8; // files of this kind kept at once

    struct Entry {
        FileStamp stamp;
        std::shared_ptr<Index> index; // never changed while kept here
    };
    struct Job {
        std::shared_ptr<const std::string> bytes; // the file's bytes while it had the stamp
        FileStamp stamp;
    };

    static bool sameFile(const FileStamp& a, const FileStamp& b) { return a.device == b.device && a.inode == b.inode; }

    void keep(const FileStamp& stamp, std::shared_ptr<Index> index)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [&](const Entry& e) { return sameFile(e.stamp, stamp); });
        if (entries_.size() >= kKept)
            entries_.erase(entries_.begin());
        entries_.push_back(Entry{stamp, std::move(index)});
    }

    // Queues the file's index, unless it is kept, queued or being built already; a newer state of a
    // queued file takes its place.
    void buildLater(std::shared_ptr<const std::string> bytes, const FileStamp& stamp)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ || (building_ && *building_ == stamp))
            return;
        for (const Entry& e : entries_) {
            if (e.stamp == stamp)
                return; // built while the caller was scanning
        }
        for (Job& job : queue_) {
            if (sameFile(job.stamp, stamp)) {
                job = Job{std::move(bytes), stamp};
                return;
            }
        }
        if (queue_.size() >= kKept) {
            queue_.erase(queue_.begin());
            finishedBuilds(1);
        }
        queue_.push_back(Job{std::move(bytes), stamp});
        startedBuild();
        if (worker_.joinable()) {
            wake_.notify_one();
            return;
        }
        try {
            worker_ = std::thread([this] { work(); }); // once, at the first file to index
        } catch (...) {
            // No thread to be had: the file stays unindexed and is scanned at every lookup.
            queue_.pop_back();
            finishedBuilds(1);
        }
    }

    void work()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (stopping_)
                return;
            Job job = std::move(queue_.front());
            queue_.erase(queue_.begin());
            building_ = job.stamp;
            lock.unlock();
            try {
                build(std::move(job));
            } catch (...) {
                // Out of memory: the file is scanned instead, as before it was indexed.
            }
            lock.lock();
            building_.reset();
            finishedBuilds(1);
        }
    }

    // The index keeps a copy of the bytes, made here: the lookup's own buffer goes back at once to
    // the memory the next read of a file takes, instead of every read faulting in fresh pages.
    void build(Job job)
    {
        auto own = std::make_shared<const std::string>(*job.bytes);
        job.bytes.reset();
        countFileIndexBuild();
        keep(job.stamp, std::make_shared<Index>(std::move(own), nullptr, false));
    }

    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::vector<Job> queue_;             // files whose index is still to be built, oldest first
    std::optional<FileStamp> building_;  // the file the worker is reading or indexing now
    bool stopping_ = false;
    std::condition_variable wake_;       // a job was queued, or the cache is going
    std::thread worker_;                 // started with the first job, waits for the next
};

} // namespace kadelo::text
