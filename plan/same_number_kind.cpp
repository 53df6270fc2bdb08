// One number repeated 1..3 times.
#include "plan/same_number_kind.h"

#include "plan/generator.h"
#include "platform/text.h"

namespace k3 {

void SameNumberKind::configure(int32_t repeat, std::string_view name) {
    m_param1 = repeat;
    setName(name);
}

std::unique_ptr<PlanKind> SameNumberKind::clone() const { return std::make_unique<SameNumberKind>(*this); }

std::string SameNumberKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    const std::string number = std::to_string(randomInRange(1, 6));
    std::string prediction;
    for (int32_t i = 0; i < m_param1; ++i) {
        prediction += number;
    }
    return prediction;
}

bool SameNumberKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    return containsText(joinText(draw, ""), prediction);
}

}  // namespace k3
