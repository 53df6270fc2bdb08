// One HTTP request over libcurl, the body of the reply as bytes. Failures of any kind give the
// empty result; the status is not looked at.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class EventPump;

// How a blocking request shares the thread with a window: the pump runs between short waits
// so the window repaints, and a set abort flag ends the transfer with the empty result.
struct TransferControl {
    EventPump* eventPump = nullptr;
    const std::atomic<bool>* abortFlag = nullptr;
};

inline constexpr std::chrono::milliseconds kConnectTimeout{3000};
inline constexpr std::chrono::milliseconds kTotalTimeout{10000};
// A reply larger than this is no reply of the service: the transfer stops and gives nothing.
inline constexpr std::size_t kMaxReplyBytes = 8 * 1024 * 1024;

// The request headers of the protocol's posts, in the order they are sent; gets send all but
// the last.
extern const std::vector<std::string> kServiceRequestHeaders;

std::string httpPost(std::string_view url, std::string_view body, const TransferControl& control);
std::string httpGet(std::string_view url, const TransferControl& control);
// A plain GET that sends no headers of ours; nothing is cached on this side.
std::string fetchUrl(std::string_view url, const TransferControl& control);

}  // namespace k3
