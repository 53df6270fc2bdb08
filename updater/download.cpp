// The updater's download with libcurl.
#include "updater/download.h"

#include <curl/curl.h>
#include <unistd.h>

#include <memory>

namespace k3 {

namespace {

constexpr long connectTimeoutSeconds = 15;
// A download may take long; one that delivers nothing for a minute is given up.
constexpr long stallSeconds = 60;
constexpr long maxRedirects = 5;

struct Transfer {
    int fd;
    const DownloadProgress& progress;
    const std::atomic<bool>& cancel;
    int64_t bytes = 0;
    bool writeFailed = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t total = size * count;
    size_t done = 0;
    while (done < total) {
        const ssize_t written = ::write(transfer.fd, data + done, total - done);
        if (written <= 0) {
            transfer.writeFailed = true;
            return 0;
        }
        done += static_cast<size_t>(written);
    }
    transfer.bytes += static_cast<int64_t>(total);
    return total;
}

int reportProgress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(user);
    if (transfer.progress) {
        transfer.progress(received, total);
    }
    return transfer.cancel.load() ? 1 : 0;
}

std::string checkComplete(CURL* curl, CURLcode code, const Transfer& transfer) {
    if (transfer.writeFailed) {
        return "无法写入临时文件";
    }
    if (transfer.cancel.load()) {
        return "下载已取消";
    }
    if (code != CURLE_OK) {
        return curl_easy_strerror(code);
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200) {
        return "服务器返回 HTTP " + std::to_string(status);
    }
    if (transfer.bytes == 0) {
        return "下载的文件是空的";
    }
    curl_off_t announced = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced >= 0 && announced != transfer.bytes) {
        return "文件不完整：收到 " + std::to_string(transfer.bytes) + " 字节，应为 " +
               std::to_string(announced) + " 字节";
    }
    return {};
}

}  // namespace

DownloadResult downloadToFile(const std::string& url, int fd, const DownloadProgress& progress,
                              const std::atomic<bool>& cancel) {
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        return {false, "无法初始化下载", 0};
    }
    Transfer transfer{fd, progress, cancel};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, maxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, connectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, stallSeconds);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &reportProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    const CURLcode code = curl_easy_perform(handle);
    std::string problem = checkComplete(handle, code, transfer);
    return {problem.empty(), std::move(problem), transfer.bytes};
}

}  // namespace k3
