// Reading the draw history out of the raw reply text by positions, as the service lays it out:
// the outer "data" member comes last, its string holding an object whose "data" holds the rows.
#include "service/draw_table.h"

#include "platform/text.h"

#include <cstdint>

namespace k3 {
namespace {

// Skips the inner name, its backslash, quote, colon and the opening escaped quote.
constexpr int64_t kInnerValueOffset = 9;

// 1-based position, -1 when missing.
int64_t positionOf(size_t found) { return found == std::string::npos ? -1 : static_cast<int64_t>(found) + 1; }

}  // namespace

void extractInnerData(std::string& text) {
    const int64_t innerName = positionOf(text.find("data\\"));
    const int64_t closing = positionOf(text.rfind("\"}\""));
    const int64_t start = innerName + kInnerValueOffset;
    const int64_t length = closing - start - 1;  // the -1 drops the closing quote's backslash
    const auto size = static_cast<int64_t>(text.size());
    if (start < 1 || start > size || length <= 0) {
        text.clear();
        return;
    }
    text = replaceAll(text.substr(start - 1, length), "\\\\r\\\\n", "\r\n");
}

bool parseDrawTable(std::string_view text, DrawTable& table) {
    if (text.empty()) {
        return false;
    }
    const std::vector<std::string> rows = splitText(text, "\r\n");
    std::vector<std::string> pieces;
    for (const std::string& row : rows) {
        for (std::string& piece : splitText(row, "|+|")) {
            pieces.push_back(std::move(piece));
        }
    }
    const size_t columns = rows.empty() ? 0 : pieces.size() / rows.size();
    if (columns == 0) {
        return false;
    }
    table.assign(rows.size(), {});
    for (size_t r = 0; r < rows.size(); ++r) {
        table[r].assign(pieces.begin() + r * columns, pieces.begin() + (r + 1) * columns);
    }
    return true;
}

}  // namespace k3
