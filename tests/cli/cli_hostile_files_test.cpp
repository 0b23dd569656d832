// Damaged and crafted field files, failing reads and failing standard
// output, through tarnwick-cli as a whole process: each gets its message
// and exit status, and nothing is written.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "support/cli_run.h"

using tarnwick::readWholeFile;
using tarnwick::test::cli;
using tarnwick::test::CliRun;
using tarnwick::test::tempField;
namespace fs = std::filesystem;

namespace {

const std::string kData = TARNWICK_TEST_DATA;
const std::string kHostile = kData + "/hostile/";

constexpr const char* kReadError = "error: Error Reading this File";
constexpr const char* kInvalid = "error: Invalid Field Data";
constexpr const char* kCannotOpen = "error: Can't Open this File";
constexpr const char* kNotOurs = "error: This is not Tarnwick File!";

std::string slurp(const std::string& path) { return readWholeFile(path).value_or("<unreadable>"); }

void put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct Refusal {
    int status;
    std::vector<const char*> messages;  // in this order on standard error; none when accepted
};

// `design FILE -o OUT`: the status, the messages, and OUT written only when
// the file was taken.
void expectDesign(const std::string& file, const Refusal& want, const std::string& label) {
    SCOPED_TRACE(label);
    const std::string out = tempField("hostile-out");
    fs::remove(out);
    const CliRun r = cli("design " + file + " -o " + out);
    EXPECT_EQ(r.status, want.status) << r.err;
    size_t at = 0;
    for (const char* m : want.messages) {
        at = r.err.find(m, at);
        EXPECT_NE(at, std::string::npos) << "missing \"" << m << "\" in:\n" << r.err;
    }
    if (want.messages.empty()) {
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(fs::exists(out), want.status == 0);
    // Nothing of the file's name either: no temporary file beside OUT.
    for (const auto& e : fs::directory_iterator(fs::path(out).parent_path()))
        EXPECT_EQ(e.path().filename().string().find(fs::path(out).filename().string() + ".tarnwick-"),
                  std::string::npos);
    fs::remove(out);
}

}  // namespace

TEST(HostileFieldFiles, EachGetsItsMessageAndNothingIsWritten) {
    const Refusal readError{2, {kReadError}}, invalid{2, {kInvalid}}, taken{0, {}};
    const std::map<std::string, Refusal> cases = {
        // Numbers out of range, including those near the 32-bit limits.
        {"sector-near-int-limit.fld", readError},
        {"spacing-near-int-limit.fld", readError},
        {"spacing-zero.fld", readError},
        {"spacing-not-whole.fld", readError},
        {"default-ratio-not-a-number.fld", readError},
        {"counts-beyond-the-grid.fld", readError},
        {"eight-sectors.fld", readError},
        {"record-beyond-the-grid.fld", readError},
        {"slope-infinite.fld", readError},
        {"ratio-huge.fld", readError},
        {"import-beyond-its-box.fld", readError},
        {"reading-huge.fld", readError},
        // Sectors outside the field, inverted, or sharing stations.
        {"sector-outside-field.fld", readError},
        {"sector-inverted.fld", readError},
        {"sector-seven-copies.fld", readError},
        {"sectors-overlap.fld", readError},
        // Partial-station weights outside 5 % to 200 %.
        {"weight-huge.fld", readError},
        {"weight-zero.fld", readError},
        {"weight-below-five-percent.fld", readError},
        {"weight-above-two-hundred-percent.fld", readError},
        {"weight-negative.fld", readError},
        {"weight-outside-field.fld", readError},
        {"weight-not-a-number.fld", readError},
        // Cut short where the counts tell.
        {"header-cut-short.fld", readError},
        {"cut-inside-stations.fld", readError},
        {"cut-inside-records.fld", readError},
        {"cut-inside-sector-records.fld", readError},
        {"weight-line-cut-short.fld", readError},
        {"station-without-coordinates.fld", readError},
        // The old layout.
        {"v1-spacing-zero.fld", invalid},
        {"v1-no-settings-row.fld", invalid},
        {"v1-sector-beyond-the-grid.fld", invalid},
        {"v1-sectors-overlap.fld", invalid},
        {"v1-reading-huge.fld", invalid},
        // Sound files that used to be refused or are the controls.
        {"byte-order-mark.fld", taken},
        {"v1-good.fld", taken},
    };
    std::set<std::string> seen;
    for (const auto& e : fs::directory_iterator(kHostile)) seen.insert(e.path().filename().string());
    for (const auto& [name, want] : cases) {
        EXPECT_TRUE(seen.erase(name)) << name << " is not in " << kHostile;
        expectDesign(kHostile + name, want, name);
    }
    EXPECT_TRUE(seen.empty()) << "no case for " << *seen.begin();
}

TEST(HostileFieldFiles, SizeLimitsAndFilesThatAreNotFiles) {
    const std::string dir = (fs::temp_directory_path() / ("tarnwick-hostile-" + std::to_string(::getpid()))).string();
    fs::create_directories(dir);
    const std::string good = slurp(kData + "/example-2x3.fld");

    // 100 MB, all of it one line after the magic: refused without reading
    // it (sparse, so the test costs no disk).
    const std::string huge = dir + "/huge.fld";
    put(huge, "TW200\r\n");
    fs::resize_file(huge, 100u * 1024 * 1024);
    expectDesign(huge, {2, {kReadError}}, "100 MB");
    // A line of 70 KB in a small file.
    std::string longLine = good;
    longLine.replace(longLine.find("Pivot 2"), 7, std::string(70 * 1024, 'x'));
    put(dir + "/long-line.fld", longLine);
    expectDesign(dir + "/long-line.fld", {2, {kReadError}}, "long line");
    // A FIFO with no writer must not make the tool wait; a folder and a
    // device are not field files either.
    ASSERT_EQ(::mkfifo((dir + "/fifo.fld").c_str(), 0600), 0);
    expectDesign(dir + "/fifo.fld", {2, {kCannotOpen, kNotOurs}}, "FIFO");
    expectDesign(dir, {2, {kCannotOpen, kNotOurs}}, "folder");
    expectDesign("/dev/zero", {2, {kCannotOpen, kNotOurs}}, "device");
    fs::remove_all(dir);
}

// A disk that fails part way: the read error is reported, never taken for
// the end of the file (which would write the field back without its
// partial-station weights).
TEST(HostileFieldFiles, ReadErrorPartWayIsReportedAndTheFileIsNotRewritten) {
    const std::string field = tempField("read-error");
    const std::string original = slurp(kData + "/reference/holes-partials-import-20x15.fld");
    put(field, original);
    const std::string preload = std::string("LD_PRELOAD=") + TARNWICK_READ_ERROR_SHIM +
                                " ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 TARNWICK_READ_ERROR=" + field +
                                ":";
    struct Case {
        size_t after;  // bytes read before the error
        std::vector<const char*> messages;
    };
    const Case cases[] = {
        {original.size() - 30, {kReadError}},           // inside the weights
        {original.size() / 2, {kReadError}},            // inside the stations
        {3, {kCannotOpen, kNotOurs}},                   // before the first line is whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        const CliRun r = cli("design " + field + " -o " + field, preload + std::to_string(c.after));
        EXPECT_EQ(r.status, 2) << r.err;
        for (const char* m : c.messages) EXPECT_NE(r.err.find(m), std::string::npos) << r.err;
        EXPECT_EQ(slurp(field), original);
    }
    // The shim itself lets a whole file through.
    EXPECT_EQ(cli("design " + field + " -o " + field, preload + std::to_string(original.size() + 1)).status, 0);
    EXPECT_EQ(slurp(field), original);
    fs::remove(field);
}

TEST(HostileCommandLine, FullStandardOutputAndEmptyOutputNameAreErrors) {
    const std::string field = kData + "/reference/small-6x5.fld";
    for (const char* command : {"design ", "minimize "}) {
        SCOPED_TRACE(command);
        for (const char* json : {"", " --json"}) {
            const CliRun full = cli(command + field + json, {}, "/dev/full");
            EXPECT_EQ(full.status, 1) << json;
            EXPECT_NE(full.err.find("cannot write to standard output: No space left on device"), std::string::npos)
                << full.err;
        }
        const CliRun r = cli(command + field + " -o ''");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("-o needs a file name"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // Output onto something that is not a regular file.
    const std::string fifo = tempField("fifo-out");
    fs::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CliRun r = cli("design " + field + " -o " + fifo);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error Writing this File: not a regular file"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_fifo(fifo));
    fs::remove(fifo);
}

// Whatever runs out, the tool says so and ends with status 1, never with
// an abort.
TEST(HostileCommandLine, OutOfMemoryIsAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limits below allow";
#endif
    const std::string field = kData + "/reference/full-130x130.fld";
    bool ranOut = false;
    for (int kilobytes = 8000; kilobytes <= 64000; kilobytes += 4000) {
        SCOPED_TRACE(kilobytes);
        const CliRun r = cli("design " + field + " --json", "ulimit -v " + std::to_string(kilobytes) + ";");
        if (r.status == 0) break;
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("tarnwick-cli: error: out of memory"), std::string::npos) << r.err;
        ranOut = true;
    }
    EXPECT_TRUE(ranOut);
}

// design X -o Y; design Y -o Z gives Y = Z for every reference field and
// every seed of the fuzz corpus that opens.
TEST(HostileFieldFiles, WrittenFieldsWriteBackTheSame) {
    std::vector<std::string> fields;
    for (const auto& e : fs::directory_iterator(kData + "/reference"))
        if (e.path().extension() == ".fld") fields.push_back(e.path().string());
    for (const char* corpus : {"field_file", "field_file_v1", "session"}) {
        const fs::path dir = fs::path(TARNWICK_FUZZ_CORPUS) / corpus;
        ASSERT_TRUE(fs::is_directory(dir)) << dir;
        for (const auto& e : fs::directory_iterator(dir)) fields.push_back(e.path().string());
    }
    std::sort(fields.begin(), fields.end());
    const std::string y = tempField("y"), z = tempField("z");
    int opened = 0;
    for (const std::string& x : fields) {
        SCOPED_TRACE(x);
        fs::remove(y);
        if (cli("design " + x + " -o " + y).status != 0) {
            EXPECT_FALSE(fs::exists(y));
            continue;
        }
        ++opened;
        const CliRun again = cli("design " + y + " -o " + z);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(slurp(y), slurp(z));
    }
    EXPECT_GT(opened, 10);
    fs::remove(y);
    fs::remove(z);
}
