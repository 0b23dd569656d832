#pragma once
// Field files (".fld"): the current layout, which starts with "TW200", and
// the older cell dump, which starts with "102,102".

#include <stdexcept>
#include <string>

#include "core/field/field.h"

namespace tarnwick {

inline constexpr const char* kFieldFileMagic = "TW200";
inline constexpr const char* kFieldFileMagicV1 = "102,102";

enum class FieldFileKind { CannotOpen, NotRecognised, Version1, Current };

// The kind of a field file, from its first line.
FieldFileKind fieldFileKind(const std::string& path);
// The same for bytes already read (never CannotOpen).
FieldFileKind fieldTextKind(const std::string& bytes);

enum class ReadStatus {
    Ok,
    ReadError,         // "Error Reading this File"
    InvalidFieldData,  // "Invalid Field Data" (the old layout)
};

// What the numbers of a field file may hold. Every number is checked before
// it is used; a file that breaks a range is refused whole.
// - readings: plain numbers within +-1,000,000 (feet or meters: nothing on
//   the earth comes near), so no sum of a design can overflow;
// - spacings: whole numbers from 1 to 10,000 (kMinSpacing, kMaxSpacing);
// - rectangles: columns and rows 1 to 130, first <= last; the whole field's
//   record may also be all 0 (a field never designed); sectors at most 7,
//   inside the field's columns and rows, no station in two of them;
// - partial-station weights: 5 % to 200 % (0.05 to 2), or 1 for a whole
//   station;
// - import/export: what its 7-character box holds, -999,999 to 9,999,999;
// - slopes, ratios and average elevations: finite, within +-1e12. The
//   boxes hold less, but a design leaves more in a record (best-fit slopes
//   of a steep field on a small spacing, the ratio a forced elevation
//   leaves), and a file the program wrote must always read back.
inline constexpr double kMaxFileReading = 1e6;
inline constexpr double kMaxDesignValue = 1e12;
inline constexpr double kMinImportExport = -999999;
inline constexpr double kMaxImportExport = 9999999;

// Reads a current-version file's text into a cleared field. On failure the
// field holds part of the file: read into a field of its own and take it
// only on Ok.
ReadStatus readFieldText(const std::string& text, Field& f);
// Reads an old-layout file's text into a cleared field; the same holds.
ReadStatus readVersion1Text(const std::string& text, Field& f);

// The field holds what a field file cannot keep (the reason says what).
class FieldFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The current-version text of the field, lines ending in CR LF. Throws
// SpacingError when a spacing is not a whole number from 1 to 10,000 and
// FieldFileError when anything else would not read back. The column and
// row counts written cover every sector, so a sector left past the last
// reading by a deleted row or column still lies inside the written field.
std::string fieldFileText(const Field& f);

// Names end up in the header line, which has no quoting: commas and line
// breaks in them are replaced by blanks.
std::string headerSafeName(const std::string& name);

}  // namespace tarnwick
