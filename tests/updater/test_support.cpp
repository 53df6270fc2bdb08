// Files and the loopback download server for the self-update tests.
#include "tests/updater/test_support.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace k3::test {

std::string readFile(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& bytes, mode_t mode) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    ::chmod(path.c_str(), mode);
}

mode_t fileMode(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

LoopbackServer::LoopbackServer() : m_port(m_server.bind_to_any_port("127.0.0.1")) {
    if (m_port <= 0) {
        throw std::runtime_error("no loopback port");
    }
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // stop() does nothing until the accept loop runs, so a server stopped early would never end.
    while (!m_server.is_running()) {
        std::this_thread::yield();
    }
}

LoopbackServer::~LoopbackServer() {
    m_server.stop();
    m_thread.join();
}

std::string LoopbackServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void addDownloadRoutes(httplib::Server& server, const std::string& body) {
    server.Get("/good", [body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    server.Get("/empty", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("", "application/octet-stream");
    });
    server.Get("/error500", [](const httplib::Request&, httplib::Response& response) {
        response.status = 500;
        response.set_content("server error", "text/plain");
    });
    server.Get("/truncated", [body](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(body.size(), "application/octet-stream",
                                      [body](size_t offset, size_t, httplib::DataSink& sink) {
                                          if (offset > 0) {
                                              return false;  // drop the connection halfway
                                          }
                                          sink.write(body.data(), body.size() / 2);
                                          return true;
                                      });
    });
    server.Get("/moved",
               [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/good"); });
}

}  // namespace k3::test
