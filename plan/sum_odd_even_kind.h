// Odd (单) or even (双) sum of the draw's numbers (和值单双).
#pragma once

#include "plan/plan_kind.h"

namespace k3 {

class SumOddEvenKind final : public PlanKind {
public:
    void configure(int32_t first, int32_t count, std::string_view name);

    std::unique_ptr<PlanKind> clone() const override;
    std::string 取下期预测(int32_t seed) const override;
    bool 验证预测(const std::vector<std::string>& draw, std::string_view prediction) const override;
};

}  // namespace k3
