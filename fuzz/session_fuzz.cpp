// libFuzzer target: a field file through the whole program. Open takes
// the bytes or refuses them; a field it takes is designed, reported,
// saved, opened again and saved again: the two saved files are the same,
// and a file that saves as itself designs to the same result again.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "core/base/text_file.h"
#include "core/session/design_report.h"
#include "core/session/prompt.h"
#include "core/session/session.h"
#include "fuzz_check.h"

using namespace tarnwick;
using fuzz::require;

namespace {

// A folder of its own, in memory where the machine has one.
const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                              : std::filesystem::temp_directory_path();
        std::filesystem::path d = base / ("tarnwick-session-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::string file(const char* name) { return (folder() / name).string(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string x = fuzz::bytes(data, size);
    require(static_cast<bool>(writeFileAtomically(file("x.fld"), x)), "the input is written");

    SilentPrompt prompt;
    Session first(prompt);
    if (!first.openField(file("x.fld"))) return 0;
    const std::string report = designJson(first);
    require(!designSummaryText(first).empty(), "a design summary");
    require(first.writeField(file("y.fld")), "a field that opened saves");

    Session second(prompt);
    require(second.openField(file("y.fld")), "a saved field opens");
    require(second.writeField(file("z.fld")), "a reopened field saves");
    const std::string y = readWholeFile(file("y.fld")).value_or(""), z = readWholeFile(file("z.fld")).value_or("");
    require(y == z, "saving a saved field again changes nothing");
    if (x == y) require(designJson(second) == report, "the same file designs to the same result");
    return 0;
}
