// The start-up update check: the version comparison, the question and the hand-over.
#include "updater/update_check.h"

#include <gtest/gtest.h>

#include "tests/updater/fake_updater_parts.h"
#include "tests/updater/test_support.h"

namespace k3 {
namespace {

const std::string product = "澜星吉林快三平刷独胆计划";
const std::string image = std::string(
    "\x7f"
    "ELF updater\0bytes",
    18);

struct VersionCase {
    const char* offered;
    bool newer;
};

std::ostream& operator<<(std::ostream& out, const VersionCase& c) { return out << '"' << c.offered << '"'; }

class NewerThanOurVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(NewerThanOurVersion, ComparesAsSinglePrecisionNumbers) {
    EXPECT_EQ(isNewerVersion(GetParam().offered, "1.41"), GetParam().newer)
        << "offered \"" << GetParam().offered << "\"";
}

INSTANTIATE_TEST_SUITE_P(Versions, NewerThanOurVersion,
                         testing::Values(VersionCase{"1.41", false}, VersionCase{"1.410", false},
                                         VersionCase{"1.4", false}, VersionCase{"1.5", true},
                                         VersionCase{"1.100", false},  // 1.1 as a number, not release 100
                                         VersionCase{"", false}, VersionCase{"abc", false},
                                         VersionCase{"v1.5", false}, VersionCase{"nan", false},
                                         VersionCase{"inf", false}, VersionCase{"-2", false},
                                         VersionCase{"2", true}, VersionCase{" 1.5", true},
                                         VersionCase{"1.5beta", true}, VersionCase{"1.411", true},
                                         // Differs from 1.41 only beyond single precision.
                                         VersionCase{"1.41000001", false}));

TEST(VersionNumber, ReadsTheLeadingNumberAndGivesZeroForAnythingElse) {
    EXPECT_FLOAT_EQ(versionNumber("1.41"), 1.41f);
    EXPECT_FLOAT_EQ(versionNumber("  2.5 final"), 2.5f);
    EXPECT_FLOAT_EQ(versionNumber(".5"), 0.5f);
    EXPECT_EQ(versionNumber("版本1.5"), 0.0f);
    EXPECT_EQ(versionNumber("."), 0.0f);
    EXPECT_EQ(versionNumber("1e50"), 1.0f);  // fixed notation: the exponent is not read
}

TEST(UpdateQuestion, NamesTheProductAndTheNewVersion) {
    EXPECT_EQ(updateQuestion(product, "1.5"), "澜星吉林快三平刷独胆计划已经更新至1.5\r\n点击确定立即更新");
}

class CheckUpdate : public testing::Test {
protected:
    UpdateContext context(UpdaterFiles& files, test::WindowLog& window) {
        return UpdateContext{
            product, product, "1.41",      updaterPathIn(m_dir.path().string()), image, window,
            window,  files,   m_processes, [&window] { window.closeSplash(); }};
    }

    test::TempDir m_dir;
    DiskUpdaterFiles m_disk;
    test::RecordingProcessStarter m_processes;
};

TEST_F(CheckUpdate, GoesOnWithoutAQuestionWhenNothingNewerIsOffered) {
    for (const char* offered : {"1.41", "1.410", "1.4", "1.100", "", "abc"}) {
        test::WindowLog window(true);
        EXPECT_EQ(checkUpdate(context(m_disk, window), offered, "http://h/new"), UpdateOutcome::UpToDate)
            << offered;
        EXPECT_TRUE(window.log().empty()) << offered;
    }
    EXPECT_TRUE(test::folderEntries(m_dir.path()).empty());
    EXPECT_TRUE(m_processes.started().empty());
}

TEST_F(CheckUpdate, CancelEndsTheStartWithoutWritingOrStartingTheUpdater) {
    test::WindowLog window(false);
    EXPECT_EQ(checkUpdate(context(m_disk, window), "1.5", "http://h/new"), UpdateOutcome::Refused);
    EXPECT_EQ(window.log(), (std::vector<std::string>{"splash", "pump", "ask"}));
    EXPECT_EQ(window.questions(),
              std::vector<std::string>{"澜星吉林快三平刷独胆计划已经更新至1.5\r\n点击确定立即更新"});
    EXPECT_TRUE(test::folderEntries(m_dir.path()).empty());
    EXPECT_TRUE(m_processes.started().empty());
}

TEST_F(CheckUpdate, OkWritesTheUpdaterAndStartsItWithTheFiveValues) {
    test::WindowLog window(true);
    const std::string url = "http://127.0.0.1:19200/download?v=1.5&f=a b";
    EXPECT_EQ(checkUpdate(context(m_disk, window), "1.5", url), UpdateOutcome::Accepted);

    const std::string updater = m_dir.file("更新器");
    EXPECT_EQ(test::readFile(updater), image);
    EXPECT_EQ(test::fileMode(updater) & 0111, 0111u);
    ASSERT_EQ(m_processes.started().size(), 1u);
    EXPECT_EQ(m_processes.started()[0].program, updater);
    EXPECT_EQ(m_processes.started()[0].arguments,
              (std::vector<std::string>{product, "1.41", "1.5", url, product}));
    EXPECT_EQ(window.log(), (std::vector<std::string>{"splash", "pump", "ask"}));
}

TEST_F(CheckUpdate, OkStartsALeftoverUpdaterAsItIs) {
    const std::string updater = m_dir.file("更新器");
    test::writeFile(updater, "older updater", 0755);
    test::WindowLog window(true);
    EXPECT_EQ(checkUpdate(context(m_disk, window), "2.0", "http://h/new"), UpdateOutcome::Accepted);
    EXPECT_EQ(test::readFile(updater), "older updater");
    ASSERT_EQ(m_processes.started().size(), 1u);
    EXPECT_EQ(m_processes.started()[0].program, updater);
}

TEST_F(CheckUpdate, AnUpdaterThatCannotBeWrittenIsNotStartedAndTheUserIsTold) {
    test::RefusingFiles files(false);
    test::WindowLog window(true);
    EXPECT_EQ(checkUpdate(context(files, window), "1.5", "http://h/new"), UpdateOutcome::Accepted);
    EXPECT_EQ(files.writeAttempts(), 1);
    EXPECT_TRUE(m_processes.started().empty());
    EXPECT_EQ(window.log(), (std::vector<std::string>{
                                "splash", "pump", "ask",
                                "message " + std::string(updaterNotStartedMessage) + m_dir.file("更新器")}));
}

}  // namespace
}  // namespace k3
