#include "server/server_options.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

TEST(ServerOptionsTest, DefaultsServeTheClientsFallbackEndpoint) {
    const OptionsResult result = parseServerOptions({});
    ASSERT_TRUE(result.options);
    EXPECT_EQ(result.options->host, "127.0.0.1");
    EXPECT_EQ(result.options->port, 19200);
    EXPECT_EQ(result.options->databasePath, "k3drawd.sqlite3");
    EXPECT_EQ(result.options->intervalSeconds, 0);
    EXPECT_TRUE(result.options->publicUrl.empty());
    EXPECT_TRUE(result.options->links.empty());
    EXPECT_FALSE(result.options->quiet);
}

TEST(ServerOptionsTest, EveryOptionIsRead) {
    const OptionsResult result =
        parseServerOptions({"--listen", "0.0.0.0:8080", "--db", "/var/lib/k3/draws.db", "--interval", "30",
                            "--public-url", "https://draws.example.org/k3", "--offer-version", "1.5",
                            "--offer-file", "/srv/k3-1.5.bin", "--link", "充值=https://pay.example.org/?a=b",
                            "--link", "帮助=http://help.example.org/", "--quiet"});
    ASSERT_TRUE(result.options) << result.error;
    const ServerOptions& options = *result.options;
    EXPECT_EQ(options.host, "0.0.0.0");
    EXPECT_EQ(options.port, 8080);
    EXPECT_EQ(options.databasePath, "/var/lib/k3/draws.db");
    EXPECT_EQ(options.intervalSeconds, 30);
    EXPECT_EQ(options.publicUrl, "https://draws.example.org/k3");
    EXPECT_EQ(options.offerVersion, "1.5");
    EXPECT_EQ(options.offerFile, "/srv/k3-1.5.bin");
    const std::vector<std::pair<std::string, std::string>> links = {{"充值", "https://pay.example.org/?a=b"},
                                                                    {"帮助", "http://help.example.org/"}};
    EXPECT_EQ(options.links, links);
    EXPECT_TRUE(options.quiet);
}

TEST(ServerOptionsTest, ListenAddressForms) {
    const struct {
        const char* listen;
        const char* host;
        int port;
    } cases[] = {{"127.0.0.1:0", "127.0.0.1", 0},
                 {"localhost:65535", "localhost", 65535},
                 {"[::1]:19200", "::1", 19200}};
    for (const auto& c : cases) {
        const OptionsResult result = parseServerOptions({"--listen", c.listen});
        ASSERT_TRUE(result.options) << c.listen;
        EXPECT_EQ(result.options->host, c.host);
        EXPECT_EQ(result.options->port, c.port);
    }
}

TEST(ServerOptionsTest, BadCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--listen"},
        {"--listen", "19200"},
        {"--listen", "127.0.0.1:"},
        {"--listen", ":19200"},
        {"--listen", "127.0.0.1:65536"},
        {"--listen", "127.0.0.1:-1"},
        {"--interval", "0"},
        {"--interval", "abc"},
        {"--interval", "86401"},
        {"--public-url", "draws.example.org"},
        {"--db", ""},
        {"--link", "nolink"},
        {"--link", "=http://a/"},
        {"--link", "a="},
        {"--link", "a=http://x/", "--link", "a=http://y/"},
        {"--offer-version", "1.5"},
        {"--offer-file", "/srv/k3.bin"},
    };
    for (const auto& arguments : cases) {
        const OptionsResult result = parseServerOptions(arguments);
        EXPECT_FALSE(result.options) << arguments.front();
        EXPECT_FALSE(result.error.empty()) << arguments.front();
    }
}

TEST(ServerOptionsTest, HelpIsAskedFor) {
    EXPECT_TRUE(parseServerOptions({"--help"}).options->help);
    EXPECT_NE(serverUsage().find("--offer-version"), std::string::npos);
}

}  // namespace
}  // namespace k3
