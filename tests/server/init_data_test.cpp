#include "server/init_data.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace k3 {
namespace {

TEST(InitDataTest, MembersInTheirOrderWithTheServicesAddresses) {
    const std::string url = "http://draws.example.org:19200/";
    const std::string text = buildInitData({url, "", "", defaultLinks(url)});
    EXPECT_EQ(
        text,
        R"({"userurl":"http://draws.example.org:19200/history","drawurl":"http://draws.example.org:19200/draw",)"
        R"("newphase":"http://draws.example.org:19200/newphase","advert1":"http://draws.example.org:19200/advert",)"
        R"("advert2":"http://draws.example.org:19200/history","version":"1.41","proupurl":"",)"
        R"("payurl":{"开奖走势":"http://draws.example.org:19200/advert","历史开奖":"http://draws.example.org:19200/history"},)"
        R"("seo":"吉林快三开奖数据"})");
}

TEST(InitDataTest, AnOfferNamesItsEscapedDownloadAndLinksKeepTheirOrder) {
    const std::string text = buildInitData(
        {"https://k3.example.org", "1.5", "快三 1.5.exe", {{"z", "https://z/"}, {"a", "https://a/"}}});
    const auto data = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(data["version"], "1.5");
    EXPECT_EQ(data["proupurl"], "https://k3.example.org/download/%E5%BF%AB%E4%B8%89%201.5.exe");
    EXPECT_EQ(data["payurl"].dump(), R"({"z":"https://z/","a":"https://a/"})");
}

}  // namespace
}  // namespace k3
