// libFuzzer target: the old-layout field file reader ("102,102"). Any
// bytes get a status, never a crash; a field it takes is written in the
// current layout, reads back and writes the same again.

#include <cstddef>
#include <cstdint>

#include "core/files/field_file.h"
#include "fuzz_check.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Field& f = fuzz::blankField(0);
    if (readVersion1Text(fuzz::bytes(data, size), f) != ReadStatus::Ok) return 0;
    fuzz::requireRoundTrip(f, "an old field written anew reads back");
    return 0;
}
