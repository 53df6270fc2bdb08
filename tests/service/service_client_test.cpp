// The service client against a scripted service on a loopback port: init with its retries,
// the draw calls, the probe and the last-error texts.
#include "service/service_client.h"

#include "json/json_object.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "tests/service/fake_service.h"

#include <gtest/gtest.h>

#include <ostream>

#include <atomic>

namespace k3 {
namespace {

using test::FakeService;
using test::RawReply;

// The service's draw history layout: rows inside a JSON object inside the reply's "data" string.
RawReply historyReply(const std::string& rows) {
    JsonObject inner;
    inner.createEmpty();
    inner.put("data", rows);
    return FakeService::envelope("0", "", inner.toText());
}

std::string closedUrl() { return "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/"; }

class ServiceClientTest : public testing::Test {
protected:
    void SetUp() override { m_client.setTransferControl({&m_pump, nullptr}); }

    std::string initData() const {
        JsonObject data;
        JsonObject links;
        data.createEmpty();
        data.put("userurl", "http://user/");
        data.put("drawurl", m_service.url("/draw"));
        data.put("newphase", m_service.url("/newest"));
        data.put("advert1", "http://advert/1");
        data.put("advert2", "http://advert/2");
        data.put("version", "1.6");
        data.put("proupurl", "http://download/k3.exe");
        links.createEmpty();
        links.put("官网", "http://home/");
        links.put("充值", "http://pay/");
        links.put("帮助", "http://help/");
        data.putValue("payurl", links);
        data.put("seo", "快三");
        return data.toText();
    }

    // Answers init with the start-up data and every other call with handler's reply.
    void serve(FakeService::CallHandler handler = nullptr) {
        const std::string init = initData();
        m_service.onCall([init, handler](const ServiceRequest& request) {
            if (request.funname == "init") {
                return FakeService::encryptedData(init, request);
            }
            return handler ? handler(request) : FakeService::envelope("0", "", "");
        });
    }

    void initialise() {
        serve(m_onDrawCall);
        ASSERT_TRUE(m_client.init(m_service.url("/init"), kServiceAppId)) << m_client.lastError();
    }

    // Calls after init go through here so tests can script them after initialising.
    FakeService::CallHandler m_onDrawCall = [this](const ServiceRequest& request) {
        return m_drawReply ? m_drawReply(request) : FakeService::envelope("0", "", "");
    };
    FakeService::CallHandler m_drawReply;

