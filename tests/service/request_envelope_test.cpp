// The envelope against independently computed vectors, and every layer against its inverse.
#include "service/request_envelope.h"

#include "platform/clock.h"
#include "platform/digest.h"

#include <gtest/gtest.h>

#include <ostream>

namespace k3 {
namespace {

TEST(RequestEnvelope, FixedKeyIsTheSharedKey) { EXPECT_EQ(fixedKey(), "38fk20mz71qa95pw64xe03"); }

TEST(RequestEnvelope, Rc4MatchesThePublishedVector) {
    EXPECT_EQ(toHex(rc4("Key", "Plaintext")), "BBF316E8D940AF0AD3");
}

TEST(RequestEnvelope, EncryptRequestKnownAnswer) {
    EXPECT_EQ(encryptRequest("%7B%7D", "q7Wm2Rk9"), "1E9CE6EA4C13EC9FC3271E11");
    EXPECT_EQ(decryptRequest("1E9CE6EA4C13EC9FC3271E11", "q7Wm2Rk9"), "%7B%7D");
}

TEST(RequestEnvelope, HandshakeDataKnownAnswer) {
    EXPECT_EQ(makeHandshakeData("q7Wm2Rk9"), "EA42D890B0569FAB");
    EXPECT_EQ(decodeHandshakeData("EA42D890B0569FAB"), "q7Wm2Rk9");
    EXPECT_EQ(decodeHandshakeData("ea42d890b0569fab"), "q7Wm2Rk9");
}

TEST(RequestEnvelope, ReplyKeyIsTheScaledRequestNumber) {
    EXPECT_EQ(replyKeyFor(3456), "6818688");
    EXPECT_EQ(replyKeyFor(0), "0");
    EXPECT_EQ(replyKeyFor(9999), "19728027");
}

struct ReplyVector {
    const char* data;
    int64_t requestNumber;
    const char* json;
};

void PrintTo(const ReplyVector& c, std::ostream* out) { *out << c.requestNumber; }

class DecryptReplyData : public testing::TestWithParam<ReplyVector> {};

TEST_P(DecryptReplyData, GivesTheJsonAndBack) {
    const ReplyVector& vector = GetParam();
    EXPECT_EQ(decryptReplyData(vector.data, vector.requestNumber), vector.json);
    EXPECT_EQ(encryptReplyData(vector.json, vector.requestNumber), vector.data);
}

INSTANTIATE_TEST_SUITE_P(
    KnownAnswers, DecryptReplyData,
    testing::Values(ReplyVector{"AD41CEBCB542C1A5919F11280A8E3C41E296A05A64F093326D4B650D97F3C328", 3456,
                                R"({"data":"1| |2"})"},
                    ReplyVector{"AA34B7BBB532C3AAE5EE14580CFF3C36E295A85D64F693326C3D607B97F4C028", 42,
                                "{\"版本\":\"1.5\"}"}));

TEST(RequestEnvelope, MalformedHexYieldsNothing) {
    for (const char* data : {"ABC", "ZZ", "AD41CEBCB542C1A5919F11280A8E3C41E296A05A64F093326D4B650D97F3C32",
                             "AD41 CEBC", "%7B"}) {
        SCOPED_TRACE(data);
        EXPECT_EQ(decryptReplyData(data, 3456), "");
        EXPECT_EQ(decodeHandshakeData(data), "");
        EXPECT_FALSE(decryptRequest(data, "q7Wm2Rk9").has_value());
    }
}

TEST(RequestEnvelope, WrongCallKeyIsRecognised) {
    const std::string cipher = encryptRequest(urlEscape(R"({"rand":"1"})"), "rightKey");
    EXPECT_FALSE(decryptRequest(cipher, "wrongKey").has_value());
    EXPECT_EQ(decryptRequest(cipher, "rightKey"), urlEscape(R"({"rand":"1"})"));
}

struct EscapeCase {
    const char* text;
    const char* escaped;
};

void PrintTo(const EscapeCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class UrlEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(UrlEscape, EscapesAllButUnreservedAndDecodesBack) {
    EXPECT_EQ(urlEscape(GetParam().text), GetParam().escaped);
    EXPECT_EQ(percentDecode(GetParam().escaped), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UrlEscape,
    testing::Values(EscapeCase{"", ""}, EscapeCase{"AZaz09-._~", "AZaz09-._~"}, EscapeCase{"{}", "%7B%7D"},
                    EscapeCase{"%", "%25"}, EscapeCase{"/?#&= +", "%2F%3F%23%26%3D%20%2B"},
                    EscapeCase{"\"\\:,[]", "%22%5C%3A%2C%5B%5D"}, EscapeCase{"开", "%E5%BC%80"},
                    EscapeCase{"\x7F\x01", "%7F%01"},
                    EscapeCase{R"({"a":"快三"})", "%7B%22a%22%3A%22%E5%BF%AB%E4%B8%89%22%7D"}));

TEST(PercentDecode, RejectsBrokenEscapes) {
    for (const char* text : {"%", "%4", "abc%", "%G0", "%%41"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(percentDecode(text).has_value());
    }
    EXPECT_EQ(percentDecode("%e5%bc%80+x"), "开+x");
}

TEST(RequestEnvelope, BodiesOfTheTwoPosts) {
    EXPECT_EQ(handshakeBody(1494000000), "DATA=GETRAND?1494000000");
    EXPECT_EQ(callBody("0AFF"), "DATA=0AFF");
}

TEST(RequestEnvelope, RequestJsonHasItsMembersInOrder) {
    EXPECT_EQ(buildRequestJson({3456, "select_draw", 2113, {"", "50"}}),
              R"({"rand":"3456","funname":"select_draw","appid":"2113","param":["","50"]})");
    EXPECT_EQ(buildRequestJson({7, "init", 2113, {}}),
              R"({"rand":"7","funname":"init","appid":"2113","param":[]})");
}

TEST(RequestEnvelope, SealedRequestOpensWithTheSameKey) {
    const ServiceRequest request{42, "getforecast", kServiceAppId, {"令牌", "a/b?c", "%"}};
    const std::optional<ServiceRequest> opened = openRequest(sealRequest(request, "k3y"), "k3y");
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->requestNumber, 42);
    EXPECT_EQ(opened->funname, "getforecast");
    EXPECT_EQ(opened->appId, kServiceAppId);
    EXPECT_EQ(opened->params, request.params);
    EXPECT_FALSE(openRequest(sealRequest(request, "k3y"), "other").has_value());
}

TEST(RequestEnvelope, RequestJsonOfTheWrongShapeIsRefused) {
    for (const char* json : {"", "[]", "not json", R"({"rand":"1","funname":"f","appid":"2"})",
                             R"({"rand":1,"funname":"f","appid":"2","param":[]})",
                             R"({"rand":"1","funname":"f","appid":"2","param":{}})",
                             R"({"rand":"1","funname":"f","appid":"2","param":["a",3]})"}) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(parseRequestJson(json).has_value());
    }
}

TEST(RequestEnvelope, ReplyJsonHasItsMembersInOrder) {
    EXPECT_EQ(buildReplyJson("9999", "服务器访问失败!", ""),
              R"({"errcode":"9999","msg":"服务器访问失败!","data":""})");
}

struct RequestNumberCase {
    uint32_t ticks;
    int64_t secondsSinceBase;
    int32_t expected;
};

void PrintTo(const RequestNumberCase& c, std::ostream* out) { *out << c.ticks << "+" << c.secondsSinceBase; }

class MakeRequestNumber : public testing::TestWithParam<RequestNumberCase> {};

TEST_P(MakeRequestNumber, KeepsTheLastFourDigitsOfTicksPlusSeconds) {
    // The fake clock's local time runs at UTC+8, so seconds since the local base equal its UTC now.
    FakeClock clock(GetParam().ticks, 0, GetParam().secondsSinceBase);
    EXPECT_EQ(makeRequestNumber(clock), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MakeRequestNumber,
                         testing::Values(RequestNumberCase{123456, 1494000000, 3456},
                                         RequestNumberCase{0, 1494005678, 5678},
                                         RequestNumberCase{0, 1494000042, 42},
                                         // past 24.8 days of uptime the tick count reads negative
                                         RequestNumberCase{0xFFFFFFFFu, 1494000000, 9999}));

}  // namespace
}  // namespace k3
