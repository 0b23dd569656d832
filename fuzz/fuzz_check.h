#pragma once
// What every fuzz target may insist on: a broken promise is a finding,
// reported like a crash so the fuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/field/field.h"
#include "core/files/field_file.h"

namespace tarnwick::fuzz {

inline void require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

inline std::string bytes(const unsigned char* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// One of two fields kept between inputs, made blank again: a fresh field
// of 131 x 131 cells for every input would cost more than the reading, and
// clearing touches only the cells that hold text.
inline Field& blankField(int which) {
    static Field kept[2];
    static const int fullDesignRows = Field{}.fullDesignRows;
    Field& f = kept[which];
    clearField(f);  // cells, pictures, counters, sectors, blend boxes
    f.FieldData.clear();
    f.DesignRecords = {};
    f.prefs = Preferences{};
    f.fieldName.clear();
    f.customerName.clear();
    f.RowAverages.clear();
    f.ColAverages.clear();
    f.MaxReading = 0;
    f.MinReading = 999;
    f.fullDesignRows = fullDesignRows;
    return f;
}

// A field a reader took: it writes out, reads back as the current layout,
// and writes out the same text again. `promise` names the first step.
inline void requireRoundTrip(Field& f, const char* promise) {
    fieldScan(f);
    const std::string once = fieldFileText(f);  // throws (a finding) on what would not read back
    Field& back = blankField(1);
    require(readFieldText(once, back) == ReadStatus::Ok, promise);
    fieldScan(back);
    require(fieldFileText(back) == once, "a field read back writes the same text");
}

}  // namespace tarnwick::fuzz
