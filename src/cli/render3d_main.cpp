// tarnwick-render3d: the painter behind `tarnwick-cli render3d`.

#include <string>
#include <vector>

#include "cli/render3d.h"

int main(int argc, char** argv) {
    // argv[1] is "render3d" when tarnwick-cli hands over; allow it to be left out.
    int first = (argc > 1 && std::string(argv[1]) == "render3d") ? 2 : 1;
    return tarnwick::render3dCommand(std::vector<std::string>(argv + first, argv + argc));
}
