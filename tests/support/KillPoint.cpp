// Preloaded into a child process (LD_PRELOAD) to kill it with SIGKILL right
// before its n-th step that changes the file system: a write to a regular
// file, a truncation, a sync, a creation, a rename, a link, a removal. The
// child's own code runs unchanged; it only dies at a chosen place, so the
// places between two steps of an operation can be reached one by one.
//
// VELMORA_KILLPOINT=n      die before step n (absent or 0: never)
// VELMORA_KILLPOINT_PATH   count only the steps on a path that ends so
//                          (renames, links, removals, creations)
// VELMORA_KILLPOINT_TEAR   a write that the kill comes to and that crosses
//                          a page boundary first writes up to the boundary,
//                          as the system does when a kill arrives in the
//                          middle of such a write
// VELMORA_KILLPOINT_COUNT  a file that receives the number of steps taken,
//                          when the child ends on its own

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

std::atomic<long> g_steps{0};
std::atomic<bool> g_off{false};

long killAt()
{
    static const long at = [] {
        const char *v = std::getenv("VELMORA_KILLPOINT");
        return v ? std::atol(v) : 0L;
    }();
    return at;
}

const char *pathFilter()
{
    static const char *filter = std::getenv("VELMORA_KILLPOINT_PATH");
    return filter && *filter ? filter : nullptr;
}

bool endsWith(const char *path, const char *tail)
{
    if (!path)
        return false;
    const size_t n = std::strlen(path), t = std::strlen(tail);
    return n >= t && std::strcmp(path + n - t, tail) == 0;
}

bool due()
{
    if (g_off.load())
        return false;
    const long n = ++g_steps;
    return killAt() > 0 && n == killAt();
}

void count()
{
    if (due())
        ::raise(SIGKILL);
}

// A step on an open file: not counted when only steps on a path are.
void step()
{
    if (!pathFilter())
        count();
}

bool regularFile(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// A write to a regular file at offset (-1: at the file's position).
template <typename Write>
void writeStep(int fd, const void *buf, size_t n, off_t offset, Write real)
{
    if (!regularFile(fd) || pathFilter() || !due())
        return;
    static const bool tear = std::getenv("VELMORA_KILLPOINT_TEAR") != nullptr;
    if (tear) {
        const off_t at = offset >= 0 ? offset : ::lseek(fd, 0, SEEK_CUR);
        const size_t first = size_t(4096 - at % 4096);
        if (at >= 0 && first < n)
            real(fd, buf, first, at);
    }
    ::raise(SIGKILL);
}

// A step naming paths.
void step(const char *a, const char *b = nullptr)
{
    if (!pathFilter() || endsWith(a, pathFilter()) || endsWith(b, pathFilter()))
        count();
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// An open that makes a file or empties one; opening an existing file with
// O_CREAT (as a read-write QFile does) changes nothing.
bool creates(int dir, const char *path, int flags)
{
    if ((flags & O_TRUNC) != 0 || (flags & O_TMPFILE) == O_TMPFILE)
        return true;
    return (flags & O_CREAT) != 0 && ::faccessat(dir, path, F_OK, 0) != 0;
}

struct CountAtExit
{
    ~CountAtExit()
    {
        g_off = true;
        const char *path = std::getenv("VELMORA_KILLPOINT_COUNT");
        if (!path)
            return;
        if (FILE *f = std::fopen(path, "w")) {
            std::fprintf(f, "%ld\n", g_steps.load());
            std::fclose(f);
        }
    }
} g_countAtExit;

} // namespace

extern "C" {

ssize_t write(int fd, const void *buf, size_t n)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    static const auto realAt = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    writeStep(fd, buf, n, -1, realAt);
    return real(fd, buf, n);
}

ssize_t pwrite(int fd, const void *buf, size_t n, off_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    writeStep(fd, buf, n, offset, real);
    return real(fd, buf, n, offset);
}

ssize_t pwrite64(int fd, const void *buf, size_t n, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    writeStep(fd, buf, n, offset, real);
    return real(fd, buf, n, offset);
}

int ftruncate(int fd, off_t length)
{
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    step();
    return real(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    static const auto real = next<int (*)(int, off64_t)>("ftruncate64");
    step();
    return real(fd, length);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    step();
    return real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    step();
    return real(fd);
}

int rename(const char *from, const char *to)
{
    static const auto real = next<int (*)(const char *, const char *)>("rename");
    step(from, to);
    return real(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    static const auto real = next<int (*)(int, const char *, int, const char *)>("renameat");
    step(from, to);
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    static const auto real =
        next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    step(from, to);
    return real(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to)
{
    static const auto real = next<int (*)(const char *, const char *)>("link");
    step(from, to);
    return real(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    static const auto real = next<int (*)(int, const char *, int, const char *, int)>("linkat");
    step(from, to);
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char *path)
{
    static const auto real = next<int (*)(const char *)>("unlink");
    step(path);
    return real(path);
}

int unlinkat(int dir, const char *path, int flags)
{
    static const auto real = next<int (*)(int, const char *, int)>("unlinkat");
    step(path);
    return real(dir, path, flags);
}

int rmdir(const char *path)
{
    static const auto real = next<int (*)(const char *)>("rmdir");
    step(path);
    return real(path);
}

int mkdir(const char *path, mode_t mode)
{
    static const auto real = next<int (*)(const char *, mode_t)>("mkdir");
    step(path);
    return real(path, mode);
}

// The opens that create or empty a file count. The mode argument is there
// only with O_CREAT or O_TMPFILE.
#define VELMORA_OPEN(DIR, ...)                                                                     \
    {                                                                                              \
        mode_t mode = 0;                                                                           \
        if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {                          \
            va_list args;                                                                          \
            va_start(args, flags);                                                                 \
            mode = mode_t(va_arg(args, int));                                                      \
            va_end(args);                                                                          \
        }                                                                                          \
        if (creates(DIR, path, flags))                                                             \
            step(path);                                                                            \
        return real(__VA_ARGS__, flags, mode);                                                     \
    }

int open(const char *path, int flags, ...)
{
    static const auto real = next<int (*)(const char *, int, ...)>("open");
    VELMORA_OPEN(AT_FDCWD, path)
}

int open64(const char *path, int flags, ...)
{
    static const auto real = next<int (*)(const char *, int, ...)>("open64");
    VELMORA_OPEN(AT_FDCWD, path)
}

int openat(int dir, const char *path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char *, int, ...)>("openat");
    VELMORA_OPEN(dir, dir, path)
}

int openat64(int dir, const char *path, int flags, ...)
{
    static const auto real = next<int (*)(int, const char *, int, ...)>("openat64");
    VELMORA_OPEN(dir, dir, path)
}

} // extern "C"
