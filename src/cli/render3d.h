#pragma once
// tarnwick-cli render3d: the 3D View page's picture of a field, into a PNG
// or SVG file.

#include <string>
#include <vector>

namespace tarnwick {

extern const char* const kRender3dUsage;

// The arguments after "render3d"; the exit code.
int render3dCommand(const std::vector<std::string>& args);

}  // namespace tarnwick
