#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace k3::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "k3-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed for " + pattern);
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // A test may have taken away the owner's rights to check a folder nobody can write.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace k3::test
