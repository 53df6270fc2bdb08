// Number helpers the plan kinds share.
#include "plan/kind_numbers.h"

#include "plan/generator.h"
#include "platform/text.h"

#include <algorithm>

namespace k3 {

std::vector<int32_t> drawDistinctSorted(int32_t count) {
    const auto wanted = static_cast<std::size_t>(std::clamp(count, 0, 6));
    std::vector<int32_t> numbers;
    while (numbers.size() < wanted) {
        const int32_t number = randomInRange(1, 6);
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string twoDigit(int32_t number) { return (number < 10 ? "0" : "") + std::to_string(number); }

int64_t sumOfDraw(const std::vector<std::string>& draw, int32_t first, int32_t count) {
    int64_t sum = 0;
    for (int64_t position = first; position < int64_t{first} + count; ++position) {
        if (position >= 1 && position <= static_cast<int64_t>(draw.size())) {
            sum += textToInt(draw[static_cast<std::size_t>(position - 1)]);
        }
    }
    return sum;
}

}  // namespace k3
