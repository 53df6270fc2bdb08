// Odd or even sum of the draw.
#include "plan/sum_odd_even_kind.h"

#include "plan/generator.h"
#include "plan/kind_numbers.h"

namespace k3 {

void SumOddEvenKind::configure(int32_t first, int32_t count, std::string_view name) {
    m_param1 = first;
    m_param2 = count;
    setName(name);
}

std::unique_ptr<PlanKind> SumOddEvenKind::clone() const { return std::make_unique<SumOddEvenKind>(*this); }

std::string SumOddEvenKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    return randomInRange(1, 2) == 1 ? "单" : "双";
}

bool SumOddEvenKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    const bool odd = sumOfDraw(draw, m_param1, m_param2) % 2 != 0;
    return prediction == (odd ? "单" : "双");
}

}  // namespace k3
