// The protocol endpoint in-process: handshake, calls sealed as the client seals them, and
// every error reply.
#include "server/protocol_endpoint.h"

#include "tests/support/temp_dir.h"
#include "json/json_object.h"
#include "platform/clock.h"
#include "platform/digest.h"
#include "server/call_key_registry.h"
#include "server/call_key_tag.h"
#include "server/draw_feed.h"
#include "server/draw_functions.h"
#include "server/random_source.h"
#include "service/draw_table.h"
#include "service/request_envelope.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace k3 {
namespace {

constexpr const char* kClient = "127.0.0.1";

struct Reply {
    std::string errcode;
    std::string msg;
    std::string data;
};

Reply readReply(const std::string& text) {
    JsonObject reply;
    EXPECT_TRUE(reply.parse(text)) << text;
    return {reply.get("errcode"), reply.get("msg"), reply.get("data")};
}

class ProtocolTest : public ::testing::Test {
protected:
    ProtocolTest() {
        std::string error;
        m_store = DrawStore::open(m_dir.file("draws.sqlite3"), error);
        m_feed = std::make_unique<DrawFeed>(*m_store, m_schedule, m_random, m_clock);
        EXPECT_TRUE(m_feed->start(error)) << error;
        m_endpoint = std::make_unique<ProtocolEndpoint>(m_keys, m_random, m_clock,
                                                        makeDrawFunctions(*m_feed, R"({"drawurl":"x"})"));
    }

    std::string handshake(const std::string& address = kClient) {
        const Reply reply = readReply(m_endpoint->answer("DATA=GETRAND?1494000000", address));
        EXPECT_EQ(reply.errcode, "0");
        return decodeHandshakeData(reply.data);
    }

    // The raw reply to a call sealed under a fresh key, as the client makes it.
    std::string rawCall(const ServiceRequest& request, const std::string& address = kClient) {
        return m_endpoint->answer(callBody(sealRequest(request, handshake(address))), address);
    }

    Reply call(const std::string& funname, std::vector<std::string> params = {}) {
        return readReply(rawCall({3456, funname, kServiceAppId, std::move(params)}));
    }

