// Recent draws, newest at position 1.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "draws/draw_record.h"

namespace k3 {

class DrawHistory {
public:
    // Makes the history exactly count records: row r of the table (newest first) at position r,
    // empty records after the last row; rows beyond count are ignored.
    void replaceHistory(const std::vector<std::vector<std::string>>& table, std::size_t count);
    // Puts a copy at position 1; every older record moves one position down.
    void insertNewest(const DrawRecord& record);

    std::size_t size() const { return m_records.size(); }
    // 1-based; position must be within 1..size().
    const DrawRecord& at(std::size_t position) const;
    void clear() { m_records.clear(); }

private:
    std::deque<DrawRecord> m_records;
};

}  // namespace k3
