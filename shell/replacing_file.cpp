#include "shell/replacing_file.h"

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k3 {
namespace {

// The new file keeps the old one's permissions; mkstemp alone would make it private.
void copyPermissions(const std::filesystem::path& from, int descriptor) {
    struct stat status {};
    if (::stat(from.c_str(), &status) == 0) {
        ::fchmod(descriptor, status.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(descriptor, 0666 & ~mask);
    }
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : m_target(std::move(target)) {
    std::string pattern = m_target.string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_descriptor = ::mkstemp(name.data());
    if (m_descriptor < 0) {
        return;
    }
    m_temporary = name.data();
    copyPermissions(m_target, m_descriptor);
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::write(std::string_view bytes) {
    while (isOpen() && !m_failed && !bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failed = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return isOpen() && !m_failed;
}

bool ReplacingFile::commit() {
    if (!isOpen() || m_failed || ::fsync(m_descriptor) != 0) {
        discard();
        return false;
    }
    const bool closed = ::close(m_descriptor) == 0;
    m_descriptor = -1;
    if (!closed || ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
        return false;
    }
    m_temporary.clear();
    return true;
}

void ReplacingFile::discard() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

bool replaceFileContent(const std::filesystem::path& target, std::string_view bytes) {
    ReplacingFile file(target);
    return file.write(bytes) && file.commit();
}

}  // namespace k3
