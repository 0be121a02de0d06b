#include "text/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kadelo::text {
namespace {

namespace fs = std::filesystem;

WriteResult failure(const std::string& what, int err)
{
    return WriteResult{false, what + ": " + std::strerror(err)};
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

// Opens without ever waiting (a FIFO without a writer, a device) and keeps the descriptor only for
// a regular file; otherwise -1 with errno set (EINVAL for something that is not a regular file).
int openRegular(const fs::path& path, int flags, struct stat& st)
{
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    int err = 0;
    if (::fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = EINVAL;
    if (err != 0) {
        ::close(fd);
        errno = err;
        return -1;
    }
    // Back to ordinary blocking reads and writes.
    const int fl = ::fcntl(fd, F_GETFL);
    if (fl >= 0)
        ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
    return fd;
}

std::string openError(const fs::path& path, int err)
{
    if (err == EINVAL)
        return path.string() + " is not a regular file";
    return "cannot open " + path.string() + ": " + std::strerror(err);
}

// The file a path finally names, following symbolic links (also to a target that does not exist
// yet). Empty when the links go round in circles.
std::optional<fs::path> linkTarget(fs::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            return path;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

} // namespace

ReadResult readFile(const fs::path& path)
{
    ReadResult result;
    struct stat st {};
    const int fd = openRegular(path, O_RDONLY, st);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = openError(path, errno);
        return result;
    }
    std::string out;
    if (st.st_size > 0)
        out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    while (true) {
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            result.error = "cannot read " + path.string() + ": " + std::strerror(errno);
            ::close(fd);
            return result;
        }
        if (r == 0)
            break;
        out.append(buf, static_cast<std::size_t>(r));
    }
    ::close(fd);
    result.bytes = std::move(out);
    return result;
}

std::optional<std::string> readFileBytes(const fs::path& path)
{
    return readFile(path).bytes;
}

WriteResult writeFileAtomic(const fs::path& path, std::string_view bytes)
{
    const std::optional<fs::path> resolved = linkTarget(path);
    if (!resolved)
        return failure("cannot follow the links of " + path.string(), ELOOP);
    const fs::path& target = *resolved;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return WriteResult{false, target.string() + " is not a regular file"};

    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device rd;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(rd() % 1000000));
        temp = dir / (".~" + target.filename().string() + "." + digits + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failure("cannot create " + temp.string(), errno);
    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(what, err);
    };
    // Keep the permissions of the file being replaced.
    if (exists)
        ::fchmod(fd, st.st_mode & 07777);
    if (!writeAll(fd, bytes))
        return abandon("cannot write " + temp.string());
    if (::fsync(fd) != 0)
        return abandon("cannot flush " + temp.string());
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure("cannot close " + temp.string(), err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure("cannot replace " + target.string(), err);
    }
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

WriteResult appendToFile(const fs::path& path, std::string_view bytes)
{
    struct stat st {};
    bool created = false;
    int fd = openRegular(path, O_RDWR | O_APPEND, st);
    if (fd < 0 && errno == ENOENT) {
        fd = openRegular(path, O_RDWR | O_APPEND | O_CREAT | O_EXCL, st);
        created = fd >= 0;
    }
    if (fd < 0)
        return WriteResult{false, openError(path, errno)};

    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0) {
        const int err = errno;
        ::close(fd);
        return failure("cannot seek " + path.string(), err);
    }
    // Takes back whatever this call wrote; `fdForUndo` is still open.
    auto undo = [&](int fdForUndo, const std::string& what, int err) {
        WriteResult r = failure(what, err);
        bool undone;
        if (created)
            undone = ::unlink(path.c_str()) == 0;
        else
            undone = ::ftruncate(fdForUndo, size) == 0;
        if (!undone) {
            r.incompleteLine = true;
            r.error += "; " + path.string() + " may now end in an incomplete line";
        }
        return r;
    };

    std::string out;
    if (size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, size - 1) != 1) {
            const int err = errno;
            ::close(fd);
            return failure("cannot read " + path.string(), err);
        }
        if (last == '\r')
            out = "\n";
        else if (last != '\n')
            out = "\r\n";
    }
    out.append(bytes);
    const bool written = writeAll(fd, out);
    if (!written || ::fsync(fd) != 0) {
        const int err = errno;
        const std::string what = (written ? "cannot flush " : "cannot write ") + path.string();
        if (!created && ::lseek(fd, 0, SEEK_END) == size) {
            ::close(fd); // nothing reached the file
            return failure(what, err);
        }
        WriteResult r = undo(fd, what, err);
        ::close(fd);
        return r;
    }
    // A close can still report a failed write-back; keep a second descriptor to cut the file back.
    const int spare = ::dup(fd);
    if (::close(fd) != 0) {
        const int err = errno;
        WriteResult r = spare >= 0 ? undo(spare, "cannot close " + path.string(), err)
                                   : failure("cannot close " + path.string(), err);
        if (spare < 0) {
            r.incompleteLine = true;
            r.error += "; " + path.string() + " may now end in an incomplete line";
        } else {
            ::close(spare);
        }
        return r;
    }
    if (spare >= 0)
        ::close(spare);
    return {};
}

bool isTemporaryFileName(std::string_view name)
{
    constexpr std::string_view head = ".~";
    constexpr std::string_view tail = ".tmp";
    if (name.size() < head.size() + tail.size() || name.substr(0, 2) != head || name.substr(name.size() - 4) != tail)
        return false;
    std::string_view middle = name.substr(2, name.size() - 6); // <name>.<digits>
    const std::size_t dot = middle.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    const std::string_view digits = middle.substr(dot + 1);
    if (digits.empty() || digits.size() > 6)
        return false;
    for (char c : digits)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int removeTemporaryLeftovers(const fs::path& folder)
{
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (!isTemporaryFileName(p.filename().string()))
            continue;
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlink(p.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace kadelo::text
