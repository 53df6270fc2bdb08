// The self-update's file operations on the real file system.
#include "updater/updater_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k3 {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

bool DiskUpdaterFiles::exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool DiskUpdaterFiles::remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool DiskUpdaterFiles::writeExecutable(const std::string& path, std::string_view bytes) {
    // O_EXCL: never write through a file (or link) that appeared in the meantime.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0755);
    if (fd < 0) {
        return false;
    }
    // The umask may have taken bits away; the updater must be runnable.
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, 0755) == 0;
    const bool closed = ::close(fd) == 0;
    if (!(written && closed)) {
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

}  // namespace k3
