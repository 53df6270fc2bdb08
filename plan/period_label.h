// Three-digit labels of a period's number within the day ("001" .. "082"), taken from the last
// two digits of the period text and wrapped at the number of periods per day.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k3 {

// The label of the period offset places after period. Labels above periodsPerDay wrap to the
// next day (…082 + 1 gives "001"); a periodsPerDay below 1 disables the wrap.
std::string periodLabel(std::string_view period, int32_t offset, int32_t periodsPerDay);

}  // namespace k3
