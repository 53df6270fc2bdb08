// The updater's work against a download server on 127.0.0.1: the program file is replaced only
// by a complete download, keeps its permissions, and is started afterwards.
#include "updater/update_job.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/updater/fake_updater_parts.h"
#include "tests/updater/test_support.h"

namespace k3 {
namespace {

const std::string programName = "澜星吉林快三平刷独胆计划";
const std::string oldProgram = "#!/bin/sh\necho old version\n";

// Notes what the program file held when the updater waited for the old program to end.
class RecordingExitWait final : public ProgramExitWait {
public:
    explicit RecordingExitWait(std::string programPath) : m_programPath(std::move(programPath)) {}
    void waitForExit() override { m_seen.push_back(test::readFile(m_programPath)); }
    const std::vector<std::string>& seen() const { return m_seen; }

private:
    std::string m_programPath;
    std::vector<std::string> m_seen;
};

class UpdateJobTest : public testing::Test {
protected:
    void SetUp() override {
        test::addDownloadRoutes(m_server.routes(), m_newProgram);
        test::writeFile(m_program, oldProgram, 0750);
    }

    UpdateReport runWith(const std::string& url, const std::string& directory) {
        UpdateJob job(UpdaterArguments{programName, "1.41", "1.5", url, programName}, directory, m_wait,
                      m_processes);
        return job.run([this](int64_t received, int64_t) { m_lastReceived = received; }, m_cancel);
    }