    FakeService m_service;
    FakeClock m_clock{123456, 0, 1494000000};
    CountingEventPump m_pump;
    ServiceClient m_client{m_clock};
};

TEST_F(ServiceClientTest, InitFillsTheStartupData) {
    initialise();
    const InitInfo info = m_client.initInfo();
    EXPECT_EQ(info.userurl, "http://user/");
    EXPECT_EQ(info.drawurl, m_service.url("/draw"));
    EXPECT_EQ(info.newphase, m_service.url("/newest"));
    EXPECT_EQ(info.advert1, "http://advert/1");
    EXPECT_EQ(info.advert2, "http://advert/2");
    EXPECT_EQ(info.version, "1.6");
    EXPECT_EQ(info.proupurl, "http://download/k3.exe");
    EXPECT_EQ(info.linkNames, (std::vector<std::string>{"官网", "充值", "帮助"}));
    EXPECT_EQ(info.linkTargets, (std::vector<std::string>{"http://home/", "http://pay/", "http://help/"}));
    EXPECT_EQ(info.seo, "快三");
    EXPECT_EQ(m_client.initField("version"), "1.6");
    EXPECT_EQ(m_service.calls().back().params, std::vector<std::string>{});
    EXPECT_EQ(m_client.lastError(), "");

    // The draw calls go to the announced endpoint, the probe to the announced URL.
    std::vector<std::string> fields;
    m_client.newestDraw(fields);
    EXPECT_EQ(m_service.callPaths(), (std::vector<std::string>{"/init", "/draw"}));
    m_service.setProbeText("2017050233");
    EXPECT_EQ(m_client.probeNewestPeriod(), "2017050233");
}

TEST_F(ServiceClientTest, InitSucceedsOnTheThirdAttempt) {
    serve();
    m_service.onHandshake([](int number) -> std::optional<RawReply> {
        return number < 3 ? std::optional<RawReply>(RawReply{"<html>busy</html>"}) : std::nullopt;
    });
    m_client.setLastError("earlier");
    EXPECT_TRUE(m_client.init(m_service.url("/init"), kServiceAppId));
    EXPECT_EQ(m_service.handshakes(), 3);
    EXPECT_EQ(m_service.calls().size(), 1u);
    EXPECT_EQ(m_client.lastError(), "earlier");
    EXPECT_EQ(m_client.initInfo().version, "1.6");
}

TEST_F(ServiceClientTest, InitFailingTenTimesReportsTheLastReply) {
    m_service.onCall([](const ServiceRequest&) { return FakeService::envelope("5", "维护中", ""); });
    EXPECT_FALSE(m_client.init(m_service.url("/init"), kServiceAppId));
    EXPECT_EQ(m_service.calls().size(), 10u);
    EXPECT_EQ(m_client.lastError(), "初始化连接服务器失败！：维护中 错误代码：5");
}

TEST_F(ServiceClientTest, InitAgainstNothingReportsTheClientsOwnError) {
    EXPECT_FALSE(m_client.init(closedUrl(), kServiceAppId));
    EXPECT_EQ(m_client.lastError(), "初始化连接服务器失败！：服务器访问失败! 错误代码：9999");
    EXPECT_GE(m_pump.calls(), 10);  // at least once between and after the attempts
}

TEST_F(ServiceClientTest, AbortedInitStopsTrying) {
    serve();
    std::atomic<bool> abort = true;
    m_client.setTransferControl({&m_pump, &abort});
    EXPECT_FALSE(m_client.init(m_service.url("/init"), kServiceAppId));
    EXPECT_EQ(m_service.posts(), 0);
    EXPECT_EQ(m_pump.calls(), 1);
    EXPECT_EQ(m_client.lastError(), "初始化连接服务器失败！：服务器访问失败! 错误代码：9999");
}

TEST_F(ServiceClientTest, FailedInitKeepsTheEarlierStartupData) {
    initialise();
    EXPECT_FALSE(m_client.init(closedUrl(), kServiceAppId));
    EXPECT_EQ(m_client.initInfo().version, "1.6");
    std::vector<std::string> fields;
    m_client.newestDraw(fields);
    EXPECT_EQ(m_service.callPaths().back(), "/draw");
}

TEST(ReadInitInfo, LinksStayWhenThereIsNoLinkObject) {
    for (const char* json : {R"({"version":"2"})", R"({"version":"2","payurl":["x"]})",
                             R"({"version":"2","payurl":"http://x/"})"}) {
        SCOPED_TRACE(json);
        JsonReply reply;
        ASSERT_TRUE(reply.parse(json));
        InitInfo info;
        info.linkNames = {"old"};
        info.linkTargets = {"http://old/"};
        info.seo = "gone";
        ServiceClient::readInitInfo(reply, info);
        EXPECT_EQ(info.version, "2");
        EXPECT_EQ(info.seo, "");
        EXPECT_EQ(info.linkNames, std::vector<std::string>{"old"});
        EXPECT_EQ(info.linkTargets, std::vector<std::string>{"http://old/"});
    }
}

TEST(ReadInitInfo, LinkTargetsAreReadAsText) {
    JsonReply reply;
    ASSERT_TRUE(reply.parse(R"({"payurl":{"n":7,"b":true,"s":"http://s/"}})"));
    InitInfo info;
    ServiceClient::readInitInfo(reply, info);
    EXPECT_EQ(info.linkNames, (std::vector<std::string>{"n", "b", "s"}));
    EXPECT_EQ(info.linkTargets, (std::vector<std::string>{"7", "true", "http://s/"}));
}

struct NewestCase {
    const char* name;
    const char* data;  // the "data" member of the decoded data
    bool ok;
    std::vector<std::string> fields;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const NewestCase& c, std::ostream* out) { *out << c.name; }

class NewestDraw : public ServiceClientTest, public testing::WithParamInterface<NewestCase> {};

TEST_P(NewestDraw, SplitsTheDataMember) {
    initialise();
    const std::string data = GetParam().data;
    m_drawReply = [data](const ServiceRequest& request) {
        JsonObject decoded;
        decoded.createEmpty();
        decoded.put("data", data);
        return FakeService::encryptedData(decoded.toText(), request);
    };
    std::vector<std::string> fields{"before"};
    EXPECT_EQ(m_client.newestDraw(fields), GetParam().ok);
    EXPECT_EQ(fields, GetParam().fields);
    EXPECT_EQ(m_service.calls().back().funname, "newestdraw");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewestDraw,
    testing::Values(NewestCase{"TwoFields", "A| |B", true, {"A", "B"}},
                    NewestCase{"Eight",
                               "1| |2017050233| |2017-05-02 19:28:00| |1,2,3| |5| |2017050234| |"
                               "2017-05-02 19:38:00| |8",
                               true,
                               {"1", "2017050233", "2017-05-02 19:28:00", "1,2,3", "5", "2017050234",
                                "2017-05-02 19:38:00", "8"}},
                    NewestCase{"Empty", "", false, {}}),
    [](const testing::TestParamInfo<NewestCase>& info) { return info.param.name; });

TEST_F(ServiceClientTest, FailedNewestDrawLeavesFieldsAndLastError) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return FakeService::envelope("3", "无数据", ""); };
    m_client.setLastError("earlier");
    std::vector<std::string> fields{"kept"};
    EXPECT_FALSE(m_client.newestDraw(fields));
    EXPECT_EQ(fields, std::vector<std::string>{"kept"});
    EXPECT_EQ(m_client.lastError(), "earlier");
}

TEST_F(ServiceClientTest, SelectDrawReadsTheRowsFromTheRawReply) {
    initialise();
    m_drawReply = [](const ServiceRequest&) {
        return historyReply(
            "1|+|2017050233|+|2017-05-02 19:28:00|+|1,2,3\r\n"
            "2|+|2017050232|+|2017-05-02 19:18:00|+|4,5,6");
    };
    DrawTable table;
    ASSERT_TRUE(m_client.selectDraw(50, table));
    EXPECT_EQ(table, (DrawTable{{"1", "2017050233", "2017-05-02 19:28:00", "1,2,3"},
                                {"2", "2017050232", "2017-05-02 19:18:00", "4,5,6"}}));
    EXPECT_EQ(m_service.calls().back().funname, "select_draw");
}

TEST_F(ServiceClientTest, SelectDrawWithoutRowsIsStillASuccess) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return historyReply(""); };
    DrawTable table{{"kept"}};
    EXPECT_TRUE(m_client.selectDraw(50, table));
    EXPECT_EQ(table, DrawTable{{"kept"}});
}

TEST_F(ServiceClientTest, FailedSelectDrawSetsTheDrawsText) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return FakeService::envelope("5", "维护", ""); };
    DrawTable table;
    EXPECT_FALSE(m_client.selectDraw(50, table));
    EXPECT_EQ(m_client.lastError(), "获取最新开奖数据失败!维护 错误代码：5");
}

