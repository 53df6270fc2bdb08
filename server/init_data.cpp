// Every address in the init data is built from the one public address of the service.
#include "server/init_data.h"

#include "server/json_text.h"
#include "service/request_envelope.h"

namespace k3 {

std::string publicAddress(const std::string& publicUrl, std::string_view path) {
    std::string base = publicUrl;
    while (!base.empty() && base.back() == '/') {
        base.pop_back();
    }
    return base + std::string(path);
}

std::vector<std::pair<std::string, std::string>> defaultLinks(const std::string& publicUrl) {
    return {{"开奖走势", publicAddress(publicUrl, "/advert")},
            {"历史开奖", publicAddress(publicUrl, "/history")}};
}

std::string buildInitData(const InitSettings& settings) {
    nlohmann::ordered_json links = nlohmann::ordered_json::object();
    for (const auto& [caption, address] : settings.links) {
        links[caption] = address;
    }
    const bool offered = !settings.offerVersion.empty();
    nlohmann::ordered_json data;
    data["userurl"] = publicAddress(settings.publicUrl, "/history");
    data["drawurl"] = publicAddress(settings.publicUrl, "/draw");
    data["newphase"] = publicAddress(settings.publicUrl, "/newphase");
    data["advert1"] = publicAddress(settings.publicUrl, "/advert");
    data["advert2"] = publicAddress(settings.publicUrl, "/history");
    data["version"] = offered ? settings.offerVersion : std::string(kDefaultOfferedVersion);
    data["proupurl"] =
        offered ? publicAddress(settings.publicUrl, "/download/" + urlEscape(settings.offerFileName)) : "";
    data["payurl"] = links;
    data["seo"] = "吉林快三开奖数据";
    return compactJson(data);
}

}  // namespace k3
