// k3client: its command line, its commands against a scripted service, and the program's exit
// statuses.
#include "tools/k3client/client_command.h"

#include "json/json_object.h"
#include "platform/clock.h"
#include "service/service_client.h"
#include "tests/service/fake_service.h"

#include <gtest/gtest.h>

#include <ostream>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace k3 {
namespace {

using test::FakeService;

struct ParseCase {
    std::vector<std::string> arguments;
    bool valid;
    ClientAction action;
    std::string initUrl;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    for (const std::string& a : c.arguments) *out << a << ' ';
}

class ParseClientArguments : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseClientArguments, AcceptsOnlyTheKnownCommands) {
    const std::optional<ClientCommand> command =
        parseClientArguments(GetParam().arguments, "http://default/");
    ASSERT_EQ(command.has_value(), GetParam().valid);
    if (command) {
        EXPECT_EQ(command->action, GetParam().action);
        EXPECT_EQ(command->initUrl, GetParam().initUrl);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseClientArguments,
    testing::Values(ParseCase{{"init"}, true, ClientAction::Init, "http://default/"},
                    ParseCase{{"--init", "http://x/", "newest"}, true, ClientAction::Newest, "http://x/"},
                    ParseCase{{"probe"}, true, ClientAction::Probe, "http://default/"},
                    ParseCase{{"history", "50"}, true, ClientAction::History, "http://default/"},
                    ParseCase{{"date", "2017-05-02"}, true, ClientAction::Date, "http://default/"},
                    ParseCase{{}, false, ClientAction::Init, ""},
                    ParseCase{{"--init", "http://x/"}, false, ClientAction::Init, ""},
                    ParseCase{{"--init", "", "init"}, false, ClientAction::Init, ""},
                    ParseCase{{"history"}, false, ClientAction::Init, ""},
                    ParseCase{{"history", "0"}, false, ClientAction::Init, ""},
                    ParseCase{{"history", "-3"}, false, ClientAction::Init, ""},
                    ParseCase{{"history", "5x"}, false, ClientAction::Init, ""},
                    ParseCase{{"init", "extra"}, false, ClientAction::Init, ""},
                    ParseCase{{"date"}, false, ClientAction::Init, ""},
                    ParseCase{{"fetch"}, false, ClientAction::Init, ""}));

TEST(ParseClientArguments, KeepsTheHistoryCountAndDate) {
    EXPECT_EQ(parseClientArguments({"history", "50"}, "u")->historyCount, 50);
    EXPECT_EQ(parseClientArguments({"date", "2017-5-2"}, "u")->date, "2017-5-2");
}

class K3ClientTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string draw = m_service.url("/draw");
        const std::string probe = m_service.url("/newest");
        m_service.setProbeText("2017050233");
        m_service.onCall([this, draw, probe](const ServiceRequest& request) {
            if (request.funname == "init") {
                JsonObject data;
                JsonObject links;
                data.createEmpty();
                data.put("drawurl", draw);
                data.put("newphase", probe);
                data.put("version", "1.6");
                links.createEmpty();
                links.put("官网", "http://home/");
                links.put("充值", "http://pay/");
                data.putValue("payurl", links);
                return FakeService::encryptedData(data.toText(), request);
            }
            if (request.funname == "newestdraw") {
                return FakeService::encryptedData(R"({"data":"1| |2017050233| |19:28"})", request);
            }
            if (request.funname == "select_draw" || request.funname == "select_draw_date") {
                return m_historyFails ? FakeService::envelope("5", "维护", "")
                                      : FakeService::envelope("0", "", R"({"data":"a|+|b\r\nc|+|d"})");
            }
            return FakeService::envelope("1", "unknown", "");
        });
    }

    int run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--init", m_service.url("/init")});
        const std::optional<ClientCommand> command = parseClientArguments(arguments, "");
        EXPECT_TRUE(command.has_value());
        return runClientCommand(*command, m_client, m_out, m_err);
    }

    FakeService m_service;
    bool m_historyFails = false;
    FakeClock m_clock{1000, 7, 1494000000};
    ServiceClient m_client{m_clock};
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(K3ClientTest, InitPrintsEveryFieldAndTheLinksInOrder) {
    EXPECT_EQ(run({"init"}), 0);
    EXPECT_EQ(m_out.str(), "userurl: \ndrawurl: " + m_service.url("/draw") +
                               "\nnewphase: " + m_service.url("/newest") +
                               "\nadvert1: \nadvert2: \nversion: 1.6\nproupurl: \n"
                               "link: 官网 http://home/\nlink: 充值 http://pay/\nseo: \n");
}

TEST_F(K3ClientTest, CommandsPrintTheirResults) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"newest"}, "1\n2017050233\n19:28\n"},
        {{"history", "2"}, "a|+|b\nc|+|d\n"},
        {{"date", "2017-05-02"}, "a|+|b\nc|+|d\n"},
        {{"probe"}, "2017050233\n"}};
    for (const auto& [arguments, printed] : cases) {
        SCOPED_TRACE(arguments[0]);
        m_out.str("");
        EXPECT_EQ(run(arguments), 0) << m_err.str();
        EXPECT_EQ(m_out.str(), printed);
    }
    EXPECT_EQ(m_service.calls()[3].params, (std::vector<std::string>{"", "2"}));
}

TEST_F(K3ClientTest, FailuresPrintTheReasonAndExitWithOne) {
    m_historyFails = true;
    EXPECT_EQ(run({"history", "50"}), kExitFailure);
    EXPECT_EQ(m_err.str(), "获取最新开奖数据失败!维护 错误代码：5\n");
    EXPECT_EQ(m_out.str(), "");
}

TEST_F(K3ClientTest, FailedNewestPrintsTheReplysMessageAndCode) {
    m_service.onCall([this](const ServiceRequest& request) {
        if (request.funname == "init") {
            return FakeService::encryptedData(R"({"drawurl":")" + m_service.url("/draw") + "\"}", request);
        }
        return FakeService::envelope("8", "无开奖", "");
    });
    EXPECT_EQ(run({"newest"}), kExitFailure);
    EXPECT_EQ(m_err.str(), "无开奖 错误代码：8\n");
}

// Runs the real program through the shell; its exit status and what it wrote to each stream.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

ProgramRun runProgram(const std::string& arguments) {
    const std::string outPath = testing::TempDir() + "k3client_out.txt";
    const std::string errPath = testing::TempDir() + "k3client_err.txt";
    const std::string line = std::string(K3CLIENT_PATH) + " " + arguments + " >" + outPath + " 2>" + errPath;
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outPath), readFile(errPath)};
}

TEST(K3ClientProgram, ExitStatuses) {
    FakeService service;
    service.onCall([](const ServiceRequest& request) {
        return FakeService::encryptedData(R"({"version":"2.0"})", request);
    });
    const ProgramRun ok = runProgram("--init " + service.url("/init") + " init");
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(ok.out.find("version: 2.0\n"), std::string::npos) << ok.out;

    const ProgramRun usage = runProgram("history many");
    EXPECT_EQ(usage.status, kExitUsage);
    EXPECT_TRUE(usage.err.starts_with("usage: k3client")) << usage.err;

    const std::string closed = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/";
    const ProgramRun failed = runProgram("--init " + closed + " probe");
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_EQ(failed.err, "初始化连接服务器失败！：服务器访问失败! 错误代码：9999\n");
}

}  // namespace
}  // namespace k3
