#include "server/request_body.h"
#include "server/request_reading.h"

#include "service/request_envelope.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

TEST(RequestBodyTest, KindsOfBodies) {
    const struct {
        std::string_view body;
        BodyKind kind;
        std::string_view cipher;
    } cases[] = {
        {"DATA=GETRAND?1494000000", BodyKind::Handshake, ""},
        {"DATA=GETRAND?", BodyKind::Malformed, ""},
        {"DATA=GETRAND?12x", BodyKind::Malformed, ""},
        {"DATA=0AFF", BodyKind::Call, "0AFF"},
        {"DATA=", BodyKind::Malformed, ""},
        {"data=0AFF", BodyKind::Malformed, ""},
        {"", BodyKind::Malformed, ""},
        {"{\"funname\":\"init\"}", BodyKind::Malformed, ""},
    };
    for (const auto& c : cases) {
        const RequestBody body = readRequestBody(c.body);
        EXPECT_EQ(body.kind, c.kind) << c.body;
        EXPECT_EQ(body.cipher, c.cipher) << c.body;
    }
}

TEST(RequestReadingTest, ReadsTheClientsRequestAndToleratesEmptyParameterForms) {
    const ServiceRequest sent{3456, "select_draw", 2113, {"token", "50"}};
    const std::optional<ServiceRequest> read = readCallRequest(urlEscape(buildRequestJson(sent)));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->requestNumber, 3456);
    EXPECT_EQ(read->funname, "select_draw");
    EXPECT_EQ(read->appId, 2113);
    EXPECT_EQ(read->params, sent.params);

    for (const std::string_view param : {"null", "\"\"", "[]"}) {
        const std::string json =
            R"({"rand":"7","funname":"init","appid":"2113","param":)" + std::string(param) + "}";
        const std::optional<ServiceRequest> request = readCallRequest(urlEscape(json));
        ASSERT_TRUE(request) << param;
        EXPECT_TRUE(request->params.empty()) << param;
    }
}

TEST(RequestReadingTest, RefusesWhatIsNotARequest) {
    const std::string_view cases[] = {
        R"({"rand":"7","funname":"init","appid":"2113"})",
        R"({"rand":7,"funname":"init","appid":"2113","param":[]})",
        R"({"rand":"7","funname":["init"],"appid":"2113","param":[]})",
        R"({"rand":"7","funname":"init","appid":"2113","param":[1]})",
        R"({"rand":"7","funname":"init","appid":"2113","param":{}})",
        R"({"rand":"7","funname":"init","appid":"2113","param":"x"})",
        R"(["rand"])",
        R"({"rand":"7","funname":"init")",
    };
    for (const std::string_view json : cases) {
        EXPECT_FALSE(readCallRequest(urlEscape(json))) << json;
    }
    EXPECT_FALSE(readCallRequest("%7B%2"));
}

}  // namespace
}  // namespace k3
