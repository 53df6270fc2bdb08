// N distinct numbers for one position of the draw (百 = 1, 十 = 2, 个 = 3), as in 百位定3码.
// Few codes print compactly; four and more print in the detailed layout.
#pragma once

#include "plan/plan_kind.h"

namespace k3 {

class PositionCodesKind final : public PlanKind {
public:
    void configure(int32_t position, int32_t count, std::string_view name);

    std::unique_ptr<PlanKind> clone() const override;
    std::string 取下期预测(int32_t seed) const override;
    bool 验证预测(const std::vector<std::string>& draw, std::string_view prediction) const override;
};

}  // namespace k3
