// The new program file is written beside the old one and swapped in with one rename, so the old
// program stays whole until the new one is complete.
#pragma once

#include <string>

namespace k3 {

class ProgramReplacement {
public:
    explicit ProgramReplacement(std::string programPath);
    ~ProgramReplacement();
    ProgramReplacement(const ProgramReplacement&) = delete;
    ProgramReplacement& operator=(const ProgramReplacement&) = delete;

    // Creates the temporary file in the program's directory; false when that is not writable.
    bool open();
    // The temporary file, open for writing after open().
    int fd() const { return m_fd; }
    // Gives the new file the old one's permissions (0755 when there was none), flushes it and
    // renames it over the program file. False when that fails; the old file is then untouched.
    bool commit();

private:
    void discard();

    std::string m_programPath;
    std::string m_tempPath;
    int m_fd = -1;
};

}  // namespace k3
