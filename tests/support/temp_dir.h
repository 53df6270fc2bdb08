// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test is done.
#pragma once

#include <filesystem>
#include <string>

namespace k3::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The path of a file named name inside the folder.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace k3::test
