#pragma once
// Plain text files: bounded whole-file reads that tell a read error from the
// end of the file, line reading that takes LF, CR LF and CR alike and turns
// old 8-bit lines into UTF-8 one line at a time, and writes that go to a
// temporary file first and replace the target only when complete and on
// the disk.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Every text file the program reads is refused beyond these sizes: a field
// of 130 x 130 stations is well under 1 MB, and no line of any format comes
// near 64 KB.
inline constexpr size_t kMaxTextFileBytes = 16u * 1024 * 1024;
inline constexpr size_t kMaxTextLineBytes = 64u * 1024;

enum class ReadOutcome {
    Ok,
    CannotOpen,   // missing, unreadable, or not a regular file (folder, FIFO, device)
    TooLarge,     // more than kMaxTextFileBytes
    LineTooLong,  // a line of more than kMaxTextLineBytes
    ReadError,    // the system reported an error part way (never taken for the end)
};

struct TextFileRead {
    ReadOutcome outcome = ReadOutcome::CannotOpen;
    // The whole file when Ok. Otherwise what was read before the failure;
    // for a file too large only its beginning (enough for its first line).
    std::string bytes;
    bool ok() const { return outcome == ReadOutcome::Ok; }
};

// Reads a regular file whole, within the limits. Opening never waits: a
// FIFO without a writer is refused, not waited for.
TextFileRead readTextFile(const std::string& path);

// The file's bytes, or nothing when readTextFile did not answer Ok.
std::optional<std::string> readWholeFile(const std::string& path);

// Whether bytes already in memory keep the limits (Ok, TooLarge or
// LineTooLong).
ReadOutcome checkTextLimits(std::string_view bytes);

// A UTF-8 line as it is; any other line is taken as Latin-1.
std::string toUtf8(std::string_view line);

// The lines of a text one by one, without their endings: a leading UTF-8
// byte order mark is dropped, each line is made UTF-8 on its own, and a
// final line ending does not start another line. Nothing is copied until a
// line is asked for, so a text of millions of empty lines costs no memory.
class TextLines {
public:
    explicit TextLines(std::string_view bytes);
    // The next line; false at the end of the text.
    bool next(std::string& line);
    // The next line's bytes as they are, for a reader that decodes its
    // parts one by one (fields of different origin on one line).
    bool nextBytes(std::string_view& line);
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The first line's bytes as they are (after a byte order mark), without
// its ending.
std::string_view firstLine(std::string_view bytes);

// Lines without their endings, bytes unchanged. A final line ending does
// not start another line.
std::vector<std::string> splitLines(const std::string& text);

// The outcome of a write; `reason` says why it failed, in the system's words
// where the system gave a reason ("No space left on device").
struct WriteResult {
    bool ok = true;
    std::string reason;
    explicit operator bool() const { return ok; }
};

// Writes the bytes to a temporary file beside the file `path` names (through
// symbolic links: the link stays a link), flushes it to the disk, gives it
// the old file's permissions and renames it over the old file, then flushes
// the folder. A target that exists but is not a regular file is refused.
// On failure the old file is untouched and no temporary file is left.
// Temporary files of earlier runs that died part way are removed first.
WriteResult writeFileAtomically(const std::string& path, const std::string& bytes);

// The name of a temporary file that a write of the file named `target`
// makes in process `pid` (the first of its attempts): recognisable, so a
// later write can remove what a run that died left behind.
std::string atomicTempFileName(const std::string& target, long pid);

}  // namespace tarnwick
