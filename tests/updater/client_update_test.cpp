// The whole self-update in a scratch folder holding a copy of the client: k3drawd offers 1.5
// with a download file, the question is answered through the message-box interface, the
// client's embedded updater is written and started, and the program file is replaced and
// started; the new program deletes the leftover updater. Also a download that fails and a
// folder the updater may not write, both leaving the program as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "service/service_client.h"
#include "tests/support/drawd_process.h"
#include "tests/updater/test_support.h"
#include "tests/updater/updater_process.h"
#include "updater/embedded_updater.h"
#include "updater/update_check.h"
#include "updater/update_job.h"

namespace k3 {
namespace {

using namespace std::chrono_literals;

const std::string product = "澜星吉林快三平刷独胆计划";
constexpr int32_t appId = 2113;
// Generous for a loaded machine; every wait ends as soon as its condition holds.
constexpr auto limit = 90s;

// The arguments of a k3drawd offering version 1.5 with the given file, its database in folder.
std::vector<std::string> offeringArguments(const test::TempDir& folder, const std::string& offerFile) {
    return {"--db", folder.file("k3drawd.sqlite3"), "--offer-version", "1.5", "--offer-file", offerFile};
}

// Children of this process (it adopts orphans, see SetUpTestSuite) that run the given file.
std::vector<int> childrenRunning(const std::string& program) {
    std::vector<int> pids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(close + 2));
        std::string state;
        int parent = 0;
        fields >> state >> parent;
        std::error_code error;
        if (parent == ::getpid() &&
            std::filesystem::read_symlink(entry.path() / "exe", error).string() == program) {
            pids.push_back(std::stoi(name));
        }
    }
    return pids;
}

