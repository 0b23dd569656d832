#pragma once
// Runs tarnwick-cli as a whole process through the shell and collects what
// it printed and its exit status.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "core/base/text_file.h"

namespace tarnwick::test {

struct CliRun {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// `args` after the program, `env` (VAR=value ...) before it; standard
// output goes to `stdoutTo` when given.
inline CliRun cli(const std::string& args, const std::string& env = {}, const std::string& stdoutTo = {}) {
    const auto errFile = std::filesystem::temp_directory_path() / ("tarnwick-cli-err-" + std::to_string(::getpid()));
    std::string command = env + " " + std::string(TARNWICK_CLI) + " " + args + " 2>" + errFile.string();
    if (!stdoutTo.empty()) command += " >" + stdoutTo;
    CliRun r;
    std::unique_ptr<FILE, int (*)(FILE*)> p(popen(command.c_str(), "r"), pclose);
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p.get())) > 0) r.out.append(buf, n);
    const int status = pclose(p.release());
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = readWholeFile(errFile.string()).value_or("");
    std::filesystem::remove(errFile);
    return r;
}

// A field file name in the temporary folder, one per test process.
inline std::string tempField(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("tarnwick-cli-") + name + "-" + std::to_string(::getpid()) + ".fld"))
        .string();
}

}  // namespace tarnwick::test
