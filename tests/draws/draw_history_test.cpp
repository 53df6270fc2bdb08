#include "draws/draw_history.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

std::vector<std::string> row(const std::string& period, const std::string& numbers,
                             const std::string& seed = "7") {
    return {"吉林快三", period, "2026-12-10 08:30:00", numbers, seed};
}

TEST(DrawRecordTest, FromNewestFieldsFillsLastAndNext) {
    const DrawStatus status = fromNewestFields({"吉林快三", "20261210045", "2026-12-10 15:50:00", "1,3,5",
                                                "１２", "吉林快三", "20261210046", "2026-12-10 16:00:00"});
    EXPECT_EQ(status.last.period, "20261210045");
    EXPECT_EQ(status.last.numbers, "1,3,5");
    EXPECT_EQ(status.last.seed, 12);
    EXPECT_EQ(status.next.period, "20261210046");
    EXPECT_EQ(status.next.drawTime, "2026-12-10 16:00:00");
    EXPECT_TRUE(status.next.numbers.empty());
    EXPECT_EQ(status.next.seed, 0);
}

TEST(DrawRecordTest, ShortRowLeavesMissingFieldsEmpty) {
    const DrawRecord record = fromTableRow({"x", "20261210001"});
    EXPECT_EQ(record.period, "20261210001");
    EXPECT_TRUE(record.drawTime.empty());
    EXPECT_TRUE(record.numbers.empty());
    EXPECT_EQ(record.seed, 0);
    EXPECT_EQ(fromTableRow({}), DrawRecord{});
    EXPECT_EQ(fromTableRow(row("1", "1,1,1", "abc")).seed, 0);
}

TEST(DrawHistoryTest, ThirtyRowsGiveFiftyRecords) {
    std::vector<std::vector<std::string>> table;
    for (int i = 0; i < 30; ++i) table.push_back(row(std::to_string(100 - i), "1,2,3"));
    DrawHistory history;
    history.replaceHistory(table, 50);
    ASSERT_EQ(history.size(), 50u);
    EXPECT_EQ(history.at(1).period, "100");
    EXPECT_EQ(history.at(30).period, "71");
    EXPECT_EQ(history.at(31), DrawRecord{});
    EXPECT_EQ(history.at(50), DrawRecord{});
}

TEST(DrawHistoryTest, LongerTableKeepsTheFirstRows) {
    std::vector<std::vector<std::string>> table;
    for (int i = 0; i < 60; ++i) table.push_back(row(std::to_string(i), "1,2,3"));
    DrawHistory history;
    history.insertNewest(fromTableRow(row("old", "6,6,6")));
    history.replaceHistory(table, 50);
    ASSERT_EQ(history.size(), 50u);
    EXPECT_EQ(history.at(1).period, "0");
    EXPECT_EQ(history.at(50).period, "49");
}

TEST(DrawHistoryTest, InsertNewestGrowsAtTheFront) {
    DrawHistory history;
    history.replaceHistory({row("1", "1,1,1")}, 50);
    for (const char* period : {"2", "3", "4"}) history.insertNewest(fromTableRow(row(period, "2,2,2")));
    ASSERT_EQ(history.size(), 53u);
    EXPECT_EQ(history.at(1).period, "4");
    EXPECT_EQ(history.at(3).period, "2");
    EXPECT_EQ(history.at(4).period, "1");
    EXPECT_THROW(history.at(0), std::out_of_range);
    EXPECT_THROW(history.at(54), std::out_of_range);
}

}  // namespace
}  // namespace k3
