// Three-digit period labels and their wrap at the end of the day.
#include "plan/period_label.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace k3 {
namespace {

struct LabelCase {
    std::string period;
    int32_t offset;
    int32_t periodsPerDay;
    std::string expected;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << c.period << " + " << c.offset << " of " << c.periodsPerDay;
}

class PeriodLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(PeriodLabelTest, Label) {
    const LabelCase& c = GetParam();
    EXPECT_EQ(periodLabel(c.period, c.offset, c.periodsPerDay), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, PeriodLabelTest,
    ::testing::Values(LabelCase{"20261210045", 0, 82, "045"}, LabelCase{"20261210045", 1, 82, "046"},
                      LabelCase{"20261210082", 0, 82, "082"}, LabelCase{"20261210082", 1, 82, "001"},
                      LabelCase{"20261210082", 3, 82, "003"}, LabelCase{"20261210081", 2, 82, "001"},
                      LabelCase{"20261210009", 0, 82, "009"}, LabelCase{"20261210010", 0, 82, "010"},
                      LabelCase{"20261210045", 164, 82, "045"}, LabelCase{"20261210099", 0, 82, "017"},
                      LabelCase{"20261210099", 0, 100, "099"}, LabelCase{"20261210099", 1, 100, "100"},
                      LabelCase{"20261210045", std::numeric_limits<int32_t>::max(), 82, "042"},
                      LabelCase{"20261210045", 60, 0, "105"}, LabelCase{"5", 0, 82, "005"},
                      LabelCase{"", 1, 82, "001"}, LabelCase{"ab", 0, 82, "000"},
                      LabelCase{"2026121004x", 0, 82, "004"}, LabelCase{"-5", 0, 82, "00-5"}));

}  // namespace
}  // namespace k3
