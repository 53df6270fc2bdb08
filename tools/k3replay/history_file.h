// The saved draw history that k3replay reads: the service's draw table, one draw a line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

using DrawTable = std::vector<std::vector<std::string>>;

// One row per non-blank line (CRLF or LF), its fields split at "|+|"; newest first as written.
DrawTable parseDrawTable(std::string_view text);

struct HistoryFile {
    std::optional<DrawTable> table;  // none when the file could not be used
    std::string error;
};

// Reads and parses the file, or standard input for "-". The text must be UTF-8; a leading
// byte-order mark is dropped.
HistoryFile readHistoryFile(const std::string& path);

}  // namespace k3
