// k3drawd as a process on an ephemeral port, spoken to with the client's own ServiceClient.
#include "platform/clock.h"
#include "draws/draw_record.h"
#include "server/draw_period.h"
#include "service/http_request.h"
#include "service/request_envelope.h"
#include "service/service_client.h"
#include "service/service_transport.h"
#include "tests/support/drawd_process.h"
#include "tests/support/drawd_run.h"
#include "tests/support/temp_dir.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace k3 {
namespace {

using test::DrawdProcess;
using test::DrawdStart;
using test::TempDir;

// The tests read the service's draw times in this zone, whatever the machine's.
const DrawdStart kServiceZone{.timeZone = "Asia/Shanghai"};

// Rows run on without gaps, newest first, five columns each.
void expectNewestFirstWithoutGaps(const DrawTable& table) {
    for (size_t i = 0; i < table.size(); ++i) {
        ASSERT_EQ(table[i].size(), 5u) << i;
        if (i > 0) {
            const std::optional<DrawPeriod> newer = parsePeriod(table[i - 1][1]);
            const std::optional<DrawPeriod> older = parsePeriod(table[i][1]);
            ASSERT_TRUE(newer && older) << table[i][1];
            EXPECT_EQ(*newer, nextPeriod(*older));
        }
    }
}

class K3drawdTest : public ::testing::Test {
protected:
    // Starts the service on the test's database; empty URL when it did not come up.
    std::string startService(std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.end(), {"--db", m_dir.file("draws.sqlite3")});
        m_process = std::make_unique<DrawdProcess>(arguments, kServiceZone);
        return m_process->url();
    }

    bool initClient(const std::string& url) {
        const bool ok = m_client.init(url + "/", kServiceAppId);
        EXPECT_TRUE(ok) << m_client.lastError();
        return ok;
    }

    // The raw reply of a named call made through the client's transport.
    JsonReply namedCall(const std::string& endpoint, int32_t appId, const std::string& funname,
                        const std::vector<std::string>& params) {
        ServiceTransport transport(m_clock);
        transport.setEndpoint(endpoint, appId);
        std::string text;
        int32_t number = 0;
        JsonReply reply;
        transport.namedCall(text, funname, params, number, reply);
        return reply;
    }

    TempDir m_dir;
    SystemClock m_clock;
    ServiceClient m_client{m_clock};
    std::unique_ptr<DrawdProcess> m_process;
};

TEST_F(K3drawdTest, InitNamesTheServicesOwnAddresses) {
    const std::string url = startService();
    ASSERT_FALSE(url.empty());
    ASSERT_TRUE(initClient(url));
    const InitInfo info = m_client.initInfo();
    EXPECT_EQ(info.drawurl, url + "/draw");
    EXPECT_EQ(info.newphase, url + "/newphase");
    EXPECT_EQ(info.advert1, url + "/advert");
    EXPECT_EQ(info.version, "1.41");
    EXPECT_EQ(info.proupurl, "");
    EXPECT_EQ(info.linkNames, (std::vector<std::string>{"开奖走势", "历史开奖"}));
    EXPECT_EQ(info.linkTargets, (std::vector<std::string>{url + "/advert", url + "/history"}));
    EXPECT_FALSE(info.seo.empty());
    std::string initText;
    EXPECT_TRUE(m_client.getInit(initText));
    EXPECT_NE(initText.find(url + "/draw"), std::string::npos);
    // The primary endpoint's path answers the same call.
    ServiceClient other(m_clock);
    EXPECT_TRUE(other.init(url + "/appinit.php", kServiceAppId)) << other.lastError();
}

TEST_F(K3drawdTest, ThePublicAddressIsWhatInitHandsOut) {
    const std::string url = startService({"--public-url", "https://draws.example.org/k3/"});
    ASSERT_FALSE(url.empty());
    ASSERT_TRUE(initClient(url));
    const InitInfo info = m_client.initInfo();
    EXPECT_EQ(info.drawurl, "https://draws.example.org/k3/draw");
    EXPECT_EQ(info.newphase, "https://draws.example.org/k3/newphase");
    EXPECT_EQ(info.linkTargets.front(), "https://draws.example.org/k3/advert");
}

