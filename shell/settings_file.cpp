#include "shell/settings_file.h"

#include <fstream>
#include <optional>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/text.h"
#include "shell/profile_text.h"
#include "shell/replacing_file.h"

namespace k3 {
namespace {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return content.str();
}

// Holds an exclusive lock on the folder while a program of the family reads, changes and
// replaces the file, so that two of them writing at once do not drop each other's change. A
// folder that cannot be locked is written without the lock.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder)
        : m_descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_descriptor >= 0) {
            ::flock(m_descriptor, LOCK_EX);
        }
    }
    ~FolderLock() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);  // releases the lock
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_descriptor;
};

}  // namespace

void SettingsFile::prepareSettings(const std::filesystem::path& directory) {
    m_path =
        directory / std::filesystem::path(std::u8string(kSettingsFileName.begin(), kSettingsFileName.end()));
}

std::string SettingsFile::readSetting(std::string_view key, std::string_view defaultValue) const {
    const std::optional<std::string> file = readWholeFile(m_path);
    const std::optional<std::string> section = utf8ToGbk(m_section);
    const std::optional<std::string> gbkKey = utf8ToGbk(key);
    if (!file || !section || !gbkKey) {
        return std::string(defaultValue);
    }
    const std::optional<std::string> value = findProfileValue(*file, *section, *gbkKey);
    if (!value) {
        return std::string(defaultValue);
    }
    return gbkToUtf8(*value).value_or(std::string(defaultValue));
}

bool SettingsFile::writeSetting(std::string_view key, std::string_view value) {
    const std::optional<std::string> section = utf8ToGbk(m_section);
    const std::optional<std::string> gbkKey = utf8ToGbk(key);
    const std::optional<std::string> gbkValue = utf8ToGbk(value);
    if (!section || !gbkKey || !gbkValue || m_path.empty()) {
        return false;
    }
    const FolderLock lock(m_path.parent_path());
    std::error_code error;
    const bool exists = std::filesystem::exists(m_path, error);
    const std::optional<std::string> old = exists ? readWholeFile(m_path) : std::string();
    if (!old) {
        return false;  // an unreadable file is left alone rather than overwritten
    }
    return replaceFileContent(m_path, withProfileValue(*old, *section, *gbkKey, *gbkValue));
}

}  // namespace k3
