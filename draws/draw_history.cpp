#include "draws/draw_history.h"

#include <algorithm>
#include <stdexcept>

namespace k3 {

void DrawHistory::replaceHistory(const std::vector<std::vector<std::string>>& table, std::size_t count) {
    m_records.assign(count, DrawRecord{});
    const std::size_t rows = std::min(table.size(), count);
    for (std::size_t r = 0; r < rows; ++r) {
        m_records[r] = fromTableRow(table[r]);
    }
}

void DrawHistory::insertNewest(const DrawRecord& record) { m_records.push_front(record); }

const DrawRecord& DrawHistory::at(std::size_t position) const {
    if (position < 1 || position > m_records.size()) {
        throw std::out_of_range("DrawHistory::at: position out of range");
    }
    return m_records[position - 1];
}

}  // namespace k3
