// Helpers the self-update tests share: whole-file reads and writes, a download server on
// 127.0.0.1, and (from the shared test support) a scratch folder.
#pragma once

#include <httplib.h>

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

namespace k3::test {

// The bytes of a regular file; empty for anything else.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes, mode_t mode = 0644);
mode_t fileMode(const std::string& path);
// Names in the folder, sorted.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);

// An HTTP server on an ephemeral loopback port, listening from construction until destruction.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    httplib::Server& routes() { return m_server; }
    std::string url(const std::string& path) const;

private:
    httplib::Server m_server;
    int m_port;
    std::thread m_thread;
};

// Download routes for the updater: /good (the body with its length), /empty, /error500
// (a body with status 500), /truncated (announces the body but sends only half) and /moved
// (a redirect to /good).
void addDownloadRoutes(httplib::Server& server, const std::string& body);

}  // namespace k3::test
