// One number repeated 1..3 times (一/二/三同号复选); hits when the repeated number occurs in
// the draw's numbers written side by side.
#pragma once

#include "plan/plan_kind.h"

namespace k3 {

class SameNumberKind final : public PlanKind {
public:
    void configure(int32_t repeat, std::string_view name);

    std::unique_ptr<PlanKind> clone() const override;
    std::string 取下期预测(int32_t seed) const override;
    bool 验证预测(const std::vector<std::string>& draw, std::string_view prediction) const override;
};

}  // namespace k3
