// Atomic replacement of the program file.
#include "updater/program_replacement.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace k3 {

namespace {

constexpr mode_t newProgramMode = 0755;

mode_t programMode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return newProgramMode;
    }
    return info.st_mode & 07777;
}

// After the rename, the directory entry itself has to reach the disk.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string directoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

}  // namespace

ProgramReplacement::ProgramReplacement(std::string programPath) : m_programPath(std::move(programPath)) {}

ProgramReplacement::~ProgramReplacement() { discard(); }

bool ProgramReplacement::open() {
    const std::filesystem::path program(m_programPath);
    std::string pattern = (std::filesystem::path(directoryOf(m_programPath)) /
                           ("." + program.filename().string() + ".update-XXXXXX"))
                              .string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        return false;
    }
    m_tempPath = name.data();
    return true;
}

bool ProgramReplacement::commit() {
    if (m_fd < 0) {
        return false;
    }
    const bool ready = ::fchmod(m_fd, programMode(m_programPath)) == 0 && ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!(ready && closed) || ::rename(m_tempPath.c_str(), m_programPath.c_str()) != 0) {
        discard();
        return false;
    }
    m_tempPath.clear();
    syncDirectory(directoryOf(m_programPath));
    return true;
}

void ProgramReplacement::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

}  // namespace k3
