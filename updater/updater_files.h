// The file operations the self-update needs, behind an interface so tests can make them fail.
#pragma once

#include <string>
#include <string_view>

namespace k3 {

class UpdaterFiles {
public:
    virtual ~UpdaterFiles() = default;
    virtual bool exists(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Creates the file with the bytes and makes it executable; false (and no file left behind)
    // when that fails.
    virtual bool writeExecutable(const std::string& path, std::string_view bytes) = 0;
};

// The real file system.
class DiskUpdaterFiles final : public UpdaterFiles {
public:
    bool exists(const std::string& path) override;
    bool remove(const std::string& path) override;
    bool writeExecutable(const std::string& path, std::string_view bytes) override;
};

}  // namespace k3
