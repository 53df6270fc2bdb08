// The updater's command line: five values, a web address and a plain program file name.
#include "updater/updater_arguments.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

TEST(UpdaterArgumentsParse, KeepsTheFiveValues) {
    const auto arguments = parseUpdaterArguments(
        {"澜星吉林快三平刷独胆计划", "1.41", "1.5", "https://h/d?f=1", "澜星吉林快三平刷独胆计划"});
    ASSERT_TRUE(arguments.has_value());
    EXPECT_EQ(arguments->productName, "澜星吉林快三平刷独胆计划");
    EXPECT_EQ(arguments->oldVersion, "1.41");
    EXPECT_EQ(arguments->newVersion, "1.5");
    EXPECT_EQ(arguments->downloadUrl, "https://h/d?f=1");
    EXPECT_EQ(arguments->programFile, "澜星吉林快三平刷独胆计划");
}

struct RejectedCase {
    const char* why;
    std::vector<std::string> values;
};

std::ostream& operator<<(std::ostream& out, const RejectedCase& c) { return out << c.why; }

class UpdaterArgumentsRejected : public testing::TestWithParam<RejectedCase> {};

TEST_P(UpdaterArgumentsRejected, GivesNothing) {
    EXPECT_FALSE(parseUpdaterArguments(GetParam().values).has_value()) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Values, UpdaterArgumentsRejected,
    testing::Values(RejectedCase{"four values", {"p", "1", "2", "http://h/x"}},
                    RejectedCase{"six values", {"p", "1", "2", "http://h/x", "prog", "extra"}},
                    RejectedCase{"no values", {}},
                    RejectedCase{"file address", {"p", "1", "2", "file:///etc/passwd", "prog"}},
                    RejectedCase{"ftp address", {"p", "1", "2", "ftp://h/x", "prog"}},
                    RejectedCase{"path in the file name", {"p", "1", "2", "http://h/x", "../prog"}},
                    RejectedCase{"absolute file name", {"p", "1", "2", "http://h/x", "/usr/bin/prog"}},
                    RejectedCase{"backslash in the file name", {"p", "1", "2", "http://h/x", "a\\prog"}},
                    RejectedCase{"parent folder", {"p", "1", "2", "http://h/x", ".."}},
                    RejectedCase{"empty file name", {"p", "1", "2", "http://h/x", ""}}));

}  // namespace
}  // namespace k3
