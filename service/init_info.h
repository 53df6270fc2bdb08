// The start-up data the service's "init" call hands out.
#pragma once

#include <string>
#include <vector>

namespace k3 {

struct InitInfo {
    std::string userurl;
    std::string drawurl;   // endpoint of the draw calls
    std::string newphase;  // URL of the newest-period probe
    std::string advert1;   // page of the window's HTML view
    std::string advert2;
    std::string version;                   // newest version, for the update check
    std::string proupurl;                  // its download address
    std::vector<std::string> linkNames;    // link bar captions, in the service's order
    std::vector<std::string> linkTargets;  // their addresses, position for position
    std::string seo;
};

}  // namespace k3
