// libFuzzer target: the current-version field file reader ("TW200"). Any
// bytes get a status, never a crash; a field it takes writes out, reads
// back, and writes out the same again.

#include <cstddef>
#include <cstdint>

#include "core/files/field_file.h"
#include "fuzz_check.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Field& f = fuzz::blankField(0);
    if (readFieldText(fuzz::bytes(data, size), f) != ReadStatus::Ok) return 0;
    fuzz::requireRoundTrip(f, "a written field reads back");
    return 0;
}
