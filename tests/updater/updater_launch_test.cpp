// Writing out, starting and cleaning up the updater on the real file system.
#include "updater/updater_launch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "tests/updater/fake_updater_parts.h"
#include "tests/updater/test_support.h"

namespace k3 {
namespace {

TEST(UpdaterLaunch, TheUpdaterLivesBesideTheProgram) {
    EXPECT_EQ(updaterPathIn("/opt/快三"), "/opt/快三/更新器");
    EXPECT_EQ(programFileName("澜星吉林快三平刷独胆计划"), "澜星吉林快三平刷独胆计划");
}

TEST(UpdaterLaunch, ArgumentsAreFiveSeparateValuesInOrder) {
    EXPECT_EQ(updaterArguments("产品 名", "1.41", "1.5", "http://h/x y", "程序"),
              (std::vector<std::string>{"产品 名", "1.41", "1.5", "http://h/x y", "程序"}));
}

TEST(UpdaterLaunch, ALeftoverUpdaterIsDeletedAndAMissingOneIsFine) {
    test::TempDir dir;
    const std::string updater = updaterPathIn(dir.path().string());
    test::writeFile(updater, "old", 0755);
    DiskUpdaterFiles files;
    removeLeftoverUpdater(updater, files);
    EXPECT_FALSE(files.exists(updater));
    removeLeftoverUpdater(updater, files);
    EXPECT_TRUE(test::folderEntries(dir.path()).empty());
}

TEST(UpdaterLaunch, AFailedDeleteOfTheLeftoverIsIgnored) {
    test::RefusingFiles files(true);
    removeLeftoverUpdater("/nowhere/更新器", files);
    EXPECT_EQ(files.removeAttempts(), 1);
}

class UpdaterWriter : public testing::Test {
protected:
    test::TempDir m_dir;
    DiskUpdaterFiles m_files;
};

TEST_F(UpdaterWriter, WritesTheBytesUnchangedAndExecutableWhateverTheUmask) {
    const std::string bytes(
        "\x7f"
        "ELF\0\0\x01\xff tail",
        13);
    const std::string path = m_dir.file("更新器");
    const mode_t previous = ::umask(077);
    const bool written = m_files.writeExecutable(path, bytes);
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(test::readFile(path), bytes);
    EXPECT_EQ(test::fileMode(path), 0755u);
}

TEST_F(UpdaterWriter, NeverWritesOverAnExistingFile) {
    const std::string path = m_dir.file("更新器");
    test::writeFile(path, "someone else's", 0644);
    EXPECT_FALSE(m_files.writeExecutable(path, "new bytes"));
    EXPECT_EQ(test::readFile(path), "someone else's");
    EXPECT_EQ(test::fileMode(path), 0644u);
}

TEST_F(UpdaterWriter, RunUpdaterReportsAFolderThatIsNotThere) {
    test::RecordingProcessStarter processes;
    EXPECT_FALSE(runUpdater(m_dir.file("missing/更新器"), "bytes", {}, m_files, processes));
    EXPECT_TRUE(processes.started().empty());
    EXPECT_TRUE(test::folderEntries(m_dir.path()).empty());
}

// Starts a script that writes each argument it receives on its own line.
class SpawnStarter : public testing::Test {
protected:
    void SetUp() override {
        test::writeFile(m_script,
                        "#!/bin/sh\n"
                        "for value in \"$@\"; do printf '[%s]\\n' \"$value\"; done > \"$0.args\"\n",
                        0755);
    }

    int waitFor(int pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }

    test::TempDir m_dir;
    std::string m_script = m_dir.file("记录参数");
    SpawnProcessStarter m_starter;
};

TEST_F(SpawnStarter, PassesEveryArgumentAsOneValueWithoutAShell) {
    const std::string marker = m_dir.file("pwned");
    const std::vector<std::string> arguments = {"澜星 吉林",
                                                "1.41",
                                                "\"quoted\" 'single'",
                                                "http://h/a?x=1&y=2;touch " + marker,
                                                "$(touch " + marker + ")",
                                                ""};
    const auto pid = m_starter.startDetached(m_script, arguments);
    ASSERT_TRUE(pid.has_value());
    EXPECT_EQ(WEXITSTATUS(waitFor(*pid)), 0);

    std::string expected;
    for (const std::string& value : arguments) {
        expected += "[" + value + "]\n";
    }
    EXPECT_EQ(test::readFile(m_script + ".args"), expected);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(SpawnStarter, AProgramThatIsNotThereIsNotStarted) {
    EXPECT_FALSE(m_starter.startDetached(m_dir.file("none"), {"a"}).has_value());
}

}  // namespace
}  // namespace k3
