// k3replay's command line and history file, read without running the tool.
#include "tools/k3replay/history_file.h"
#include "tools/k3replay/replay_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace k3 {
namespace {

TEST(ReplayArguments, DefaultsWithOnlyAFile) {
    const ParsedArguments parsed = parseReplayArguments({"draws.txt"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->spec, "独胆定1码");
    EXPECT_EQ(parsed.options->periods, 3);
    EXPECT_EQ(parsed.options->live, 0u);
    EXPECT_FALSE(parsed.options->ticks);
    EXPECT_FALSE(parsed.options->honest);
    EXPECT_EQ(parsed.options->file, "draws.txt");
}

TEST(ReplayArguments, EveryOptionInBothForms) {
    const ParsedArguments parsed = parseReplayArguments(
        {"--plan", "百位定3码", "--periods=2", "--live", "5", "--ticks=1000,7", "--honest", "-"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->spec, "百位定3码");
    EXPECT_EQ(parsed.options->periods, 2);
    EXPECT_EQ(parsed.options->live, 5u);
    ASSERT_TRUE(parsed.options->ticks);
    EXPECT_EQ(parsed.options->ticks->start, 1000u);
    EXPECT_EQ(parsed.options->ticks->step, 7u);
    EXPECT_TRUE(parsed.options->honest);
    EXPECT_EQ(parsed.options->file, "-");
}

TEST(ReplayArguments, LargestTicksAndAFileAfterTheEndOfOptions) {
    const ParsedArguments parsed = parseReplayArguments({"--ticks", "4294967295,0", "--", "--odd-name"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->ticks->start, 4294967295u);
    EXPECT_EQ(parsed.options->file, "--odd-name");
}

TEST(ReplayArguments, HelpNeedsNoFile) {
    const ParsedArguments parsed = parseReplayArguments({"--help"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_TRUE(parsed.options->help);
}

struct BadArguments {
    std::vector<std::string> arguments;
    const char* error;
};

void PrintTo(const BadArguments& bad, std::ostream* out) {
    for (const std::string& argument : bad.arguments) {
        *out << argument << ' ';
    }
}

class WrongArguments : public ::testing::TestWithParam<BadArguments> {};

TEST_P(WrongArguments, AreRefusedWithAReason) {
    const ParsedArguments parsed = parseReplayArguments(GetParam().arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_NE(parsed.error.find(GetParam().error), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrongArguments,
    ::testing::Values(BadArguments{{}, "no history file"},
                      BadArguments{{"--verbose", "f"}, "unknown option: --verbose"},
                      BadArguments{{"-x", "f"}, "unknown option: -x"},
                      BadArguments{{"--periods", "4", "f"}, "bad number for --periods"},
                      BadArguments{{"--periods", "0", "f"}, "bad number for --periods"},
                      BadArguments{{"--periods", "2x", "f"}, "bad number for --periods"},
                      BadArguments{{"--live", "-1", "f"}, "bad number for --live"},
                      BadArguments{{"--live", "", "f"}, "bad number for --live"},
                      BadArguments{{"--live", "99999999999", "f"}, "bad number for --live"},
                      BadArguments{{"--ticks", "1000", "f"}, "bad number for --ticks"},
                      BadArguments{{"--ticks", "1000,", "f"}, "bad number for --ticks"},
                      BadArguments{{"--ticks", "4294967296,1", "f"}, "bad number for --ticks"},
                      BadArguments{{"--ticks", "１０,7", "f"}, "bad number for --ticks"},
                      BadArguments{{"f", "--plan"}, "--plan needs a value"},
                      BadArguments{{"--honest=yes", "f"}, "takes no value"},
                      BadArguments{{"a", "b"}, "more than one history file"}));

TEST(DrawTable, LinesFieldsAndLineEnds) {
    const DrawTable table = parseDrawTable(
        "e1|+|20261210003|+|2026-12-10 08:30:00|+|1,2,3|+|77\r\n"
        "\r\n"
        "   \n"
        "e2|+|20261210002|+||+|4,5,6\n"
        "e3|+|20261210001|+|t|+|1,1,1|+|x9|+|more|+|fields");
    const DrawTable expected = {{"e1", "20261210003", "2026-12-10 08:30:00", "1,2,3", "77"},
                                {"e2", "20261210002", "", "4,5,6"},
                                {"e3", "20261210001", "t", "1,1,1", "x9", "more", "fields"}};
    EXPECT_EQ(table, expected);
}

TEST(DrawTable, EmptyTextHasNoRows) {
    EXPECT_TRUE(parseDrawTable("").empty());
    EXPECT_TRUE(parseDrawTable("\r\n\n\r\n").empty());
}

class HistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = std::filesystem::temp_directory_path() /
                 ("k3replay_input_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    void TearDown() override { std::filesystem::remove(m_path); }

    void write(const std::string& bytes) {
        std::ofstream file(m_path, std::ios::binary);
        file << bytes;
    }

    std::filesystem::path m_path;
};

TEST_F(HistoryFileTest, ReadsTheRowsAndDropsAByteOrderMark) {
    write(
        "\xEF\xBB\xBF"
        "a|+|20261210001|+|t|+|1,2,3|+|5\n");
    const HistoryFile history = readHistoryFile(m_path.string());
    ASSERT_TRUE(history.table) << history.error;
    EXPECT_EQ(*history.table, (DrawTable{{"a", "20261210001", "t", "1,2,3", "5"}}));
}

TEST_F(HistoryFileTest, RefusesTextThatIsNotUtf8) {
    write("a|+|20261210001|+|\xBF\xAA|+|1,2,3|+|5\n");
    const HistoryFile history = readHistoryFile(m_path.string());
    EXPECT_FALSE(history.table);
    EXPECT_NE(history.error.find("is not UTF-8"), std::string::npos) << history.error;
}

TEST_F(HistoryFileTest, ReportsAMissingFile) {
    const HistoryFile history = readHistoryFile(m_path.string());
    EXPECT_FALSE(history.table);
    EXPECT_NE(history.error.find("cannot open " + m_path.string()), std::string::npos) << history.error;
}

TEST_F(HistoryFileTest, ReportsADirectory) {
    std::filesystem::create_directory(m_path);
    const HistoryFile history = readHistoryFile(m_path.string());
    EXPECT_FALSE(history.table);
    EXPECT_FALSE(history.error.empty());
}

}  // namespace
}  // namespace k3
