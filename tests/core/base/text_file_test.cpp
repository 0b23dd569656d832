// Text files: lines and their encodings, bounded reads that tell errors
// from the end, and writes that never leave a half-written or a replaced
// non-file behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "core/base/text_file.h"
#include "support/small_disk.h"

using namespace tarnwick;
using tarnwick::test::SmallDisk;
namespace fs = std::filesystem;

namespace {

class Folder {
public:
    Folder()
        : path_(fs::temp_directory_path() /
                ("tarnwick-text-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) const { return readWholeFile(file(name)).value_or("<unreadable>"); }
    // The names in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path_)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> out;
    TextLines lines(bytes);
    std::string line;
    while (lines.next(line)) out.push_back(line);
    return out;
}

}  // namespace

TEST(TextLines, EndingsByteOrderMarkAndEncodingPerLine) {
    using V = std::vector<std::string>;
    struct Case {
        const char* what;
        std::string bytes;
        V lines;
    };
    const Case cases[] = {
        {"LF, CR LF and CR alike", "a\nb\r\nc\rd", V{"a", "b", "c", "d"}},
        {"a final ending starts no line", "a\r\n\r\n", V{"a", ""}},
        {"byte order mark dropped", "\xEF\xBB\xBFTW200\r\nx", V{"TW200", "x"}},
        {"UTF-8 and Latin-1 lines side by side", "Gr\xC3\xBCn\r\nGr\xFCn\r\n", V{"Gr\xC3\xBCn", "Gr\xC3\xBCn"}},
        {"an overlong form is not UTF-8", "\xC0\xAF", V{"\xC3\x80\xC2\xAF"}},
        {"a surrogate is not UTF-8", "\xED\xA0\x80", V{"\xC3\xAD\xC2\xA0\xC2\x80"}},
        {"a cut sequence is not UTF-8", "x\xE2\x82", V{"x\xC3\xA2\xC2\x82"}},
    };
    for (const Case& c : cases) EXPECT_EQ(linesOf(c.bytes), c.lines) << c.what;
    EXPECT_EQ(firstLine("\xEF\xBB\xBF" "102,102\nrest"), "102,102");
}

TEST(ReadTextFile, LimitsAndWhatIsNotAFile) {
    Folder dir;
    dir.put("ok.txt", "TW200\r\nline\r\n");
    dir.put("edge.txt", std::string(kMaxTextLineBytes, 'x') + "\n");
    dir.put("long.txt", "TW200\r\n" + std::string(kMaxTextLineBytes + 1, 'x'));
    dir.put("huge.txt", "TW200\r\n");
    fs::resize_file(dir.file("huge.txt"), kMaxTextFileBytes + 1);  // sparse
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder"));
    struct Case {
        std::string path;
        ReadOutcome outcome;
    };
    const Case cases[] = {
        {dir.file("ok.txt"), ReadOutcome::Ok},          {dir.file("edge.txt"), ReadOutcome::Ok},
        {dir.file("long.txt"), ReadOutcome::LineTooLong}, {dir.file("huge.txt"), ReadOutcome::TooLarge},
        {dir.file("missing"), ReadOutcome::CannotOpen}, {dir.file("fifo"), ReadOutcome::CannotOpen},
        {dir.file("folder"), ReadOutcome::CannotOpen},  {"/dev/zero", ReadOutcome::CannotOpen},
    };
    for (const Case& c : cases) EXPECT_EQ(readTextFile(c.path).outcome, c.outcome) << c.path;
    EXPECT_EQ(readTextFile(dir.file("ok.txt")).bytes, "TW200\r\nline\r\n");
    // Of a file too large only the beginning is read: enough for its kind.
    const TextFileRead huge = readTextFile(dir.file("huge.txt"));
    EXPECT_EQ(firstLine(huge.bytes), "TW200");
    EXPECT_LE(huge.bytes.size(), kMaxTextLineBytes + 1);
}

TEST(WriteFileAtomically, ThroughLinksKeepingPermissionsNeverOntoNonFiles) {
    Folder dir;
    dir.put("field.fld", "old");
    ::chmod(dir.file("field.fld").c_str(), 0640);
    fs::create_symlink("field.fld", dir.file("link.fld"));
    fs::create_symlink(dir.file("link.fld"), dir.file("link-to-link.fld"));

    ASSERT_TRUE(writeFileAtomically(dir.file("link-to-link.fld"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.fld")));
    EXPECT_TRUE(fs::is_symlink(dir.file("link-to-link.fld")));
    EXPECT_EQ(dir.get("field.fld"), "new");
    EXPECT_EQ(fs::status(dir.file("field.fld")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A new file gets what the file mask leaves of read and write for all.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(dir.file("fresh.fld"), "x"));
    ::umask(mask);
    EXPECT_EQ(fs::status(dir.file("fresh.fld")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);

    ASSERT_EQ(::mkfifo(dir.file("fifo.fld").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder.fld"));
    fs::create_symlink("nowhere/x.fld", dir.file("dangling.fld"));
    fs::create_symlink("loop.fld", dir.file("loop.fld"));
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case refused[] = {
        {dir.file("fifo.fld"), "not a regular file"},
        {dir.file("folder.fld"), "not a regular file"},
        {"/dev/null", "not a regular file"},
        {dir.file("no-such-folder/x.fld"), "No such file or directory"},
        {dir.file("dangling.fld"), "No such file or directory"},
        {dir.file("loop.fld"), "Too many levels of symbolic links"},
        {"", "No such file or directory"},
    };
    const std::vector<std::string> before = dir.names();
    for (const Case& c : refused) {
        const WriteResult r = writeFileAtomically(c.path, "new");
        EXPECT_FALSE(r) << c.path;
        EXPECT_EQ(r.reason, c.reason) << c.path;
    }
    EXPECT_EQ(dir.names(), before);  // nothing replaced, no temporary file
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo.fld")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// The old file byte for byte and no temporary file, whatever stops the
// write: a full disk, a read-only one.
TEST(WriteFileAtomically, FullAndReadOnlyDisksLeaveTheOldFile) {
    Folder dir;
    SmallDisk disk(dir.path().string());
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.error();
    dir.put("field.fld", "old contents\r\n");

    WriteResult r = writeFileAtomically(dir.file("field.fld"), std::string(200 * 1024, 'x'));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.reason, "No space left on device");
    EXPECT_EQ(dir.get("field.fld"), "old contents\r\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"field.fld"});

    ASSERT_TRUE(disk.makeReadOnly());
    r = writeFileAtomically(dir.file("field.fld"), "new");
    EXPECT_FALSE(r);
    EXPECT_EQ(r.reason, "Read-only file system");
    EXPECT_EQ(dir.get("field.fld"), "old contents\r\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"field.fld"});
}

// A run that died mid-write left its temporary file: the next write into
// the folder removes it when its writer is surely gone.
TEST(WriteFileAtomically, RemovesTemporaryFilesOfRunsThatDied) {
    Folder dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);  // a process id that no longer runs

    const std::string dead = atomicTempFileName("a.fld", child);
    const std::string running = atomicTempFileName("b.fld", 1);  // init runs as long as the machine
    const std::string runningLongAgo = atomicTempFileName("c.fld", 1);
    const std::string elsewhere = ".d.fld.tarnwick-" + std::to_string(child) + "-0-othercomputer.tmp";
    ASSERT_NE(running, runningLongAgo);
    for (const std::string& n : {dead, running, runningLongAgo, elsewhere, std::string("notes.tarnwick-1-0-x.txt")})
        dir.put(n, std::string(1000, 'x'));
    // Untouched for a day: whoever wrote it is gone.
    const auto dayAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(dir.file(runningLongAgo), dayAgo);

    ASSERT_TRUE(writeFileAtomically(dir.file("field.fld"), "new"));
    std::vector<std::string> kept{running, elsewhere, "field.fld", "notes.tarnwick-1-0-x.txt"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dir.names(), kept);
}
