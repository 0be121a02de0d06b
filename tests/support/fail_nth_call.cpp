// Preloaded into the save driver by the fault-injection test. Counts the write-side calls (open for
// writing, write, pwrite, fsync, fdatasync, close, rename, ftruncate, unlink) and, at the one
// numbered KADELO_FAIL_AT (or each of a comma-separated list), either fails it (KADELO_FAIL_MODE=fail; from a failed write on every
// later write fails too, as on a full disk, and a write asked for more than one byte first writes
// half of them) or kills the process just before it (KADELO_FAIL_MODE=kill). At exit the number
// of calls counted is written to the file KADELO_FAIL_CALLS, when given.
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

long calls = 0;
long failAt[4] = {};
bool killMode = false;
bool diskFull = false;

template <class F>
F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// True when this call is the one to fail; kills the process instead in kill mode.
bool failThisCall()
{
    ++calls;
    bool hit = false;
    for (long at : failAt)
        hit = hit || (at > 0 && calls == at);
    if (!hit)
        return false;
    if (killMode)
        ::kill(::getpid(), SIGKILL);
    return true;
}

struct Setup {
    Setup()
    {
        if (const char* at = std::getenv("KADELO_FAIL_AT")) {
            char* next = const_cast<char*>(at);
            for (long& n : failAt) {
                n = std::strtol(next, &next, 10);
                if (*next != ',')
                    break;
                ++next;
            }
        }
        const char* mode = std::getenv("KADELO_FAIL_MODE");
        killMode = mode && std::strcmp(mode, "kill") == 0;
    }
    ~Setup()
    {
        const char* out = std::getenv("KADELO_FAIL_CALLS");
        if (!out)
            return;
        const int fd = static_cast<int>(::syscall(SYS_openat, AT_FDCWD, out, O_WRONLY | O_CREAT | O_TRUNC, 0644));
        if (fd < 0)
            return;
        char buf[32];
        const int n = std::snprintf(buf, sizeof buf, "%ld\n", calls);
        ::syscall(SYS_write, fd, buf, n);
        ::syscall(SYS_close, fd);
    }
} setup;

ssize_t failedWrite(int fd, const void* buf, size_t count, off_t* at)
{
    if (!diskFull && count > 1) {
        diskFull = true;
        // The disk fills part-way: half of it is written, and that is all.
        const size_t half = count / 2;
        return at ? real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, buf, half, *at)
                  : real<ssize_t (*)(int, const void*, size_t)>("write")(fd, buf, half);
    }
    diskFull = true;
    errno = ENOSPC;
    return -1;
}

bool opensForWriting(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

} // namespace

extern "C" {

// open and open64 alike: the mode is there only when a file may be created.
#define KADELO_OPEN(name)                                                                                 \
    int name(const char* path, int flags, ...)                                                            \
    {                                                                                                     \
        mode_t mode = 0;                                                                                  \
        if (flags & (O_CREAT | O_TMPFILE)) {                                                              \
            va_list ap;                                                                                   \
            va_start(ap, flags);                                                                          \
            mode = va_arg(ap, mode_t);                                                                    \
            va_end(ap);                                                                                   \
        }                                                                                                 \
        if (opensForWriting(flags) && failThisCall()) {                                                   \
            errno = EIO;                                                                                  \
            return -1;                                                                                    \
        }                                                                                                 \
        return real<int (*)(const char*, int, ...)>(#name)(path, flags, mode);                            \
    }
KADELO_OPEN(open)
KADELO_OPEN(open64)

ssize_t write(int fd, const void* buf, size_t count)
{
    if (diskFull) {
        ++calls;
        errno = ENOSPC;
        return -1;
    }
    if (failThisCall())
        return failedWrite(fd, buf, count, nullptr);
    return real<ssize_t (*)(int, const void*, size_t)>("write")(fd, buf, count);
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    if (failThisCall())
        return failedWrite(fd, buf, count, &offset);
    return real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, buf, count, offset);
}

int fsync(int fd)
{
    if (failThisCall()) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd)
{
    if (failThisCall()) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(int)>("fdatasync")(fd);
}

int close(int fd)
{
    const bool fail = failThisCall();
    // As on Linux, a failed close still releases the descriptor.
    const int r = real<int (*)(int)>("close")(fd);
    if (fail) {
        errno = EIO;
        return -1;
    }
    return r;
}

int rename(const char* from, const char* to)
{
    if (failThisCall()) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(const char*, const char*)>("rename")(from, to);
}

int ftruncate(int fd, off_t length)
{
    if (failThisCall()) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(int, off_t)>("ftruncate")(fd, length);
}

int unlink(const char* path)
{
    if (failThisCall()) {
        errno = EIO;
        return -1;
    }
    return real<int (*)(const char*)>("unlink")(path);
}

} // extern "C"
