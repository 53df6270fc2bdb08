// One plan: a named, configured kind and its predictions, one row each. Records copy deeply:
// a copy clones the kind and every row, so it stays as it was when the original changes.
#pragma once

#include "plan/plan_kind.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace k3 {

enum class RowState : int32_t { Waiting = 0, Missed = 1, Hit = 2 };

// One prediction covering the periods firstLabel .. lastLabel.
struct PlanRow {
    std::string firstLabel;
    std::string lastLabel;
    RowState state = RowState::Waiting;
    std::string prediction;
    std::string drawLabel;    // label of the latest draw verified against this row, empty before
    std::string drawNumbers;  // that draw's numbers text as received, e.g. "1,3,5"

    bool operator==(const PlanRow&) const = default;
};

struct PlanRecord {
    PlanRecord();
    PlanRecord(const PlanRecord& other);
    PlanRecord& operator=(const PlanRecord& other);
    PlanRecord(PlanRecord&&) noexcept = default;
    PlanRecord& operator=(PlanRecord&&) noexcept = default;
    ~PlanRecord() = default;

    // Rows are kept oldest first; the latest row is rows.back().
    int32_t rowCount() const { return static_cast<int32_t>(rows.size()); }

    std::string name;                // the key records are looked up by (exact equality)
    std::unique_ptr<PlanKind> kind;  // a bare PlanKind until a kind is given; null only once moved from
    int32_t seedOffset = 0;          // 0..16777215, from the digest of name
    std::vector<PlanRow> rows;
    int32_t displayMode = 0;     // DisplayMode value
    int32_t formulaPeriods = 0;  // consecutive periods a new prediction covers
};

}  // namespace k3
