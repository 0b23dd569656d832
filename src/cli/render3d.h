#pragma once
// tarnwick-cli render3d: the 3D View page's picture of a field, into a PNG
// or SVG file.

#include <string>
#include <vector>

namespace tarnwick {

inline constexpr const char* kRender3dUsage =
    "tarnwick-cli render3d FIELD --view survey|full|sector [--angles X,Z] [--size WxH]"
    " (--png OUT.png | --svg OUT.svg) [--json]\n";

// The arguments after "render3d"; the exit code. Painting needs Qt, which
// takes tens of milliseconds to load, so it lives in its own program,
// tarnwick-render3d, beside tarnwick-cli: the other subcommands start
// without Qt.
int render3dCommand(const std::vector<std::string>& args);

// In tarnwick-cli: runs tarnwick-render3d from the folder of the running
// program with these arguments; returns only when it could not be started
// (exit code 1, after a message).
int runRender3d(char** argv);

}  // namespace tarnwick
