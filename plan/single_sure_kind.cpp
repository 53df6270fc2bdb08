// N single numbers, repetitions allowed.
#include "plan/single_sure_kind.h"

#include "plan/generator.h"
#include "platform/text.h"

#include <algorithm>

namespace k3 {

void SingleSureKind::configure(int32_t count, std::string_view name) {
    m_param1 = count;
    setName(name);
}

std::unique_ptr<PlanKind> SingleSureKind::clone() const { return std::make_unique<SingleSureKind>(*this); }

std::string SingleSureKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    std::string prediction;
    const int32_t count = std::max(m_param1, 1);
    for (int32_t i = 0; i < count; ++i) {
        prediction += (i == 0 ? "0" : ",0") + std::to_string(randomInRange(1, 6));
    }
    return prediction;
}

bool SingleSureKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    const std::size_t tested = std::min<std::size_t>(draw.size(), 3);
    return std::any_of(draw.begin(), draw.begin() + static_cast<std::ptrdiff_t>(tested),
                       [&](const std::string& number) { return containsText(prediction, number); });
}

}  // namespace k3
