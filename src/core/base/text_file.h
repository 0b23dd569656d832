#pragma once
// Plain text files: whole-file reads with line splitting that takes LF,
// CR LF and CR alike, old 8-bit text turned into UTF-8, and writes that go
// to a temporary file first and replace the target only when complete.

#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The file's bytes, or nothing when it cannot be opened.
std::optional<std::string> readWholeFile(const std::string& path);

// UTF-8 text as it is; any other bytes are taken as Latin-1.
std::string toUtf8(const std::string& bytes);

// Lines without their endings. A final line ending does not start another
// line.
std::vector<std::string> splitLines(const std::string& text);

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`. False (and `path` untouched) when any step fails.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace tarnwick