bool waitUntilGone(const std::string& path) {
    for (auto waited = 0ms; waited < limit; waited += 50ms) {
        if (!std::filesystem::exists(path)) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

class ClientUpdate : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The updater starts the new program and ends; adopting that program lets the test end it.
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }

    void SetUp() override {
        std::filesystem::copy_file(K3_CLIENT_PROGRAM, m_program);
        ::chmod(m_program.c_str(), 0755);
        ::chmod(m_folder.path().c_str(), 0755);
        m_oldBytes = test::readFile(m_program);
        m_newBytes = m_oldBytes + "\n# version 1.5\n";  // still the client, and told apart
        test::writeFile(m_service.file("k3-1.5.bin"), m_newBytes);
    }

    void TearDown() override {
        for (const int pid : childrenRunning(m_program)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    // Connects to the service as the client's start-up does and runs the update check with
    // the client's own updater bytes; the question is answered OK.
    UpdateOutcome checkAgainst(const std::string& initUrl, test::ChildProcessStarter& processes) {
        SystemClock clock;
        ServiceClient service(clock);
        EXPECT_TRUE(service.init(initUrl, appId)) << service.lastError();
        const InitInfo info = service.initInfo();
        EXPECT_EQ(info.version, "1.5");
        const UpdateContext context{product,
                                    product,
                                    "1.41",
                                    updaterPathIn(m_folder.path().string()),
                                    embeddedUpdaterImage(),
                                    m_messages,
                                    m_events,
                                    m_files,
                                    processes,
                                    [this] { ++m_splashCloses; }};
        return checkUpdate(context, info.version, info.proupurl);
    }

    test::TempDir m_folder;
    test::TempDir m_service;
    test::TempDir m_outputs;
    std::string m_program = m_folder.file(product);
    std::string m_updater = updaterPathIn(m_folder.path().string());
    std::string m_oldBytes;
    std::string m_newBytes;
    RecordingMessageBoxes m_messages{true};
    CountingEventPump m_events;
    DiskUpdaterFiles m_files;
    int m_splashCloses = 0;
};

TEST_F(ClientUpdate, OkReplacesTheProgramWhichThenDeletesTheUpdater) {
    test::DrawdProcess drawd(offeringArguments(m_service, m_service.file("k3-1.5.bin")));
    const std::string initUrl = drawd.initUrl();
    ASSERT_FALSE(initUrl.empty()) << drawd.error();
    test::ChildProcessStarter processes(m_outputs.path().string(), false);
    // The new program, started by the updater, finds the same service and waits at its question.
    ::setenv("K3_INIT_URL", initUrl.c_str(), 1);

    EXPECT_EQ(checkAgainst(initUrl, processes), UpdateOutcome::Accepted);
    EXPECT_EQ(m_messages.questions(), std::vector<std::string>{updateQuestion(product, "1.5")});
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_splashCloses, 1);
    ASSERT_EQ(processes.started().size(), 1u);
    auto& updater = processes.started()[0];
    EXPECT_EQ(updater.program, m_updater);
    EXPECT_EQ(updater.programBytes, std::string(embeddedUpdaterImage()));
    ASSERT_EQ(updater.arguments.size(), 5u);
    EXPECT_EQ(updater.arguments[4], product);

    EXPECT_EQ(updater.process->waitForExit(limit), std::optional<int>(0))
        << test::readFile(updater.outputFile);
    EXPECT_TRUE(test::readFile(m_program) == m_newBytes) << "the program file was not replaced";
    EXPECT_EQ(test::fileMode(m_program), 0755u);
    // The updater started the new program, whose start removes the leftover updater.
    EXPECT_TRUE(waitUntilGone(m_updater)) << test::readFile(updater.outputFile);
    EXPECT_FALSE(childrenRunning(m_program).empty());
}

TEST_F(ClientUpdate, AFailedDownloadLeavesTheProgramIntact) {
    test::DrawdProcess drawd(offeringArguments(m_service, m_service.file("k3-1.5.bin")));
    const std::string initUrl = drawd.initUrl();
    ASSERT_FALSE(initUrl.empty()) << drawd.error();
    test::ChildProcessStarter processes(m_outputs.path().string(), false);
    // The service goes away between the start-up data and the download.
    const std::string downloadUrl = [&] {
        SystemClock clock;
        ServiceClient service(clock);
        EXPECT_TRUE(service.init(initUrl, appId)) << service.lastError();
        return service.initInfo().proupurl;
    }();
    drawd.stop();
    const UpdateContext context{product,    product,  "1.41",  m_updater, embeddedUpdaterImage(),
                                m_messages, m_events, m_files, processes, {}};
    EXPECT_EQ(checkUpdate(context, "1.5", downloadUrl), UpdateOutcome::Accepted);
    ASSERT_EQ(processes.started().size(), 1u);
    auto& updater = processes.started()[0];

    EXPECT_TRUE(test::waitForFileText(updater.outputFile, downloadFailedPrefix, limit))
        << test::readFile(updater.outputFile);
    updater.process->terminate();  // its message box waits for a click
    EXPECT_TRUE(test::readFile(m_program) == m_oldBytes) << "the program file changed";
    EXPECT_EQ(test::folderEntries(m_folder.path()), (std::vector<std::string>{"更新器", product}));
}

TEST_F(ClientUpdate, AFolderTheUpdaterMayNotWriteKeepsTheProgramAndSaysSo) {
    test::DrawdProcess drawd(offeringArguments(m_service, m_service.file("k3-1.5.bin")));
    const std::string initUrl = drawd.initUrl();
    ASSERT_FALSE(initUrl.empty()) << drawd.error();
    // An updater left from before (its delete failed) is started as it is; the folder is
    // read-only for the user the updater runs as.
    test::writeFile(m_updater, std::string(embeddedUpdaterImage()), 0755);
    ::chmod(m_folder.path().c_str(), 0555);
    test::ChildProcessStarter processes(m_outputs.path().string(), true);

    EXPECT_EQ(checkAgainst(initUrl, processes), UpdateOutcome::Accepted);
    ASSERT_EQ(processes.started().size(), 1u);
    auto& updater = processes.started()[0];
    EXPECT_TRUE(test::waitForFileText(updater.outputFile, replaceFailedMessage, limit))
        << test::readFile(updater.outputFile);
    updater.process->terminate();
    EXPECT_TRUE(test::readFile(m_program) == m_oldBytes) << "the program file changed";
    EXPECT_EQ(test::folderEntries(m_folder.path()), (std::vector<std::string>{"更新器", product}));
}

}  // namespace
}  // namespace k3
