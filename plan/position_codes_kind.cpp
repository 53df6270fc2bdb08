// N distinct numbers for one position of the draw.
#include "plan/position_codes_kind.h"

#include "plan/generator.h"
#include "plan/kind_numbers.h"
#include "platform/text.h"

namespace k3 {

void PositionCodesKind::configure(int32_t position, int32_t count, std::string_view name) {
    m_param1 = position;
    m_param2 = count;
    setDisplayMode(static_cast<int32_t>(count <= 3 ? DisplayMode::Compact : DisplayMode::Detailed));
    setName(name);
}

std::unique_ptr<PlanKind> PositionCodesKind::clone() const {
    return std::make_unique<PositionCodesKind>(*this);
}

std::string PositionCodesKind::取下期预测(int32_t seed) const {
    setRandomSeed(static_cast<uint32_t>(seed));
    std::vector<std::string> codes;
    for (int32_t number : drawDistinctSorted(m_param2)) {
        codes.push_back(twoDigit(number));
    }
    return joinText(codes, " ");
}

bool PositionCodesKind::验证预测(const std::vector<std::string>& draw, std::string_view prediction) const {
    if (m_param1 < 1 || m_param1 > static_cast<int32_t>(draw.size())) {
        return false;
    }
    return containsText(prediction, draw[static_cast<std::size_t>(m_param1 - 1)]);
}

}  // namespace k3
