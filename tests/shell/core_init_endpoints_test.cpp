#include "shell/init_endpoints.h"

#include <gtest/gtest.h>

#include <ostream>

namespace k3 {
namespace {

struct EndpointCase {
    const char* host;
    const char* override;
    const char* url;
};

void PrintTo(const EndpointCase& c, std::ostream* out) {
    *out << c.host << " " << (c.override ? c.override : "(unset)");
}

class PrimaryInitUrlTest : public ::testing::TestWithParam<EndpointCase> {};

TEST_P(PrimaryInitUrlTest, ServiceHostOrTheWholeOverride) {
    EXPECT_EQ(primaryInitUrl(GetParam().host, GetParam().override), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, PrimaryInitUrlTest,
    ::testing::Values(EndpointCase{"127.0.0.1", nullptr, "http://127.0.0.1:19300/appinit.php"},
                      EndpointCase{"draws.example", nullptr, "http://draws.example:19300/appinit.php"},
                      EndpointCase{"127.0.0.1", "", "http://127.0.0.1:19300/appinit.php"},
                      EndpointCase{"127.0.0.1", "http://10.0.0.5:8080/", "http://10.0.0.5:8080/"}));

}  // namespace
}  // namespace k3