    std::string m_newProgram = "#!/bin/sh\necho new version\n" + std::string(100000, '#');
    test::LoopbackServer m_server;
    test::TempDir m_dir;
    std::string m_program = m_dir.file(programName);
    RecordingExitWait m_wait{m_program};
    test::RecordingProcessStarter m_processes;
    std::atomic<bool> m_cancel{false};
    int64_t m_lastReceived = 0;
};

TEST_F(UpdateJobTest, ACompleteDownloadReplacesTheProgramKeepsItsModeAndStartsIt) {
    for (const char* route : {"/good", "/moved"}) {
        test::writeFile(m_program, oldProgram, 0750);
        const UpdateReport report = runWith(m_server.url(route), m_dir.path().string());
        EXPECT_TRUE(report.succeeded) << route << ": " << report.message;
        EXPECT_EQ(test::readFile(m_program), m_newProgram) << route;
        EXPECT_EQ(test::fileMode(m_program), 0750u) << route;
    }
    EXPECT_EQ(m_lastReceived, static_cast<int64_t>(m_newProgram.size()));
    // The old program was still in place while the updater waited for it to end.
    EXPECT_EQ(m_wait.seen(), (std::vector<std::string>{oldProgram, oldProgram}));
    ASSERT_EQ(m_processes.started().size(), 2u);
    EXPECT_EQ(m_processes.started()[1].program, m_program);
    EXPECT_TRUE(m_processes.started()[1].arguments.empty());
    EXPECT_EQ(test::folderEntries(m_dir.path()), std::vector<std::string>{programName});
}

TEST_F(UpdateJobTest, AMissingProgramFileIsCreatedExecutable) {
    std::filesystem::remove(m_program);
    EXPECT_TRUE(runWith(m_server.url("/good"), m_dir.path().string()).succeeded);
    EXPECT_EQ(test::readFile(m_program), m_newProgram);
    EXPECT_EQ(test::fileMode(m_program), 0755u);
}

struct FailedDownloadCase {
    const char* route;
    const char* problem;  // the part of the message after the prefix, or its start
};

std::ostream& operator<<(std::ostream& out, const FailedDownloadCase& c) { return out << c.route; }

class FailedDownload : public UpdateJobTest, public testing::WithParamInterface<FailedDownloadCase> {};

TEST_P(FailedDownload, LeavesTheProgramIntactAndSaysWhy) {
    const UpdateReport report = runWith(m_server.url(GetParam().route), m_dir.path().string());
    EXPECT_FALSE(report.succeeded);
    EXPECT_TRUE(report.message.starts_with(std::string(downloadFailedPrefix) + GetParam().problem))
        << report.message;
    EXPECT_EQ(test::readFile(m_program), oldProgram);
    EXPECT_EQ(test::fileMode(m_program), 0750u);
    EXPECT_EQ(test::folderEntries(m_dir.path()), std::vector<std::string>{programName});
    EXPECT_TRUE(m_wait.seen().empty());
    EXPECT_TRUE(m_processes.started().empty());
}

INSTANTIATE_TEST_SUITE_P(Routes, FailedDownload,
                         testing::Values(FailedDownloadCase{"/error500", "服务器返回 HTTP 500"},
                                         FailedDownloadCase{"/missing", "服务器返回 HTTP 404"},
                                         FailedDownloadCase{"/empty", "下载的文件是空的"},
                                         // curl notices the closed connection before the length check does.
                                         FailedDownloadCase{"/truncated", ""}));

TEST_F(UpdateJobTest, ANetworkFailureLeavesTheProgramIntact) {
    // A port that was just free: nothing listens there.
    const std::string url = [] {
        test::LoopbackServer gone;
        return gone.url("/good");
    }();
    const UpdateReport report = runWith(url, m_dir.path().string());
    EXPECT_FALSE(report.succeeded);
    EXPECT_TRUE(report.message.starts_with(downloadFailedPrefix)) << report.message;
    EXPECT_EQ(test::readFile(m_program), oldProgram);
}

TEST_F(UpdateJobTest, ACancelledDownloadLeavesTheProgramIntact) {
    m_cancel = true;
    const UpdateReport report = runWith(m_server.url("/good"), m_dir.path().string());
    EXPECT_FALSE(report.succeeded);
    EXPECT_EQ(report.message, std::string(downloadFailedPrefix) + "下载已取消");
    EXPECT_EQ(test::folderEntries(m_dir.path()), std::vector<std::string>{programName});
}

TEST_F(UpdateJobTest, AProgramThatCannotBeReplacedGivesTheReplaceMessage) {
    // A non-empty folder under the program's name cannot be renamed over, not even by root.
    std::filesystem::remove(m_program);
    std::filesystem::create_directory(m_program);
    test::writeFile(m_program + "/inside", "kept");
    const UpdateReport report = runWith(m_server.url("/good"), m_dir.path().string());
    EXPECT_FALSE(report.succeeded);
    EXPECT_EQ(report.message, replaceFailedMessage);
    EXPECT_EQ(test::readFile(m_program + "/inside"), "kept");
    EXPECT_EQ(test::folderEntries(m_dir.path()), std::vector<std::string>{programName});
    EXPECT_TRUE(m_processes.started().empty());
}

TEST_F(UpdateJobTest, AFolderThatTakesNoNewFileGivesTheReplaceMessageBeforeDownloading) {
    std::atomic<int> downloads{0};
    m_server.routes().Get("/counted", [&](const httplib::Request&, httplib::Response& response) {
        ++downloads;
        response.set_content(m_newProgram, "application/octet-stream");
    });
    if (::geteuid() == 0) {
        // Root writes into read-only folders; a folder that is not there refuses root too.
        const UpdateReport report = runWith(m_server.url("/counted"), m_dir.file("gone"));
        EXPECT_EQ(report.message, replaceFailedMessage);
    } else {
        std::filesystem::permissions(m_dir.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        const UpdateReport report = runWith(m_server.url("/counted"), m_dir.path().string());
        EXPECT_EQ(report.message, replaceFailedMessage);
        EXPECT_EQ(test::readFile(m_program), oldProgram);
    }
    EXPECT_EQ(downloads.load(), 0);
    EXPECT_TRUE(m_processes.started().empty());
}

}  // namespace
}  // namespace k3
