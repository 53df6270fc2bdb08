// Deep copies of plan records: the kind is cloned, never shared.
#include "plan/plan_record.h"

namespace k3 {

PlanRecord::PlanRecord() : kind(std::make_unique<PlanKind>()) {}

PlanRecord::PlanRecord(const PlanRecord& other)
    : name(other.name),
      kind(other.kind ? other.kind->clone() : std::make_unique<PlanKind>()),
      seedOffset(other.seedOffset),
      rows(other.rows),
      displayMode(other.displayMode),
      formulaPeriods(other.formulaPeriods) {}

PlanRecord& PlanRecord::operator=(const PlanRecord& other) {
    if (this != &other) {
        PlanRecord copy(other);
        *this = std::move(copy);
    }
    return *this;
}

}  // namespace k3
