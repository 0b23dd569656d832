// tarnwick-cli render3d hands over to tarnwick-render3d, the program beside
// it that links Qt to paint the 3D view.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "cli/render3d.h"

namespace tarnwick {

int runRender3d(char** argv) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        std::cerr << "tarnwick-cli: cannot find its own folder: " << ec.message() << "\n";
        return 1;
    }
    const std::string painter = (self.parent_path() / "tarnwick-render3d").string();
    // argv[0] is "render3d": the painter takes the same words as the subcommand.
    execv(painter.c_str(), argv);
    std::cerr << "tarnwick-cli: cannot start " << painter << ": " << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace tarnwick
