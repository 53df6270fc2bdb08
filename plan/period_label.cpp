// Three-digit period labels within the day.
#include "plan/period_label.h"

#include "platform/text.h"

namespace k3 {

std::string periodLabel(std::string_view period, int32_t offset, int32_t periodsPerDay) {
    const std::string_view lastTwo = period.substr(period.size() < 2 ? 0 : period.size() - 2);
    int64_t number = int64_t{textToInt(lastTwo)} + offset;
    if (periodsPerDay >= 1 && number > periodsPerDay) {
        // Same as taking periodsPerDay off until the number fits, without the long loop.
        number = (number - 1) % periodsPerDay + 1;
    }
    if (number < 10) {
        return "00" + std::to_string(number);
    }
    if (number < 100) {
        return "0" + std::to_string(number);
    }
    return std::to_string(number);
}

}  // namespace k3
