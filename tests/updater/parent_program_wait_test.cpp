// Waiting for the old program: the updater runs as the child of the program it replaces and
// must not swap the file before that parent has ended.
#include "updater/parent_program_wait.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/updater/test_support.h"

namespace k3 {
namespace {

using namespace std::chrono_literals;

// A forked copy of this test program plays the old program; its child plays the updater and
// reports through a pipe what it saw when its wait returned: 'e' when its parent had ended,
// 'a' when the parent was still alive.
class ParentProgramWaitTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The updater's stand-in outlives its parent and comes back to this process.
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    }

    void SetUp() override {
        ASSERT_EQ(::pipe(m_ready), 0);
        ASSERT_EQ(::pipe(m_report), 0);
    }

    // Starts both processes; the parent ends once the child has set up its wait, if told to.
    void start(const std::string& programPath, bool parentEnds) {
        m_parent = ::fork();
        if (m_parent != 0) {
            return;
        }
        if (::fork() == 0) {
            ParentProgramWait wait(programPath, 1h);
            const pid_t parent = ::getppid();
            ::write(m_ready[1], "r", 1);
            wait.waitForExit();
            ::write(m_report[1], ::getppid() == parent ? "a" : "e", 1);
            ::_exit(0);
        }
        char ready = 0;
        ::read(m_ready[0], &ready, 1);
        if (parentEnds) {
            ::_exit(0);
        }
        ::pause();
        ::_exit(0);
    }

    // What the updater's stand-in reported; 0 when it said nothing within the limit.
    char report() {
        pollfd readable{m_report[0], POLLIN, 0};
        char seen = 0;
        if (::poll(&readable, 1, 60000) == 1) {
            ::read(m_report[0], &seen, 1);
        }
        return seen;
    }

    void TearDown() override {
        ::kill(m_parent, SIGKILL);
        ::waitpid(m_parent, nullptr, 0);
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        for (const int fd : {m_ready[0], m_ready[1], m_report[0], m_report[1]}) {
            ::close(fd);
        }
    }

    const std::string m_self = std::filesystem::read_symlink("/proc/self/exe").string();
    int m_ready[2] = {-1, -1};
    int m_report[2] = {-1, -1};
    pid_t m_parent = -1;
};

TEST_F(ParentProgramWaitTest, ReturnsOnlyOnceTheParentRunningTheProgramHasEnded) {
    start(m_self, true);
    EXPECT_EQ(report(), 'e');
}

TEST_F(ParentProgramWaitTest, DoesNotWaitForAParentThatRunsAnotherProgram) {
    test::TempDir dir;
    const std::string other = dir.file("other program");
    test::writeFile(other, "#!/bin/sh\n", 0755);
    start(other, false);
    EXPECT_EQ(report(), 'a');
}

}  // namespace
}  // namespace k3
