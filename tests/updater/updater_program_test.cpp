// The built updater run as its own process beside a program in a scratch folder, the way the
// client leaves it: a good download replaces and restarts the program, a bad one or a folder it
// may not write leaves the program as it was and says so.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/updater/test_support.h"
#include "tests/updater/updater_process.h"
#include "updater/update_job.h"

namespace k3 {
namespace {

using namespace std::chrono_literals;

const std::string programName = "澜星吉林快三平刷独胆计划";
const std::string oldProgram = "#!/bin/sh\necho old > \"$(dirname \"$0\")/ran.txt\"\n";
// The new version notes that it was started, and from where.
const std::string newProgram = "#!/bin/sh\necho \"new $0\" > \"$(dirname \"$0\")/ran.txt\"\n";
// Generous: a loaded machine; the test ends as soon as the condition holds.
constexpr auto limit = 60s;

class UpdaterProgram : public testing::Test {
protected:
    void SetUp() override {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);  // the updater opens a window
        test::addDownloadRoutes(m_server.routes(), newProgram);
        std::filesystem::copy_file(K3_UPDATER_PROGRAM, m_updater);
        test::writeFile(m_program, oldProgram, 0755);
        ::chmod(m_dir.path().c_str(), 0755);
    }

    std::unique_ptr<test::ChildProcess> startUpdater(const std::string& route, bool unprivileged = false) {
        return std::make_unique<test::ChildProcess>(
            m_updater, std::vector<std::string>{programName, "1.41", "1.5", m_server.url(route), programName},
            m_errors.file("stderr.txt"), unprivileged);
    }

    std::string errors() const { return test::readFile(m_errors.file("stderr.txt")); }

    test::LoopbackServer m_server;
    test::TempDir m_dir;
    test::TempDir m_errors;
    std::string m_updater = m_dir.file("更新器");
    std::string m_program = m_dir.file(programName);
};

TEST_F(UpdaterProgram, ReplacesTheProgramAndStartsTheNewVersion) {
    auto updater = startUpdater("/good");
    EXPECT_EQ(updater->waitForExit(limit), std::optional<int>(0)) << errors();
    EXPECT_EQ(test::readFile(m_program), newProgram);
    EXPECT_EQ(test::fileMode(m_program), 0755u);
    EXPECT_TRUE(test::waitForFileText(m_dir.file("ran.txt"), "new " + m_program, limit));
    EXPECT_EQ(test::folderEntries(m_dir.path()),
              (std::vector<std::string>{"ran.txt", "更新器", programName}));
}

class UpdaterProgramFailure : public UpdaterProgram, public testing::WithParamInterface<const char*> {};

TEST_P(UpdaterProgramFailure, LeavesTheProgramIntactAndSaysWhy) {
    auto updater = startUpdater(GetParam());
    EXPECT_TRUE(test::waitForFileText(m_errors.file("stderr.txt"), downloadFailedPrefix, limit)) << errors();
    updater->terminate();  // the message box waits for a click nobody gives
    EXPECT_EQ(test::readFile(m_program), oldProgram);
    EXPECT_EQ(test::folderEntries(m_dir.path()), (std::vector<std::string>{"更新器", programName}));
}

INSTANTIATE_TEST_SUITE_P(Downloads, UpdaterProgramFailure,
                         testing::Values("/error500", "/truncated", "/empty"));

TEST_F(UpdaterProgram, AReadOnlyFolderGivesTheReplaceMessageAndKeepsTheProgram) {
    ::chmod(m_dir.path().c_str(), 0555);
    auto updater = startUpdater("/good", true);
    EXPECT_TRUE(test::waitForFileText(m_errors.file("stderr.txt"), replaceFailedMessage, limit)) << errors();
    updater->terminate();
    EXPECT_EQ(test::readFile(m_program), oldProgram);
    EXPECT_EQ(test::folderEntries(m_dir.path()), (std::vector<std::string>{"更新器", programName}));
}

TEST_F(UpdaterProgram, RefusesAProgramPathOutsideItsFolder) {
    auto updater = std::make_unique<test::ChildProcess>(
        m_updater, std::vector<std::string>{programName, "1.41", "1.5", m_server.url("/good"), "../victim"},
        m_errors.file("stderr.txt"));
    EXPECT_TRUE(test::waitForFileText(m_errors.file("stderr.txt"), "更新参数不正确", limit)) << errors();
    updater->terminate();
    EXPECT_FALSE(std::filesystem::exists(m_dir.path().parent_path() / "victim"));
}

}  // namespace
}  // namespace k3