TEST_F(K3drawdTest, NewestDrawHistoryAndProbeAgree) {
    const std::string url = startService();
    ASSERT_TRUE(initClient(url));
    std::vector<std::string> fields;
    ASSERT_TRUE(m_client.newestDraw(fields));
    ASSERT_EQ(fields.size(), 8u);
    const DrawStatus status = fromNewestFields(fields);
    EXPECT_EQ(status.last.extra, "吉林快三");
    EXPECT_EQ(m_client.probeNewestPeriod(), status.last.period);
    EXPECT_EQ(status.next.period, periodText(nextPeriod(*parsePeriod(status.last.period))));
    EXPECT_GT(*m_clock.localToSeconds(status.next.drawTime), *m_clock.localToSeconds(status.last.drawTime));

    DrawTable table;
    ASSERT_TRUE(m_client.selectDraw(50, table)) << m_client.lastError();
    ASSERT_EQ(table.size(), 50u);
    expectNewestFirstWithoutGaps(table);
    EXPECT_EQ(fromTableRow(table.front()), status.last);

    DrawTable day;
    ASSERT_TRUE(m_client.selectDrawByDate(status.last.drawTime.substr(0, 10), day)) << m_client.lastError();
    ASSERT_FALSE(day.empty());
    EXPECT_EQ(day.front(), table.front());
    expectNewestFirstWithoutGaps(day);

    std::vector<std::string> values;
    ASSERT_TRUE(m_client.getForecast("独胆", {table[3][1], "20000101001"}, values));
    EXPECT_EQ(values, (std::vector<std::string>{table[3][3], ""}));
}

TEST_F(K3drawdTest, EveryErrorComesAsAnErrorReply) {
    const std::string url = startService();
    ASSERT_TRUE(initClient(url));
    const std::string endpoint = url + "/draw";
    const struct {
        int32_t appId;
        std::string funname;
        std::vector<std::string> params;
        std::string errcode;
        std::string msg;
    } cases[] = {
        {2112, "newestdraw", {}, "1003", "应用编号无效"},
        {kServiceAppId, "drop_table", {}, "1004", "未知接口"},
        {kServiceAppId, "select_draw", {"", "0"}, "1005", "参数错误"},
        {kServiceAppId, "select_draw", {"", "100000"}, "1005", "参数错误"},
        {kServiceAppId, "select_draw_date", {"", "2026-02-30"}, "1005", "参数错误"},
    };
    for (const auto& c : cases) {
        const JsonReply reply = namedCall(endpoint, c.appId, c.funname, c.params);
        EXPECT_EQ(reply.errorCode(), c.errcode) << c.funname;
        EXPECT_EQ(reply.message(), c.msg) << c.funname;
    }
    const TransferControl none;
    for (const auto& [body, errcode] : std::vector<std::pair<std::string, std::string>>{
             {"DATA=0123456789ABCDEF", "1001"}, {"DATA=0123x", "1001"}, {"hello", "1002"}, {"", "1002"}}) {
        JsonReply reply;
        ASSERT_TRUE(reply.parse(httpPost(endpoint, body, none))) << body;
        EXPECT_EQ(reply.errorCode(), errcode) << body;
    }
    DrawTable table;
    EXPECT_FALSE(m_client.selectDraw(501, table));
    EXPECT_EQ(m_client.lastError(), "获取最新开奖数据失败!参数错误 错误代码：1005");
}

TEST_F(K3drawdTest, AnOfferedUpdateIsAnnouncedAndDownloaded) {
    const std::string content("MZ\0\x01update bytes\xff", 17);
    const std::string file = m_dir.file("k3-1.5.bin");
    std::ofstream(file, std::ios::binary) << content;
    const std::string url = startService(
        {"--offer-version", "1.5", "--offer-file", file, "--link", "官网=https://k3.example.org/"});
    ASSERT_TRUE(initClient(url));
    const InitInfo info = m_client.initInfo();
    EXPECT_EQ(info.version, "1.5");
    EXPECT_EQ(info.proupurl, url + "/download/k3-1.5.bin");
    EXPECT_EQ(info.linkNames, std::vector<std::string>{"官网"});
    EXPECT_EQ(info.linkTargets, std::vector<std::string>{"https://k3.example.org/"});
    EXPECT_EQ(fetchUrl(info.proupurl, {}), content);
    httplib::Client http(url);
    const auto missing = http.Get("/download/other.bin");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
}

TEST_F(K3drawdTest, ARestartKeepsTheHistory) {
    ASSERT_TRUE(initClient(startService()));
    DrawTable before;
    ASSERT_TRUE(m_client.selectDraw(50, before));
    EXPECT_EQ(m_process->stop(), 0);

    ASSERT_TRUE(initClient(startService()));
    DrawTable after;
    ASSERT_TRUE(m_client.selectDraw(50, after));
    expectNewestFirstWithoutGaps(after);
    // A draw may have fallen due in between; the old rows follow it unchanged.
    const auto kept = std::find(after.begin(), after.end(), before.front());
    ASSERT_NE(kept, after.end());
    EXPECT_TRUE(std::equal(kept, after.end(), before.begin()));
}

