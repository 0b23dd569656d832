#pragma once
// A small tmpfs mounted on a folder for the length of a test, to make a
// disk full or read-only for real. Only root may mount: a test skips when
// mounted() is false.

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tarnwick::test {

class SmallDisk {
public:
    explicit SmallDisk(const std::string& where, const char* options = "size=64k") : where_(where) {
        mounted_ = ::mount("tmpfs", where.c_str(), "tmpfs", 0, options) == 0;
        error_ = mounted_ ? "" : std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    bool makeReadOnly() { return ::mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    std::string where_;
    bool mounted_ = false;
    std::string error_;
};

}  // namespace tarnwick::test
