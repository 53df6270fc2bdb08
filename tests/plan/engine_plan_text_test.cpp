// The plan text, byte for byte: period part, title, name, prediction and result per row.
#include "plan/plan_manager.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace k3 {
namespace {

PlanRecord makeRecord(std::string name, DisplayMode mode, int32_t formulaPeriods, std::vector<PlanRow> rows) {
    PlanRecord record;
    record.name = std::move(name);
    record.displayMode = static_cast<int32_t>(mode);
    record.formulaPeriods = formulaPeriods;
    record.rows = std::move(rows);
    return record;
}

const std::vector<PlanRow> kThreePeriodRows = {
    {"045", "047", RowState::Hit, "03", "046", "1,3,5"},
    {"047", "049", RowState::Missed, "05", "049", "2,2,4"},
    {"050", "052", RowState::Waiting, "02", "", ""},
};

const std::vector<PlanRow> kOnePeriodRows = {
    {"046", "046", RowState::Hit, "03", "046", "1,3,5"},
    {"047", "047", RowState::Missed, "06", "047", "2,2,4"},
    {"048", "048", RowState::Waiting, "01", "", ""},
};

const std::vector<PlanRow> kCompactRows = {
    {"046", "048", RowState::Hit, "01 03 05", "047", "1,3,5"},
    {"048", "050", RowState::Waiting, "02 03 05", "", ""},
};

struct TextCase {
    std::string label;
    PlanRecord record;
    std::string title;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.label; }

class PlanTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(PlanTextTest, Formats) {
    const TextCase& c = GetParam();
    EXPECT_EQ(PlanManager::formatPlan(c.record, c.title), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, PlanTextTest,
    ::testing::Values(
        TextCase{"DetailedThreePeriods", makeRecord("独胆定1码", DisplayMode::Detailed, 3, kThreePeriodRows),
                 "",
                 "045-047期 独胆定1码【03】 <046期-1,3,5>→中\r\n"
                 "047-049期 独胆定1码【05】 挂\r\n"
                 "050-052期 独胆定1码【02】 等开\r\n"},
        TextCase{"DetailedOnePeriod", makeRecord("独胆定1码", DisplayMode::Detailed, 1, kOnePeriodRows), "",
                 "046期 独胆定1码【03】 <046期-1,3,5>→中\r\n"
                 "047期 独胆定1码【06】 <047期-2,2,4>→无\r\n"
                 "048期 独胆定1码【01】 等开\r\n"},
        TextCase{"CompactEndsWithThePrediction",
                 makeRecord("百位定3码", DisplayMode::Compact, 3, kCompactRows), "",
                 "046-048期 百位定3码 <047期-1,3,5>→中\r\n"
                 "048-050期 百位定3码 等开\r\n"
                 "\r\n"
                 "\r\n"
                 " 02 03 05\r\n"},
        TextCase{"PeriodsReadWhenFormatted",
                 makeRecord("独胆定1码", DisplayMode::Detailed, 1, kThreePeriodRows), "",
                 "045期 独胆定1码【03】 <046期-1,3,5>→中\r\n"
                 "047期 独胆定1码【05】 <049期-2,2,4>→无\r\n"
                 "050期 独胆定1码【02】 等开\r\n"},
        TextCase{"WaitingRowHidesItsDraw",
                 makeRecord("X", DisplayMode::Detailed, 3,
                            {{"046", "048", RowState::Waiting, "04", "047", "2,5,6"}}),
                 "", "046-048期 X【04】 等开\r\n"},
        TextCase{"TitleBeforeTheName",
                 makeRecord("和值大小", DisplayMode::Compact, 2,
                            {{"010", "011", RowState::Missed, "大", "011", "1,1,2"},
                             {"012", "013", RowState::Waiting, "小", "", ""}}),
                 "吉林",
                 "010-011期 吉林和值大小 挂\r\n"
                 "012-013期 吉林和值大小 等开\r\n"
                 "\r\n"
                 "\r\n"
                 " 小\r\n"},
        TextCase{"NoRowsDetailed", makeRecord("独胆定1码", DisplayMode::Detailed, 3, {}), "", ""},
        TextCase{"NoRowsCompact", makeRecord("百位定3码", DisplayMode::Compact, 3, {}), "", ""}),
    [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace k3