TEST_F(ServiceClientTest, DrawCallsBeforeInitFail) {
    DrawTable table;
    EXPECT_FALSE(m_client.selectDraw(50, table));
    EXPECT_EQ(m_client.lastError(), "获取最新开奖数据失败!服务器访问失败! 错误代码：9999");
    std::vector<std::string> fields;
    EXPECT_FALSE(m_client.newestDraw(fields));
    EXPECT_EQ(m_client.probeNewestPeriod(), "");
}

struct TokenCase {
    const char* token;
    std::vector<std::string> newestParams;
    std::vector<std::string> historyParams;
};

void PrintTo(const TokenCase& c, std::ostream* out) { *out << '"' << c.token << '"'; }

class AccessToken : public ServiceClientTest, public testing::WithParamInterface<TokenCase> {};

TEST_P(AccessToken, LeadsTheParameters) {
    initialise();
    m_client.setAccessToken(GetParam().token);
    std::vector<std::string> fields;
    DrawTable table;
    m_client.newestDraw(fields);
    EXPECT_EQ(m_service.calls().back().params, GetParam().newestParams);
    m_client.selectDraw(50, table);
    EXPECT_EQ(m_service.calls().back().params, GetParam().historyParams);
}

INSTANTIATE_TEST_SUITE_P(Cases, AccessToken,
                         testing::Values(TokenCase{"", {}, {"", "50"}},
                                         TokenCase{"tok", {"tok"}, {"tok", "50"}}));

