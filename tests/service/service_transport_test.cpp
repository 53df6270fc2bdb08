// Named calls against a scripted service speaking the real envelope on a loopback port.
#include "service/service_transport.h"

#include "platform/clock.h"
#include "service/request_envelope.h"
#include "tests/service/fake_service.h"

#include <gtest/gtest.h>

#include <ostream>

namespace k3 {
namespace {

using test::FakeService;
using test::RawReply;

class ServiceTransportTest : public testing::Test {
protected:
    void SetUp() override { m_transport.setEndpoint(m_service.url(), kServiceAppId); }

    void expectError(std::string_view errcode, std::string_view msg) {
        EXPECT_EQ(m_reply.errorCode(), errcode) << m_reply.toText();
        EXPECT_EQ(m_reply.message(), msg) << m_reply.toText();
    }

    FakeService m_service;
    FakeClock m_clock{123456, 0, 1494000000};
    ServiceTransport m_transport{m_clock};
    JsonReply m_reply;
};

TEST_F(ServiceTransportTest, NamedCallSendsTheRequestUnderTheCallKey) {
    m_service.onCall(
        [](const ServiceRequest&) { return RawReply{R"({"errcode":"0","msg":"","data":"服务器"})"}; });
    std::string replyText;
    int32_t requestNumber = 0;
    ASSERT_TRUE(m_transport.namedCall(replyText, "select_draw", {"", "50"}, requestNumber, m_reply));
    EXPECT_EQ(requestNumber, 3456);
    EXPECT_EQ(replyText, R"({"errcode":"0","msg":"","data":"服务器"})");
    EXPECT_EQ(m_service.posts(), 2);
    EXPECT_EQ(m_service.handshakeBodies(), std::vector<std::string>{"DATA=GETRAND?1494000000"});
    ASSERT_EQ(m_service.calls().size(), 1u);
    const ServiceRequest call = m_service.calls()[0];
    EXPECT_EQ(call.requestNumber, 3456);
    EXPECT_EQ(call.funname, "select_draw");
    EXPECT_EQ(call.appId, 2113);
    EXPECT_EQ(call.params, (std::vector<std::string>{"", "50"}));
}

TEST_F(ServiceTransportTest, CallWithTextsSendsOnlyTheLeadingNonEmptyTexts) {
    struct Case {
        std::vector<std::string> texts;
        std::vector<std::string> sent;
    };
    const Case cases[] = {{{}, {}},
                          {{"", "b", "c", "d", "e"}, {}},
                          {{"a", "", "c"}, {"a"}},
                          {{"a", "b", "c", "d", "令牌"}, {"a", "b", "c", "d", "令牌"}}};
    for (const Case& c : cases) {
        ASSERT_TRUE(m_transport.callWithTexts(m_reply, "f", c.texts, DataMode::Plain));
        EXPECT_EQ(m_service.calls().back().params, c.sent);
    }
}

TEST_F(ServiceTransportTest, EncryptedDataReplacesTheEnvelope) {
    m_service.onCall([](const ServiceRequest& request) {
        return FakeService::encryptedData(R"({"data":"1| |2","名":"值"})", request);
    });
    ASSERT_TRUE(m_transport.callWithTexts(m_reply, "newestdraw", {}, DataMode::Encrypted));
    EXPECT_EQ(m_reply.get("data"), "1| |2");
    EXPECT_EQ(m_reply.get("名"), "值");
}

TEST_F(ServiceTransportTest, PlainDataReplacesTheEnvelope) {
    m_service.onCall([](const ServiceRequest&) { return FakeService::envelope("0", "", R"({"k":"v"})"); });
    ASSERT_TRUE(m_transport.callForData(m_reply, "getforecast", {"t"}, DataMode::Plain));
    EXPECT_EQ(m_reply.toText(), R"({"k":"v"})");
}

TEST_F(ServiceTransportTest, EmptyDataKeepsTheEnvelope) {
    m_service.onCall([](const ServiceRequest&) { return FakeService::envelope("0", "好", ""); });
    ASSERT_TRUE(m_transport.callWithTexts(m_reply, "f", {}, DataMode::Encrypted));
    expectError("0", "好");
}

TEST_F(ServiceTransportTest, OnlyTheExactTextZeroIsSuccess) {
    for (const char* errcode : {"00", " 0", "1", ""}) {
        SCOPED_TRACE(errcode);
        m_service.onCall(
            [errcode](const ServiceRequest&) { return FakeService::envelope(errcode, "维护", ""); });
        EXPECT_FALSE(m_transport.callWithTexts(m_reply, "f", {}, DataMode::Encrypted));
        expectError(errcode, "维护");
    }
    // The member is compared as text, so a number 0 reads "0" like the string does.
    m_service.onCall([](const ServiceRequest&) { return RawReply{R"({"errcode":0,"msg":"number"})"}; });
    EXPECT_TRUE(m_transport.callWithTexts(m_reply, "f", {}, DataMode::Encrypted));
}

TEST_F(ServiceTransportTest, HandshakeThatIsNotJsonMakesOnePostOnly) {
    m_service.onHandshake([](int) { return RawReply{"<html>busy</html>"}; });
    EXPECT_FALSE(m_transport.callWithTexts(m_reply, "init", {}, DataMode::Encrypted));
    EXPECT_EQ(m_service.posts(), 1);
    expectError("9999", "服务器访问错误!");
}

struct HandshakeCase {
    const char* name;
    RawReply reply;
    const char* errcode;
    const char* msg;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const HandshakeCase& c, std::ostream* out) { *out << c.name; }

class FailedHandshake : public ServiceTransportTest, public testing::WithParamInterface<HandshakeCase> {};

TEST_P(FailedHandshake, EndsTheCallWithTheReplyItLeft) {
    m_service.onHandshake([](int) { return GetParam().reply; });
    EXPECT_FALSE(m_transport.callWithTexts(m_reply, "init", {}, DataMode::Encrypted));
    EXPECT_EQ(m_service.posts(), 1);
    expectError(GetParam().errcode, GetParam().msg);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedHandshake,
    testing::Values(HandshakeCase{"Empty", {"", 200}, "9999", "服务器访问失败!"},
                    HandshakeCase{"StartsWithZeroByte", {std::string("\0{}", 3)}, "9999", "服务器访问失败!"},
                    HandshakeCase{"Status500", {"oops", 500}, "9999", "服务器访问错误!"},
                    HandshakeCase{"Truncated", {R"({"errcode":"0","data":"EA42)"}, "9999", "服务器访问错误!"},
                    HandshakeCase{
                        "NotUtf8", {"{\"errcode\":\"0\",\"data\":\"\xC0\xAF\"}"}, "9999", "服务器访问错误!"},
                    HandshakeCase{"ServiceRefuses", {R"({"errcode":"7","msg":"拒绝"})"}, "7", "拒绝"},
                    HandshakeCase{"NotAnObject", {"[1,2]"}, "", ""},
                    // A key that decodes to nothing leaves the handshake's own success reply.
                    HandshakeCase{"EmptyKey", {R"({"errcode":"0","msg":"","data":""})"}, "0", ""},
                    HandshakeCase{"OddLengthKey", {R"({"errcode":"0","msg":"","data":"EA4"})"}, "0", ""},
                    HandshakeCase{"NonHexKey", {R"({"errcode":"0","msg":"","data":"ZZZZ"})"}, "0", ""}),
    [](const testing::TestParamInfo<HandshakeCase>& info) { return info.param.name; });

struct CallReplyCase {
    const char* name;
    RawReply reply;
    DataMode mode;
    const char* errcode;
    const char* msg;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const CallReplyCase& c, std::ostream* out) { *out << c.name; }

class FailedCall : public ServiceTransportTest, public testing::WithParamInterface<CallReplyCase> {};

TEST_P(FailedCall, FillsTheClientsOwnErrorReply) {
    m_service.onCall([](const ServiceRequest&) { return GetParam().reply; });
    EXPECT_FALSE(m_transport.callWithTexts(m_reply, "f", {}, GetParam().mode));
    EXPECT_EQ(m_service.posts(), 2);
    expectError(GetParam().errcode, GetParam().msg);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedCall,
    testing::Values(
        CallReplyCase{"Empty", {""}, DataMode::Encrypted, "9999", "服务器访问失败!"},
        CallReplyCase{"Status500", {"oops", 500}, DataMode::Encrypted, "9999", "服务器访问错误!"},
        CallReplyCase{"NotJson", {"<html>"}, DataMode::Encrypted, "9999", "服务器访问错误!"},
        CallReplyCase{
            "Truncated", {R"({"errcode":"0","msg":"","da)"}, DataMode::Encrypted, "9999", "服务器访问错误!"},
        CallReplyCase{"NotUtf8",
                      {"{\"errcode\":\"0\",\"msg\":\"\xB7\xFE\xCE\xF1\",\"data\":\"\"}"},
                      DataMode::Encrypted,
                      "9999",
                      "服务器访问错误!"},
        CallReplyCase{"OddLengthData", FakeService::envelope("0", "", "ABC"), DataMode::Encrypted, "9999",
                      "服务器访问错误!2"},
        CallReplyCase{"NonHexData", FakeService::envelope("0", "", "XYZW"), DataMode::Encrypted, "9999",
                      "服务器访问错误!2"},
        CallReplyCase{"DataUnderAnotherKey", FakeService::envelope("0", "", encryptReplyData("{}", 1)),
                      DataMode::Encrypted, "9999", "服务器访问错误!2"},
        CallReplyCase{"PlainDataNotJson", FakeService::envelope("0", "", "1| |2"), DataMode::Plain, "9999",
                      "服务器访问错误!2"}),
    [](const testing::TestParamInfo<CallReplyCase>& info) { return info.param.name; });

TEST_F(ServiceTransportTest, UnreachableEndpointFailsWithoutReply) {
    m_transport.setEndpoint("http://127.0.0.1:" + std::to_string(test::closedPort()) + "/", kServiceAppId);
    EXPECT_FALSE(m_transport.callWithTexts(m_reply, "init", {}, DataMode::Encrypted));
    expectError("9999", "服务器访问失败!");
}

TEST_F(ServiceTransportTest, GiganticReplyFailsWithoutReply) {
    m_service.onCall([](const ServiceRequest&) { return RawReply{std::string(kMaxReplyBytes + 10, '[')}; });
    EXPECT_FALSE(m_transport.callWithTexts(m_reply, "f", {}, DataMode::Encrypted));
    expectError("9999", "服务器访问失败!");
}

TEST_F(ServiceTransportTest, EveryCallUsesAFreshKey) {
    ASSERT_TRUE(m_transport.callWithTexts(m_reply, "a", {}, DataMode::Plain));
    ASSERT_TRUE(m_transport.callWithTexts(m_reply, "b", {}, DataMode::Plain));
    EXPECT_EQ(m_service.handshakes(), 2);
    EXPECT_EQ(m_service.calls().size(), 2u);  // each opened only with the key handed out just before
    EXPECT_EQ(m_service.posts(), 4);
}

}  // namespace
}  // namespace k3
