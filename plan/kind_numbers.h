// Number helpers the plan kinds share: distinct dice numbers, the two-digit form and draw sums.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k3 {

// count distinct numbers 1..6 drawn from the shared generator (a repeat is drawn again),
// ascending. At most six can be distinct, so a larger count gives six.
std::vector<int32_t> drawDistinctSorted(int32_t count);

// "0" in front of numbers below 10.
std::string twoDigit(int32_t number);

// Sum of the integer values of draw elements first .. first + count - 1 (1-based); elements
// outside the draw add nothing.
int64_t sumOfDraw(const std::vector<std::string>& draw, int32_t first, int32_t count);

}  // namespace k3