TEST_F(ServiceClientTest, SelectDrawByDateSendsTheDayWithoutLeadingZeros) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return historyReply("a|+|b"); };
    const std::pair<const char*, const char*> cases[] = {
        {"2017-05-02", "2017-5-2"}, {"2017-12-31 08:00:00", "2017-12-31"}, {"2017/5/2", "2017-5-2"}};
    for (const auto& [date, sent] : cases) {
        DrawTable table;
        EXPECT_TRUE(m_client.selectDrawByDate(date, table));
        EXPECT_EQ(table, (DrawTable{{"a", "b"}}));
        EXPECT_EQ(m_service.calls().back().funname, "select_draw_date");
        EXPECT_EQ(m_service.calls().back().params, (std::vector<std::string>{"", sent}));
    }
}

TEST_F(ServiceClientTest, SelectDrawByDateRefusesWhatIsNoDate) {
    initialise();
    const size_t callsBefore = m_service.calls().size();
    for (const char* date : {"", "yesterday", "2017-13-01", "2017-05-32", "17-5-2"}) {
        SCOPED_TRACE(date);
        DrawTable table;
        EXPECT_FALSE(m_client.selectDrawByDate(date, table));
        EXPECT_TRUE(m_client.lastError().starts_with("获取最新开奖数据失败!")) << m_client.lastError();
    }
    EXPECT_EQ(m_service.calls().size(), callsBefore);
}

TEST_F(ServiceClientTest, EmptyProbeReplySetsItsText) {
    initialise();
    m_service.setProbeText("");
    EXPECT_EQ(m_client.probeNewestPeriod(), "");
    EXPECT_EQ(m_client.lastError(), "最新期号获取失败!");
}

TEST_F(ServiceClientTest, ProbeOfAClosedPortSetsItsText) {
    m_service.onCall([](const ServiceRequest& request) {
        JsonObject data;
        data.createEmpty();
        data.put("newphase", closedUrl());
        return FakeService::encryptedData(data.toText(), request);
    });
    ASSERT_TRUE(m_client.init(m_service.url("/init"), kServiceAppId));
    EXPECT_EQ(m_client.probeNewestPeriod(), "");
    EXPECT_EQ(m_client.lastError(), "最新期号获取失败!");
}

TEST_F(ServiceClientTest, GetForecastReadsTheNamedMembers) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return FakeService::envelope("0", "", R"({"a":"1","b":2})"); };
    std::vector<std::string> values{"old"};
    ASSERT_TRUE(m_client.getForecast("独胆", {"a", "b", "c"}, values));
    EXPECT_EQ(values, (std::vector<std::string>{"1", "2", ""}));
    EXPECT_EQ(m_service.calls().back().funname, "getforecast");
    EXPECT_EQ(m_service.calls().back().params, (std::vector<std::string>{"", "独胆", "a", "b", "c"}));

    m_drawReply = [](const ServiceRequest&) { return FakeService::envelope("1", "no", ""); };
    EXPECT_FALSE(m_client.getForecast("独胆", {"a"}, values));
    EXPECT_EQ(values, (std::vector<std::string>{"1", "2", ""}));
}

TEST_F(ServiceClientTest, GetInitGivesTheDataMember) {
    initialise();
    m_drawReply = [](const ServiceRequest& request) {
        return FakeService::encryptedData(R"({"data":"公告"})", request);
    };
    std::string text;
    EXPECT_TRUE(m_client.getInit(text));
    EXPECT_EQ(text, "公告");
    m_drawReply = [](const ServiceRequest& request) { return FakeService::encryptedData("{}", request); };
    EXPECT_FALSE(m_client.getInit(text));
}

TEST_F(ServiceClientTest, DataReplyCopyHoldsTheLatestOutcome) {
    initialise();
    m_drawReply = [](const ServiceRequest&) { return FakeService::envelope("4", "忙", ""); };
    std::vector<std::string> fields;
    m_client.newestDraw(fields);
    const JsonReply copy = m_client.dataReplyCopy();
    EXPECT_EQ(copy.errorCode(), "4");
    EXPECT_EQ(copy.message(), "忙");
}

}  // namespace
}  // namespace k3
