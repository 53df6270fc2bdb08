#include "server/draw_store.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace k3 {
namespace {

StoredDraw draw(const std::string& period, const std::string& numbers, int32_t seed) {
    return {{"吉林快三", period, "2026-12-10 08:30:00", numbers, seed}, 1000 + seed};
}

std::vector<std::string> periodsOf(const std::vector<StoredDraw>& draws) {
    std::vector<std::string> periods;
    for (const StoredDraw& d : draws) {
        periods.push_back(d.record.period);
    }
    return periods;
}

class DrawStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<DrawStore> open() {
        std::string error;
        std::unique_ptr<DrawStore> store = DrawStore::open(m_dir.file("draws.sqlite3"), error);
        EXPECT_TRUE(store) << error;
        return store;
    }

    test::TempDir m_dir;
};

TEST_F(DrawStoreTest, KeepsDrawsAcrossReopeningNewestFirst) {
    {
        auto store = open();
        ASSERT_TRUE(store->append({draw("20261209082", "1,2,3", 1), draw("20261210001", "2,2,6", 2)}));
        ASSERT_TRUE(store->append({draw("20261210002", "4,5,6", 3)}));
    }
    auto store = open();
    const std::vector<StoredDraw> latest = store->latest(10);
    EXPECT_EQ(periodsOf(latest), (std::vector<std::string>{"20261210002", "20261210001", "20261209082"}));
    EXPECT_EQ(latest[1], draw("20261210001", "2,2,6", 2));
    EXPECT_EQ(periodsOf(store->latest(2)), (std::vector<std::string>{"20261210002", "20261210001"}));
    EXPECT_EQ(periodsOf(store->ofDay("20261210")), (std::vector<std::string>{"20261210002", "20261210001"}));
    EXPECT_TRUE(store->ofDay("20261211").empty());
    EXPECT_EQ(store->find("20261209082"), draw("20261209082", "1,2,3", 1));
    EXPECT_EQ(store->find("20261209081"), std::nullopt);
}

TEST_F(DrawStoreTest, ADuplicatePeriodRollsBackTheWholeBatch) {
    auto store = open();
    ASSERT_TRUE(store->append({draw("20261210001", "1,1,1", 1)}));
    EXPECT_FALSE(store->append({draw("20261210002", "1,1,2", 2), draw("20261210001", "1,1,3", 3)}));
    EXPECT_EQ(periodsOf(store->latest(10)), (std::vector<std::string>{"20261210001"}));
}

TEST_F(DrawStoreTest, TheFileIsInWriteAheadLogMode) {
    open();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_dir.file("draws.sqlite3").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "wal");
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

TEST_F(DrawStoreTest, AnUnwritablePlaceIsReportedNotOpened) {
    std::string error;
    EXPECT_EQ(DrawStore::open(m_dir.file("missing/dir/draws.sqlite3"), error), nullptr);
    EXPECT_NE(error.find("missing/dir/draws.sqlite3"), std::string::npos) << error;
}

}  // namespace
}  // namespace k3
