// Preloaded into a process under test (LD_PRELOAD), makes reading one file
// fail part way as a failing disk does: TARNWICK_READ_ERROR="PATH:N" lets
// the first N bytes of PATH through and then answers every read of it with
// EIO. Other files read as usual.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kMaxFd = 1024;
long long delivered[kMaxFd];
bool watched[kMaxFd];

struct Target {
    std::string path;
    long long after = -1;
};

const Target& target() {
    static const Target t = [] {
        Target out;
        const char* wanted = std::getenv("TARNWICK_READ_ERROR");
        if (!wanted) return out;
        const char* colon = std::strrchr(wanted, ':');
        if (!colon) return out;
        out.path.assign(wanted, colon);
        out.after = std::atoll(colon + 1);
        return out;
    }();
    return t;
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

int watch(int fd, const char* path) {
    if (fd >= 0 && fd < kMaxFd) {
        watched[fd] = target().after >= 0 && path && target().path == path;
        delivered[fd] = 0;
    }
    return fd;
}

ssize_t failingRead(int fd, void* buf, size_t n, ssize_t (*real)(int, void*, size_t)) {
    if (fd < 0 || fd >= kMaxFd || !watched[fd]) return real(fd, buf, n);
    const long long left = target().after - delivered[fd];
    if (left <= 0) {
        errno = EIO;
        return -1;
    }
    const ssize_t got = real(fd, buf, n < static_cast<size_t>(left) ? n : static_cast<size_t>(left));
    if (got > 0) delivered[fd] += got;
    return got;
}

mode_t modeArgument(int flags, va_list ap) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(ap, int)) : 0;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    static auto real = next<int (*)(const char*, int, ...)>("open");
    return watch(real(path, flags, mode), path);
}

int open64(const char* path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    static auto real = next<int (*)(const char*, int, ...)>("open64");
    return watch(real(path, flags, mode), path);
}

int openat(int dir, const char* path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    static auto real = next<int (*)(int, const char*, int, ...)>("openat");
    return watch(real(dir, path, flags, mode), path);
}

int openat64(int dir, const char* path, int flags, ...) {
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    static auto real = next<int (*)(int, const char*, int, ...)>("openat64");
    return watch(real(dir, path, flags, mode), path);
}

ssize_t read(int fd, void* buf, size_t n) {
    static auto real = next<ssize_t (*)(int, void*, size_t)>("read");
    return failingRead(fd, buf, n, real);
}

ssize_t __read_chk(int fd, void* buf, size_t n, size_t) {
    static auto real = next<ssize_t (*)(int, void*, size_t)>("read");
    return failingRead(fd, buf, n, real);
}

int close(int fd) {
    static auto real = next<int (*)(int)>("close");
    if (fd >= 0 && fd < kMaxFd) watched[fd] = false;
    return real(fd);
}

}  // extern "C"
