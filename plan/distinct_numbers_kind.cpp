// Four distinct numbers, of which a required count must be drawn.
#include "plan/distinct_numbers_kind.h"

#include "plan/generator.h"
#include "plan/kind_numbers.h"
#include "platform/text.h"

#include <algorithm>

namespace k3 {

void DistinctNumbersKind::configure(int32_t required, int32_t count, std::string_view name) {
    m_param1 = required;
    m_param2 = count;
    setName(name);
}

std::unique_ptr<PlanKind> DistinctNumbersKind::clone() const {
    return std::make_unique<DistinctNumbersKind>(*this);
}

std::string DistinctNumbersKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    std::vector<std::string> numbers;
    for (int32_t number : drawDistinctSorted(m_param2)) {
        numbers.push_back(std::to_string(number));
    }
    return joinText(numbers, ",");
}

bool DistinctNumbersKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    int32_t matches = 0;
    for (const std::string& part : splitText(prediction, ",")) {
        if (std::find(draw.begin(), draw.end(), part) != draw.end()) {
            ++matches;
        }
    }
    return matches >= m_param1;
}

}  // namespace k3
