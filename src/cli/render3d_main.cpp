// tarnwick-render3d: the painter behind `tarnwick-cli render3d`.

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/render3d.h"

int main(int argc, char** argv) {
    // argv[1] is "render3d" when tarnwick-cli hands over; allow it to be left out.
    int first = (argc > 1 && std::string(argv[1]) == "render3d") ? 2 : 1;
    // Nothing escapes, as from tarnwick-cli itself: a message and status 1.
    try {
        return tarnwick::render3dCommand(std::vector<std::string>(argv + first, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fputs("tarnwick-cli: error: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarnwick-cli: error: %s\n", e.what());
    }
    return 1;
}
