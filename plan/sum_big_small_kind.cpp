// Big or small sum of the draw: big is above 10.
#include "plan/sum_big_small_kind.h"

#include "plan/generator.h"
#include "plan/kind_numbers.h"

namespace k3 {

void SumBigSmallKind::configure(int32_t first, int32_t count, std::string_view name) {
    m_param1 = first;
    m_param2 = count;
    setName(name);
}

std::unique_ptr<PlanKind> SumBigSmallKind::clone() const { return std::make_unique<SumBigSmallKind>(*this); }

std::string SumBigSmallKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    return randomInRange(1, 2) == 1 ? "小" : "大";
}

bool SumBigSmallKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    return prediction == (sumOfDraw(draw, m_param1, m_param2) > 10 ? "大" : "小");
}

}  // namespace k3
