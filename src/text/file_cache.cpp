#include "text/file_cache.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sys/stat.h>
#include <time.h>

namespace kadelo::text {
namespace {

std::atomic<std::uint64_t> builds{0};

std::mutex pendingMutex;
std::condition_variable pendingDone;
std::size_t pending = 0;

std::int64_t nanoseconds(const struct timespec& t)
{
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

std::optional<FileStamp> fileStamp(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    FileStamp s;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::int64_t>(st.st_size);
    s.modifiedNs = nanoseconds(st.st_mtim);
    s.changedNs = nanoseconds(st.st_ctim);
    return s;
}

bool recentlyModified(const FileStamp& stamp)
{
    constexpr std::int64_t kQuiet = 2'000'000'000; // the coarsest clock of common file systems (FAT)
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t n = nanoseconds(now);
    // A write sets both times to now; setting the modification time back still sets the change time.
    return n - stamp.modifiedNs < kQuiet || n - stamp.changedNs < kQuiet;
}

std::uint64_t fileIndexBuilds()
{
    return builds.load();
}

void countFileIndexBuild()
{
    ++builds;
}

void startedBuild()
{
    const std::lock_guard<std::mutex> lock(pendingMutex);
    ++pending;
}

void finishedBuilds(std::size_t count)
{
    const std::lock_guard<std::mutex> lock(pendingMutex);
    pending -= std::min(count, pending);
    if (pending == 0)
        pendingDone.notify_all();
}

std::size_t pendingFileIndexBuilds()
{
    const std::lock_guard<std::mutex> lock(pendingMutex);
    return pending;
}

void waitForFileIndexBuilds()
{
    std::unique_lock<std::mutex> lock(pendingMutex);
    pendingDone.wait(lock, [] { return pending == 0; });
}

} // namespace kadelo::text
