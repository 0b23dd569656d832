#include "core/base/text_file.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <fstream>
#include <sstream>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarnwick {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}

bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t extra;
        unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) lo = 0xA0;  // no overlong forms
            if (c == 0xED) hi = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        const unsigned char second = static_cast<unsigned char>(s[i + 1]);
        if (second < lo || second > hi) return false;
        for (size_t k = 2; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace

ReadOutcome checkTextLimits(std::string_view bytes) {
    if (bytes.size() > kMaxTextFileBytes) return ReadOutcome::TooLarge;
    size_t run = 0;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            run = 0;
        } else if (++run > kMaxTextLineBytes) {
            return ReadOutcome::LineTooLong;
        }
    }
    return ReadOutcome::Ok;
}

namespace {

// The line as UTF-8 into `out`, reusing its room.
void assignUtf8(std::string_view line, std::string& out) {
    if (isValidUtf8(line)) {
        out.assign(line);
        return;
    }
    out.clear();
    out.reserve(line.size() + line.size() / 4);
    for (char ch : line) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

}  // namespace

std::string toUtf8(std::string_view line) {
    std::string out;
    assignUtf8(line, out);
    return out;
}

TextLines::TextLines(std::string_view bytes) : text_(withoutByteOrderMark(bytes)) {}

bool TextLines::nextBytes(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }
    return true;
}

bool TextLines::next(std::string& line) {
    std::string_view bytes;
    if (!nextBytes(bytes)) return false;
    assignUtf8(bytes, line);
    return true;
}

std::string_view firstLine(std::string_view bytes) {
    bytes = withoutByteOrderMark(bytes);
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text, start, i - start);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text, start, text.size() - start);
    return lines;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    TextFileRead r = readTextFile(path);
    if (!r.ok()) return std::nullopt;
    return std::move(r.bytes);
}

#if defined(_WIN32)

TextFileRead readTextFile(const std::string& path) {
    TextFileRead r;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return r;
    std::ifstream in(path, std::ios::binary);
    if (!in) return r;
    std::string bytes(kMaxTextFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    r.bytes = std::move(bytes);
    if (in.bad()) r.outcome = ReadOutcome::ReadError;
    else r.outcome = checkTextLimits(r.bytes);
    return r;
}

WriteResult writeFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec)) return {false, "not a regular file"};
    fs::path temp = target;
    temp += ".tarnwick-" + std::to_string(counter++) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return {false, "the file cannot be created"};
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return {false, "the file cannot be written"};
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temp, ec);
        return {false, reason};
    }
    return {};
}

std::string atomicTempFileName(const std::string& target, long) { return target + ".tarnwick-0.tmp"; }

#else

namespace {

constexpr std::string_view kTempTag = ".tarnwick-";
constexpr std::string_view kTempEnd = ".tmp";
// A temporary file whose writer cannot be shown to be gone is removed only
// after this long: no write of a field takes hours.
constexpr std::time_t kStaleTempSeconds = 12 * 60 * 60;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; the close's own error (a delayed write error) counts.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string systemReason(int error) { return std::generic_category().message(error); }

WriteResult failed(int error) { return {false, systemReason(error)}; }

// The host name as it may stand in a file name: letters, digits and "_".
const std::string& hostTag() {
    static const std::string tag = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0) return std::string("host");
        std::string out;
        for (const char* p = name; *p; ++p)
            out += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return out.empty() ? std::string("host") : out.substr(0, 64);
    }();
    return tag;
}

struct TempName {
    long pid = 0;
    std::string host;
};

// ".<target>.tarnwick-<pid>-<n>-<host>.tmp"
std::string tempName(const std::string& target, long pid, unsigned n) {
    // Room for the tag within the 255 bytes a name may have.
    return "." + target.substr(0, 120) + std::string(kTempTag) + std::to_string(pid) + "-" + std::to_string(n) + "-" +
           hostTag() + std::string(kTempEnd);
}

std::optional<TempName> parseTempName(const std::string& name) {
    if (name.size() < 2 || name[0] != '.' || name.size() < kTempEnd.size() ||
        name.compare(name.size() - kTempEnd.size(), kTempEnd.size(), kTempEnd) != 0)
        return std::nullopt;
    const size_t tag = name.rfind(kTempTag);
    if (tag == std::string::npos || tag == 0) return std::nullopt;
    std::string_view rest(name);
    rest = rest.substr(tag + kTempTag.size(), rest.size() - tag - kTempTag.size() - kTempEnd.size());
    auto digits = [&rest](size_t max) -> std::optional<long> {
        size_t n = 0;
        while (n < rest.size() && n < max && std::isdigit(static_cast<unsigned char>(rest[n]))) ++n;
        if (n == 0 || n >= rest.size() || rest[n] != '-') return std::nullopt;
        long v = 0;
        for (size_t i = 0; i < n; ++i) v = v * 10 + (rest[i] - '0');
        rest.remove_prefix(n + 1);
        return v;
    };
    auto pid = digits(9);
    if (!pid || *pid <= 0 || !digits(9)) return std::nullopt;
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
        }))
        return std::nullopt;
    return TempName{*pid, std::string(rest)};
}

