// libcurl driven through its multi interface so that the event pump can run while a request
// is under way.
#include "service/http_request.h"

#include "platform/event_pump.h"

#include <curl/curl.h>

#include <memory>

namespace k3 {

const std::vector<std::string> kServiceRequestHeaders = {
    "Accept: */*",
    "Accept-Language: zh-CN",
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
    "Content-Type: application/x-www-form-urlencoded",
    "Accept-Encoding: deflate",
    "Connection: Keep-Alive",
    "Cache-Control: no-cache",
};

namespace {

constexpr int kPumpIntervalMs = 50;

enum class Method { Post, Get, Fetch };

// CURL and CURLM are the same void type, so each needs its own deleter.
struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

void initialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

size_t appendBody(char* data, size_t size, size_t count, void* userData) {
    auto* body = static_cast<std::string*>(userData);
    const size_t bytes = size * count;
    if (body->size() + bytes > kMaxReplyBytes) {
        return 0;  // makes curl fail the transfer
    }
    body->append(data, bytes);
    return bytes;
}

// "Expect:" keeps curl from sending a header of its own before a large body.
curl_slist* headersFor(Method method) {
    curl_slist* list = nullptr;
    const size_t count = method == Method::Post  ? kServiceRequestHeaders.size()
                         : method == Method::Get ? kServiceRequestHeaders.size() - 1
                                                 : 0;
    for (size_t i = 0; i < count; ++i) {
        list = curl_slist_append(list, kServiceRequestHeaders[i].c_str());
    }
    return curl_slist_append(list, "Expect:");
}

// Runs the transfer to its end, pumping events between short waits; true when it completed.
bool runTransfer(CURL* easy, const TransferControl& control) {
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK) {
        return false;
    }
    bool completed = false;
    int running = 1;
    while (running > 0) {
        if (control.abortFlag && control.abortFlag->load()) {
            break;
        }
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            break;
        }
        if (running > 0) {
            curl_multi_poll(multi.get(), nullptr, 0, kPumpIntervalMs, nullptr);
            if (control.eventPump) {
                control.eventPump->processPendingEvents();
            }
        }
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE) {
            completed = message->data.result == CURLE_OK;
        }
    }
    curl_multi_remove_handle(multi.get(), easy);
    return completed;
}

std::string perform(Method method, std::string_view url, std::string_view body,
                    const TransferControl& control) {
    initialiseCurlOnce();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        return {};
    }
    const std::string target(url);
    std::string reply;
    std::unique_ptr<curl_slist, ListDeleter> headers(headersFor(method));
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, target.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(kConnectTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(kTotalTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply);
    if (method == Method::Post) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.data());
    }
    if (method == Method::Fetch) {
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    }
    return runTransfer(handle, control) ? reply : std::string();
}

}  // namespace

std::string httpPost(std::string_view url, std::string_view body, const TransferControl& control) {
    return perform(Method::Post, url, body, control);
}

std::string httpGet(std::string_view url, const TransferControl& control) {
    return perform(Method::Get, url, {}, control);
}

std::string fetchUrl(std::string_view url, const TransferControl& control) {
    return perform(Method::Fetch, url, {}, control);
}

}  // namespace k3
