// k3replay run as a process, on the small history file kept with the tests.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kDataDir = K3_TEST_DATA_DIR;
const std::string kHistory = (kDataDir / "history_small.txt").string();
const std::string kEmptyPlanBox =
    "\r\n\r\n当前计划统计：总计0期，中0期，挂0期，中奖率为0%\r\n彩票有风险，投注需谨慎！";

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

void printArguments(const std::vector<std::string>& arguments, std::ostream* out) {
    for (const std::string& argument : arguments) {
        *out << argument << ' ';
    }
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class K3ReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("k3replay_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Runs k3replay with the arguments (quoted here) and, when given, a file on standard input.
    ToolRun run(const std::vector<std::string>& arguments, const std::string& input = {}) {
        std::string command = quoted(K3REPLAY_PATH);
        for (const std::string& argument : arguments) {
            command += " " + quoted(argument);
        }
        if (!input.empty()) {
            command += " < " + quoted(input);
        }
        command += " > " + quoted((m_dir / "out").string()) + " 2> " + quoted((m_dir / "err").string());
        const int status = std::system(command.c_str());
        ToolRun result;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readBytes(m_dir / "out");
        result.err = readBytes(m_dir / "err");
        return result;
    }

    std::string file(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = m_dir / name;
        writeBytes(path, bytes);
        return path.string();
    }

    std::filesystem::path m_dir;
};

struct GoldenCase {
    std::vector<std::string> arguments;
    const char* expected;  // file in the test data folder
};

void PrintTo(const GoldenCase& golden, std::ostream* out) { printArguments(golden.arguments, out); }

class K3ReplayGolden : public K3ReplayTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(K3ReplayGolden, PrintsThePlanBoxByteForByteOnEveryRun) {
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.push_back(kHistory);
    const ToolRun first = run(arguments);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(first.out, readBytes(kDataDir / GetParam().expected));
    EXPECT_EQ(run(arguments).out, first.out);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, K3ReplayGolden,
    ::testing::Values(GoldenCase{{"--ticks", "1000,7", "--live", "5"}, "history_small_live5.expected"},
                      GoldenCase{{"--ticks", "1000,7", "--honest", "--periods", "1"},
                                 "history_small_honest_p1.expected"},
                      GoldenCase{{"--plan", "百位定3码", "--ticks", "500,3", "--live", "2", "--periods", "2"},
                                 "history_small_position_codes.expected"}));

TEST_F(K3ReplayTest, StandardInputReadsLikeAFile) {
    const ToolRun fromFile = run({"--ticks", "1000,7", "--live", "3", kHistory});
    const ToolRun fromInput = run({"--ticks", "1000,7", "--live", "3", "-"}, kHistory);
    EXPECT_EQ(fromInput.status, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, fromFile.out);
}

TEST_F(K3ReplayTest, LineEndsAndBlankLinesDoNotChangeTheReplay) {
    std::string messy;
    std::istringstream lines(readBytes(kHistory));
    for (std::string line; std::getline(lines, line);) {
        messy += line + "\r\n\r\n  \n";
    }
    const ToolRun clean = run({"--ticks", "1000,7", "--live", "5", kHistory});
    const ToolRun crlf = run({"--ticks", "1000,7", "--live", "5", file("messy.txt", messy)});
    EXPECT_EQ(crlf.status, 0) << crlf.err;
    EXPECT_EQ(crlf.out, clean.out);
}

TEST_F(K3ReplayTest, DrawsWithoutNumbersOrSeedsChangeNoPlan) {
    const std::string path =
        file("fields.txt", "x|+|20261210003\nx|+|20261210002|+||+|1,2\n|+||+||+||+|abc\n\n");
    const ToolRun result = run({"--live", "1", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kEmptyPlanBox);
}

TEST_F(K3ReplayTest, AnEmptyFileGivesAnEmptyPlan) {
    const ToolRun result = run({"--live", "3", file("empty.txt", "")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kEmptyPlanBox);
}

TEST_F(K3ReplayTest, HelpPrintsTheUsage) {
    const ToolRun result = run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("Usage: k3replay [--plan SPEC]")) << result.out;
}

struct ErrorCase {
    std::vector<std::string> arguments;
    const char* message;
};

void PrintTo(const ErrorCase& error, std::ostream* out) { printArguments(error.arguments, out); }

class K3ReplayError : public K3ReplayTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(K3ReplayError, ExitsWithStatusTwoAndAMessage) {
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments) {
        if (argument == "NOT_UTF8") {
            argument = file("gbk.txt", "x|+|20261210001|+|\xBF\xAA\xBD\xB1|+|1,2,3|+|5\n");
        }
    }
    const ToolRun result = run(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, K3ReplayError,
    ::testing::Values(ErrorCase{{"--fast", kHistory}, "unknown option: --fast"},
                      ErrorCase{{"--periods", "three", kHistory}, "bad number for --periods"},
                      ErrorCase{{"--ticks", "1000;7", kHistory}, "bad number for --ticks"},
                      ErrorCase{{"/nonexistent/draws.txt"}, "cannot open /nonexistent/draws.txt"},
                      ErrorCase{{"NOT_UTF8"}, "is not UTF-8"},
                      ErrorCase{{"--plan", "吉林独胆定1码", kHistory},
                                "not a plan spec the plan engine knows: 吉林独胆定1码"},
                      ErrorCase{{}, "no history file given"}));

}  // namespace
