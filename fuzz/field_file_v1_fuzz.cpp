// libFuzzer target: the old-layout field file reader ("102,102"). Any
// bytes get a status, never a crash; a field it takes is written in the
// current layout, reads back and writes the same again.

#include <cstddef>
#include <cstdint>

#include "core/files/field_file.h"
#include "fuzz_check.h"

using namespace tarnwick;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Field& f = fuzz::blankField(0);
    if (readVersion1Text(fuzz::bytes(data, size), f) != ReadStatus::Ok) return 0;
    fieldScan(f);
    const std::string once = fieldFileText(f);
    Field& back = fuzz::blankField(1);
    require(readFieldText(once, back) == ReadStatus::Ok, "an old field written anew reads back");
    fieldScan(back);
    require(fieldFileText(back) == once, "a field read back writes the same text");
    return 0;
}
