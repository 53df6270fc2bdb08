// Writes a file so that readers see either the old content or the whole new one: the bytes go
// to a temporary file beside it, which replaces the old file only once it is complete.
#pragma once

#include <filesystem>
#include <string_view>

namespace k3 {

class ReplacingFile {
public:
    // Creates the temporary file in target's directory; isOpen() tells whether that worked.
    explicit ReplacingFile(std::filesystem::path target);
    // A file that was never committed is removed; the target stays as it was.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    bool write(std::string_view bytes);
    // Flushes the bytes to the disk and puts the file in the target's place.
    bool commit();

private:
    void discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_descriptor = -1;
    bool m_failed = false;
};

// The whole content of a file, replaced in one step; false when anything failed (the old file
// is then unchanged).
bool replaceFileContent(const std::filesystem::path& target, std::string_view bytes);

}  // namespace k3
