#include "text/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kadelo::text {
namespace {

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
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

} // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string out;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        out.reserve(static_cast<std::size_t>(st.st_size));
    else if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    char buf[65536];
    while (true) {
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (r == 0)
            break;
        out.append(buf, static_cast<std::size_t>(r));
    }
    ::close(fd);
    return out;
}

WriteResult writeFileAtomic(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::path dir = path.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device rd;
    const std::filesystem::path temp = dir / (".~" + path.filename().string() + "." + std::to_string(rd() % 1000000) + ".tmp");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure("cannot create " + temp.string(), errno);
    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(what, err);
    };
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
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
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure("cannot replace " + path.string(), err);
    }
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

WriteResult appendToFile(const std::filesystem::path& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure("cannot open " + path.string(), errno);
    auto abandon = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        return failure(what, err);
    };
    const off_t size = ::lseek(fd, 0, SEEK_END);
    if (size < 0)
        return abandon("cannot seek " + path.string());
    std::string out;
    if (size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, size - 1) != 1)
            return abandon("cannot read " + path.string());
        if (last != '\n')
            out = "\r\n";
    }
    out.append(bytes);
    if (!writeAll(fd, out))
        return abandon("cannot write " + path.string());
    if (::fsync(fd) != 0)
        return abandon("cannot flush " + path.string());
    if (::close(fd) != 0)
        return failure("cannot close " + path.string(), errno);
    return {};
}

} // namespace kadelo::text