    test::TempDir m_dir;
    FakeClock m_clock{0, 0, *parseDateTimeAsUtc("2026-12-10 04:05:00"), 8 * 3600};
    SystemRandom m_random;
    DrawSchedule m_schedule{m_clock, 0};
    CallKeyRegistry m_keys;
    std::unique_ptr<DrawStore> m_store;
    std::unique_ptr<DrawFeed> m_feed;
    std::unique_ptr<ProtocolEndpoint> m_endpoint;
};

TEST_F(ProtocolTest, HandshakeHandsOutAFreshKeyEachTime) {
    const std::string first = handshake();
    const std::string second = handshake();
    EXPECT_EQ(first.size(), 16u);
    EXPECT_EQ(second.size(), 16u);
    EXPECT_NE(first, second);
}

TEST(CallKeyTagTest, ACallsCipherHeadGivesTheTagOfItsKey) {
    const ServiceRequest requests[] = {
        {0, "init", kServiceAppId, {}},
        {9999, "select_draw_date", kServiceAppId, {"令牌", "2026-12-10"}},
    };
    for (const std::string key : {"q7Wm2Rk9AbCdEfGh", "0000000000000000"}) {
        for (const ServiceRequest& request : requests) {
            EXPECT_EQ(tagOfCall(*fromHex(sealRequest(request, key))), tagOfKey(key)) << key;
        }
        EXPECT_NE(tagOfCall(*fromHex(sealRequest(requests[0], "AnotherKey123456"))), tagOfKey(key));
    }
    EXPECT_EQ(tagOfCall("short"), "");
}

TEST_F(ProtocolTest, InitDataIsEncryptedUnderTheReplyKeyOfTheRequest) {
    const Reply reply = call("init");
    EXPECT_EQ(reply.errcode, "0");
    EXPECT_EQ(decryptReplyData(reply.data, 3456), R"({"drawurl":"x"})");
    const Reply wrapped = call("getInit");
    EXPECT_EQ(decryptReplyData(wrapped.data, 3456), R"({"data":"{\"drawurl\":\"x\"}"})");
}

TEST_F(ProtocolTest, NewestDrawHasEightFields) {
    const Reply reply = call("newestdraw", {"token"});
    JsonObject data;
    ASSERT_TRUE(data.parse(decryptReplyData(reply.data, 3456)));
    const DrawStatus status = m_feed->status();
    EXPECT_EQ(data.get("data"), status.last.extra + "| |" + status.last.period + "| |" +
                                    status.last.drawTime + "| |" + status.last.numbers + "| |" +
                                    std::to_string(status.last.seed) +
                                    "| |吉林快三| |20261210023| |2026-12-10 12:10:00");
}

TEST_F(ProtocolTest, DrawTableHasTheRawLayoutTheClientCutsRowsFrom) {
    std::string text = rawCall({42, "select_draw", kServiceAppId, {"", "3"}});
    EXPECT_TRUE(text.starts_with(R"({"errcode":"0","msg":"","data":"{\"data\":\")")) << text;
    EXPECT_TRUE(text.ends_with(R"(\"}"})")) << text;
    extractInnerData(text);
    DrawTable table;
    ASSERT_TRUE(parseDrawTable(text, table));
    const std::vector<StoredDraw> latest = m_store->latest(3);
    ASSERT_EQ(table.size(), 3u);
    for (size_t i = 0; i < table.size(); ++i) {
        const DrawRecord& r = latest[i].record;
        EXPECT_EQ(table[i], (std::vector<std::string>{r.extra, r.period, r.drawTime, r.numbers,
                                                      std::to_string(r.seed)}));
    }
}

TEST_F(ProtocolTest, DrawsOfADayAndForecastLookups) {
    std::string text = rawCall({42, "select_draw_date", kServiceAppId, {"t", "2026-12-10"}});
    extractInnerData(text);
    DrawTable table;
    ASSERT_TRUE(parseDrawTable(text, table));
    ASSERT_EQ(table.size(), 22u);
    EXPECT_EQ(table.front()[1], "20261210022");
    EXPECT_EQ(table.back()[1], "20261210001");

    const std::string known = m_store->find("20261210005")->record.numbers;
    const Reply forecast = call("getforecast", {"t", "独胆", "20261210005", "20991231001"});
    EXPECT_EQ(forecast.errcode, "0");
    EXPECT_EQ(forecast.data, R"({"20261210005":")" + known + R"(","20991231001":""})");
}

TEST_F(ProtocolTest, ErrorsOfBodiesThatAreNoCalls) {
    const std::string key = handshake();
    const std::string sealed = sealRequest({1, "init", kServiceAppId, {}}, key);
    const struct {
        std::string body;
        const char* errcode;
        const char* msg;
    } cases[] = {
        {"", "1002", "请求格式错误"},
        {"hello", "1002", "请求格式错误"},
        {"DATA=GETRAND?now", "1002", "请求格式错误"},
        {"DATA=not hex at all", "1001", "请求无法解密"},
        {"DATA=" + sealed.substr(0, sealed.size() - 1), "1001", "请求无法解密"},
        {"DATA=" + sealed.substr(0, sealed.size() - 4), "1002", "请求格式错误"},
        {"DATA=" + sealRequest({1, "init", kServiceAppId, {}}, "AnotherKey123456"), "1001", "请求无法解密"},
        {"DATA=" + encryptRequest(urlEscape("not json"), key), "1002", "请求格式错误"},
        {"DATA=" + encryptRequest("%zz", key), "1002", "请求格式错误"},
        {"DATA=" + encryptRequest(urlEscape(R"({"rand":1,"funname":"init","appid":"2113","param":[]})"), key),
         "1002", "请求格式错误"},
    };
    for (const auto& c : cases) {
        const Reply reply = readReply(m_endpoint->answer(c.body, kClient));
        EXPECT_EQ(reply.errcode, c.errcode) << c.body;
        EXPECT_EQ(reply.msg, c.msg) << c.body;
        EXPECT_EQ(reply.data, "") << c.body;
    }
    // The key is still good for its own call.
    EXPECT_EQ(readReply(m_endpoint->answer("DATA=" + sealed, kClient)).errcode, "0");
}

TEST_F(ProtocolTest, ErrorsOfCallsThatAreRefused) {
    const struct {
        ServiceRequest request;
        const char* errcode;
    } cases[] = {
        {{1, "init", 2114, {}}, "1003"},
        {{1, "drawlist", kServiceAppId, {}}, "1004"},
        {{1, "", kServiceAppId, {}}, "1004"},
        {{1, "select_draw", kServiceAppId, {"t"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", "0"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", "501"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", "99999999999999999999"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", "-5"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", "50x"}}, "1005"},
        {{1, "select_draw", kServiceAppId, {"t", ""}}, "1005"},
        {{1, "select_draw_date", kServiceAppId, {"t", "2026-13-01"}}, "1005"},
        {{1, "select_draw_date", kServiceAppId, {"t", "2026-2-30"}}, "1005"},
        {{1, "select_draw_date", kServiceAppId, {"t", "yesterday"}}, "1005"},
        {{1, "select_draw_date", kServiceAppId, {"t"}}, "1005"},
        {{1, "getforecast", kServiceAppId, {"t"}}, "1005"},
    };
    const std::map<std::string, std::string> messages = {
        {"1003", "应用编号无效"}, {"1004", "未知接口"}, {"1005", "参数错误"}};
    for (const auto& c : cases) {
        const Reply reply = readReply(rawCall(c.request));
        EXPECT_EQ(reply.errcode, c.errcode) << c.request.funname;
        EXPECT_EQ(reply.msg, messages.at(c.errcode)) << c.request.funname;
    }
    EXPECT_EQ(call("select_draw", {"t", "500"}).errcode, "0");
    EXPECT_EQ(call("select_draw_date", {"t", "2026-1-2"}).errcode, "0");
}

TEST_F(ProtocolTest, DamagedCallsAlwaysGetAnEnvelope) {
    const std::set<std::string> codes = {"0", "1001", "1002", "1003", "1004", "1005"};
    std::mt19937 random(20261210);
    const std::string key = handshake();
    const std::string sealed = callBody(sealRequest({1, "select_draw", kServiceAppId, {"t", "5"}}, key));
    for (int round = 0; round < 2000; ++round) {
        std::string body = sealed;
        switch (round % 4) {
            case 0:  // a flipped byte
                body[random() % body.size()] ^= static_cast<char>(1 + random() % 255);
                break;
            case 1:  // cut short
                body.resize(random() % body.size());
                break;
            case 2:  // a hex digit changed, so the text stays hexadecimal
                body[5 + random() % (body.size() - 5)] = "0123456789ABCDEF"[random() % 16];
                break;
            default:  // noise
                body = "DATA=" + std::string(random() % 200, '\0');
                for (size_t i = 5; i < body.size(); ++i) {
                    body[i] = static_cast<char>(random());
                }
        }
        const Reply reply = readReply(m_endpoint->answer(body, kClient));
        EXPECT_TRUE(codes.contains(reply.errcode)) << reply.errcode;
    }
}

TEST_F(ProtocolTest, AKeyServesOnlyItsAddressAndOnlyForTwoMinutes) {
    const std::string key = handshake("10.0.0.1");
    const std::string body = callBody(sealRequest({1, "init", kServiceAppId, {}}, key));
    EXPECT_EQ(readReply(m_endpoint->answer(body, "10.0.0.2")).errcode, "1001");
    m_clock.advance(CallKeyRegistry::kLifetimeSeconds - 1);
    EXPECT_EQ(readReply(m_endpoint->answer(body, "10.0.0.1")).errcode, "0");
    m_clock.advance(1);
    EXPECT_EQ(readReply(m_endpoint->answer(body, "10.0.0.1")).errcode, "1001");
}

}  // namespace
}  // namespace k3
