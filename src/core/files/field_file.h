#pragma once
// Field files (".fld"): the current layout, which starts with "TW200", and
// the older cell dump, which starts with "102,102".

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
    ReadError,         // "Error Reading this File": what was read so far stays
    InvalidFieldData,  // "Invalid Field Data" (old layout's settings row)
};

// Reads a current-version file's text into a cleared field.
ReadStatus readFieldText(const std::string& text, Field& f);
// Reads an old-layout file's text into a cleared field.
ReadStatus readVersion1Text(const std::string& text, Field& f);

// The current-version text of the field, lines ending in CR LF. Throws
// SpacingError when a spacing is not a whole number.
std::string fieldFileText(const Field& f);

// Names end up in the header line, which has no quoting: commas and line
// breaks in them are replaced by blanks.
std::string headerSafeName(const std::string& name);

}  // namespace tarnwick
