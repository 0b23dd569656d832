// libFuzzer target: the field file readers must answer any bytes with a
// status, never a crash, and what they read must write out again.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/field_file.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Field current;
    readFieldText(text, current);
    fieldScan(current);
    try {
        (void)fieldFileText(current);
    } catch (const SpacingError&) {
    }
    Field old;
    readVersion1Text(text, old);
    fieldScan(old);
    return 0;
}