bool processGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

// Removes the temporary files of earlier writes into `folder` whose writer
// is surely gone: one of this computer whose process no longer runs, or any
// that has not changed for hours (a folder may be shared by computers whose
// process ids mean nothing here).
void removeStaleTemps(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    const std::time_t now = std::time(nullptr);
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto temp = parseTempName(name);
        if (!temp) continue;
        struct stat st;
        const std::string path = it->path().string();
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const bool old = now - st.st_mtime > kStaleTempSeconds;
        const bool gone = temp->host == hostTag() && temp->pid != ::getpid() && processGone(temp->pid);
        if (old || gone) ::unlink(path.c_str());
    }
}

// The file a path names, through symbolic links. Empty (with errno set) on a
// loop of links.
std::string throughLinks(const std::string& path) {
    namespace fs = std::filesystem;
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) return current;
        target.resize(static_cast<size_t>(n));
        const fs::path link(target);
        current = link.is_absolute() ? target : (fs::path(current).parent_path() / link).string();
    }
    errno = ELOOP;
    return {};
}

}  // namespace

TextFileRead readTextFile(const std::string& path) {
    TextFileRead r;
    // Without blocking: opening a FIFO must not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return r;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return r;

    const bool tooLarge = static_cast<unsigned long long>(st.st_size) > kMaxTextFileBytes;
    // Of a file too large only the beginning is read, for its first line.
    const size_t limit = tooLarge ? kMaxTextLineBytes + 1 : kMaxTextFileBytes + 1;
    r.bytes.reserve(std::min(static_cast<size_t>(st.st_size), limit));
    char buf[65536];
    r.outcome = ReadOutcome::Ok;
    while (r.bytes.size() < limit) {
        const ssize_t n = ::read(fd.get(), buf, std::min(sizeof buf, limit - r.bytes.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            r.outcome = ReadOutcome::ReadError;
            return r;
        }
        if (n == 0) break;
        r.bytes.append(buf, static_cast<size_t>(n));
    }
    if (tooLarge || r.bytes.size() > kMaxTextFileBytes)
        r.outcome = ReadOutcome::TooLarge;
    else
        r.outcome = checkTextLimits(r.bytes);
    return r;
}

std::string atomicTempFileName(const std::string& target, long pid) { return tempName(target, pid, 0); }

WriteResult writeFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    static std::atomic<unsigned> counter{0};
    if (path.empty()) return failed(ENOENT);
    const std::string target = throughLinks(path);
    if (target.empty()) return failed(errno);

    struct stat old;
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failed(errno);
    if (exists && !S_ISREG(old.st_mode)) return {false, "not a regular file"};

    const fs::path targetPath(target);
    std::string folder = targetPath.parent_path().string();
    if (folder.empty()) folder = ".";
    removeStaleTemps(folder);

    std::string temp;
    int fdValue = -1;
    for (int attempt = 0; attempt < 100 && fdValue < 0; ++attempt) {
        temp = (fs::path(folder) / tempName(targetPath.filename().string(), ::getpid(), counter++)).string();
        fdValue = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
        if (fdValue < 0 && errno != EEXIST) return failed(errno);
    }
    if (fdValue < 0) return failed(EEXIST);
    Descriptor fd(fdValue);
    auto fail = [&temp](int error) {
        ::unlink(temp.c_str());
        return failed(error);
    };

    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<size_t>(n);
    }

    // The old file's permissions and owner; a new file gets what the
    // process's file mask leaves of read and write for everyone.
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd.get(), old.st_uid, old.st_gid) != 0)
            mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);

    // On the disk before the rename, so a crash leaves the old file or the
    // whole new one. File systems that cannot sync say EINVAL.
    if (::fsync(fd.get()) != 0 && errno != EINVAL) return fail(errno);
    if (!fd.close()) return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);

    // The rename itself on the disk. The new file is in place whatever this
    // answers, so a folder that cannot be synced does not fail the write.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

#endif

}  // namespace tarnwick