TEST_F(K3drawdTest, IntervalModeDrawsAgainWithinSeconds) {
    ASSERT_TRUE(initClient(startService({"--interval", "1"})));
    const std::string first = m_client.probeNewestPeriod();
    std::string now = first;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (now == first && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        now = m_client.probeNewestPeriod();
    }
    ASSERT_NE(now, first);
    DrawTable table;
    ASSERT_TRUE(m_client.selectDraw(5, table));
    expectNewestFirstWithoutGaps(table);
    EXPECT_GT(table.front()[1], first);
}

TEST_F(K3drawdTest, PagesShowTheDraws) {
    const std::string url = startService();
    httplib::Client http(url);
    const auto probe = http.Get("/newphase");
    ASSERT_TRUE(probe);
    ASSERT_EQ(probe->status, 200);
    ASSERT_TRUE(parsePeriod(probe->body)) << probe->body;
    for (const char* path : {"/advert", "/history"}) {
        const auto page = http.Get(path);
        ASSERT_TRUE(page) << path;
        EXPECT_EQ(page->status, 200);
        EXPECT_NE(page->body.find("<td>" + probe->body + "</td>"), std::string::npos) << path;
    }
    EXPECT_NE(http.Get("/advert")->body.find("<svg"), std::string::npos);
    EXPECT_EQ(http.Get("/nothing/here")->status, 404);
    EXPECT_EQ(http.Get("/draw")->status, 404);
}

// A connection that sends the start of a request and then nothing.
int openStalledConnection(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    const std::string start = "POST /draw HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 1000\r\n\r\nDATA=";
    EXPECT_EQ(send(fd, start.data(), start.size(), 0), static_cast<ssize_t>(start.size()));
    return fd;
}

TEST_F(K3drawdTest, BadInputLeavesTheServiceServingOthers) {
    const std::string url = startService();
    ASSERT_TRUE(initClient(url));
    std::vector<int> stalled;
    for (int i = 0; i < 20; ++i) {
        stalled.push_back(openStalledConnection(std::stoi(url.substr(url.rfind(':') + 1))));
        ASSERT_GE(stalled.back(), 0);
    }
    httplib::Client http(url);
    const auto oversized =
        http.Post("/draw", std::string(100 * 1024, 'A'), "application/x-www-form-urlencoded");
    if (oversized) {  // refused with a reply, or the connection closed
        EXPECT_EQ(oversized->status, 413);
        EXPECT_NE(oversized->body.find("\"errcode\":\"1002\""), std::string::npos);
    }
    const auto binary =
        http.Post("/draw", std::string("DATA=\0\xff\xfe", 8), "application/x-www-form-urlencoded");
    ASSERT_TRUE(binary);
    EXPECT_NE(binary->body.find("\"errcode\":\"1001\""), std::string::npos);

    std::vector<std::string> fields;
    EXPECT_TRUE(m_client.newestDraw(fields));
    EXPECT_EQ(fields.size(), 8u);
    for (const int fd : stalled) {
        close(fd);
    }
}

TEST(K3drawdStartTest, StopsCleanlyOnInterruptAndTerminate) {
    TempDir dir;
    for (const int signal : {SIGINT, SIGTERM}) {
        DrawdProcess service({"--db", dir.file("draws.sqlite3")}, kServiceZone);
        ASSERT_FALSE(service.url().empty());
        EXPECT_EQ(service.stop(signal), 0) << signal;
    }
}

TEST(K3drawdStartTest, RefusesToStartWithExitStatusTwo) {
    TempDir dir;
    DrawdProcess running({"--db", dir.file("running.sqlite3")}, kServiceZone);
    ASSERT_FALSE(running.url().empty());
    const std::string busy = running.url().substr(std::string("http://").size());
    const struct {
        std::vector<std::string> arguments;
        std::string says;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--interval", "0"}, "--interval"},
        {{"--listen", busy, "--db", dir.file("other.sqlite3")}, "cannot listen on " + busy},
        {{"--listen", "127.0.0.1:0", "--db", dir.file("no/such/dir/x.sqlite3")}, "no/such/dir/x.sqlite3"},
        {{"--listen", "127.0.0.1:0", "--db", dir.file("x.sqlite3"), "--offer-version", "2", "--offer-file",
          dir.file("missing.bin")},
         "missing.bin"},
    };
    for (const auto& c : cases) {
        const test::ProcessEnd end = test::runDrawd(c.arguments);
        EXPECT_EQ(end.exitStatus, 2) << c.says;
        EXPECT_NE(end.output.find(c.says), std::string::npos) << end.output;
    }
    EXPECT_EQ(running.stop(), 0);
}

}  // namespace
}  // namespace k3
