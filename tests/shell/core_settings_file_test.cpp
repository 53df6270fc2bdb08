#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <optional>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/text.h"
#include "shell/profile_text.h"
#include "shell/replacing_file.h"
#include "tests/support/temp_dir.h"

namespace k3 {
namespace {

namespace fs = std::filesystem;

struct ReadCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ProfileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, FindsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(findProfileValue(c.file, c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileReadTest,
    ::testing::Values(ReadCase{"Plain", "[A]\r\nk=1\r\n", "A", "k", "1"},
                      ReadCase{"AsciiCaseAndBlanks", "[prod]\r\n Key = 2 \r\n", "PROD", "key", "2"},
                      ReadCase{"QuotesRemoved", "[A]\r\nk=\"x y\"\r\n", "A", "k", "x y"},
                      ReadCase{"SingleQuoteKept", "[A]\r\nk=\"x\r\n", "A", "k", "\"x"},
                      ReadCase{"LineFeedsOnly", "[A]\nj=0\nk=7", "A", "k", "7"},
                      ReadCase{"EmptyValue", "[A]\r\nk=\r\n", "A", "k", ""},
                      ReadCase{"MissingKey", "[A]\r\nj=1\r\n", "A", "k", std::nullopt},
                      ReadCase{"MissingSection", "[B]\r\nk=1\r\n", "A", "k", std::nullopt},
                      ReadCase{"KeyOfTheNextSection", "[A]\r\nj=1\r\n[B]\r\nk=1\r\n", "A", "k", std::nullopt},
                      ReadCase{"FirstOfTwoSections", "[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "A", "k", "1"},
                      ReadCase{"CommentLine", "[A]\r\n;k=5\r\n", "A", "k", std::nullopt},
                      ReadCase{"NoFile", "", "A", "k", std::nullopt},
                      // The second byte of a GBK character is no letter to fold: \x81\x41 is not \x81\x61.
                      ReadCase{"GbkTrailByteKeepsItsCase", "[\x81\x41]\r\nk=1\r\n", "\x81\x61", "k",
                               std::nullopt},
                      ReadCase{"GbkSection", "[\x81\x41]\r\nk=1\r\n", "\x81\x41", "K", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    const char* before;
    const char* after;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, ChangesOnlyTheLineWritten) {
    EXPECT_EQ(withProfileValue(GetParam().before, "S", "k", "v"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileWriteTest,
    ::testing::Values(
        WriteCase{"EmptyFile", "", "[S]\r\nk=v\r\n"},
        WriteCase{"ReplacesTheKey", "[S]\r\na=1\r\n K = old \r\nb=2\r\n", "[S]\r\na=1\r\nk=v\r\nb=2\r\n"},
        WriteCase{"AddsAfterTheLastEntry", "[S]\r\na=1\r\n\r\n[T]\r\nk=9\r\n",
                  "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nk=9\r\n"},
        WriteCase{"AddsToAnEmptySection", "[S]\r\n[T]\r\nk=9\r\n", "[S]\r\nk=v\r\n[T]\r\nk=9\r\n"},
        WriteCase{"NewSectionAfterALastLineWithoutBreak", "[T]\r\nk=9", "[T]\r\nk=9\r\n[S]\r\nk=v\r\n"},
        WriteCase{"LastLineWithoutBreakStaysSo", "[S]\r\nk=1", "[S]\r\nk=v"},
        WriteCase{"OtherBytesKept", "; note\n[T]\n x = y \n[S]\nk=1\n\tz\n",
                  "; note\n[T]\n x = y \n[S]\nk=v\r\n\tz\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Files made of random pieces of the format: whatever the file, a write must read back and
// must not change what another section or key reads.
TEST(ProfileTextTest, WritesReadBackAndLeaveTheRestOnRandomFiles) {
    const std::vector<std::string> pieces = {"[S]", "[T]", "[s]",  "[",  "]", "k", "K",  "j",       "=",
                                             " ",   "\t",  "\r\n", "\n", ";", "1", "\"", "\x81\x41"};
    std::mt19937 random(20261210);
    for (int round = 0; round < 2000; ++round) {
        std::string file;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            file += pieces[random() % pieces.size()];
        }
        const std::string after = withProfileValue(file, "S", "k", "v2");
        EXPECT_EQ(findProfileValue(after, "S", "k"), "v2") << file;
        EXPECT_EQ(findProfileValue(after, "T", "k"), findProfileValue(file, "T", "k")) << file;
        EXPECT_EQ(findProfileValue(after, "S", "j"), findProfileValue(file, "S", "j")) << file;
        EXPECT_EQ(withProfileValue(after, "S", "k", "v2"), after) << file;
    }
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { settings.prepareSettings(directory); }

    test::TempDir scratch;
    const fs::path directory = scratch.path();
    SettingsFile settings{"澜星吉林快三平刷独胆计划"};
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(settings.settingsPath(), directory / "配置.ini");
    EXPECT_EQ(settings.readSetting(kFormulaPeriodsKey, kFormulaPeriodsDefault), "3");
    EXPECT_TRUE(fs::is_empty(directory));
}

TEST_F(SettingsFileTest, WritesGbkBytes) {
    ASSERT_TRUE(settings.writeSetting(kFormulaPeriodsKey, "2"));
    // 公式期数 in GBK, written by hand so that the check does not lean on the converter.
    EXPECT_NE(fileBytes(settings.settingsPath()).find("\xB9\xAB\xCA\xBD\xC6\xDA\xCA\xFD=2\r\n"),
              std::string::npos);
    EXPECT_EQ(utf8ToGbk("[澜星吉林快三平刷独胆计划]\r\n公式期数=2\r\n"), fileBytes(settings.settingsPath()));
    EXPECT_EQ(settings.readSetting(kFormulaPeriodsKey, "3"), "2");
}

TEST_F(SettingsFileTest, AnotherProductsSectionStaysByteForByte) {
    const std::string other = *utf8ToGbk("[另一个计划]\r\n公式期数 = 1\r\n选择注数=17.5\r\n\r\n");
    writeBytes(settings.settingsPath(), other);
    ASSERT_TRUE(settings.writeSetting(kFormulaPeriodsKey, "2"));
    ASSERT_TRUE(settings.writeSetting(kFormulaPeriodsKey, "1"));
    const std::string after = fileBytes(settings.settingsPath());
    EXPECT_EQ(after.substr(0, other.size()), other);
    EXPECT_EQ(settings.readSetting(kFormulaPeriodsKey, "3"), "1");
    SettingsFile otherProduct("另一个计划");
    otherProduct.prepareSettings(directory);
    EXPECT_EQ(otherProduct.readSetting(kFormulaPeriodsKey, "3"), "1");
    EXPECT_EQ(otherProduct.readSetting(kBetCountKey, "0"), "17.5");
}

TEST_F(SettingsFileTest, AnotherDirectoryHasItsOwnFile) {
    ASSERT_TRUE(settings.writeSetting(kFormulaPeriodsKey, "1"));
    const fs::path elsewhere = directory / "elsewhere";
    fs::create_directory(elsewhere);
    SettingsFile second("澜星吉林快三平刷独胆计划");
    second.prepareSettings(elsewhere);
    EXPECT_EQ(second.readSetting(kFormulaPeriodsKey, "3"), "3");
}

TEST_F(SettingsFileTest, ReplacingKeepsTheFilesPermissions) {
    writeBytes(settings.settingsPath(), "");
    fs::permissions(settings.settingsPath(), fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(settings.writeSetting(kFormulaPeriodsKey, "2"));
    EXPECT_EQ(
        fs::status(settings.settingsPath()).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(SettingsFileTest, APathThatIsNoFileIsLeftAlone) {
    fs::create_directory(settings.settingsPath());
    EXPECT_FALSE(settings.writeSetting(kFormulaPeriodsKey, "2"));
    EXPECT_TRUE(fs::is_directory(settings.settingsPath()));
    EXPECT_EQ(settings.readSetting(kFormulaPeriodsKey, "3"), "3");
}

// Two products of the family writing the same file at the same time keep both their values.
TEST_F(SettingsFileTest, TwoProgramsWritingAtOnceKeepEachOthersValues) {
    constexpr int kWrites = 150;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SettingsFile other("另一个计划");
        other.prepareSettings(directory);
        for (int i = 1; i <= kWrites; ++i) {
            other.writeSetting(kFormulaPeriodsKey, std::to_string(i));
        }
        ::_exit(0);
    }
    for (int i = 1; i <= kWrites; ++i) {
        settings.writeSetting(kBetCountKey, std::to_string(i));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    SettingsFile other("另一个计划");
    other.prepareSettings(directory);
    EXPECT_EQ(other.readSetting(kFormulaPeriodsKey, "lost"), std::to_string(kWrites));
    EXPECT_EQ(settings.readSetting(kBetCountKey, "lost"), std::to_string(kWrites));
}

// A program that dies halfway through writing leaves the old file whole.
TEST_F(SettingsFileTest, CrashMidWriteLeavesTheOldFile) {
    const std::string old =
        *utf8ToGbk("[另一个计划]\r\n公式期数=1\r\n[澜星吉林快三平刷独胆计划]\r\n公式期数=2\r\n");
    writeBytes(settings.settingsPath(), old);
    const std::string replacement =
        withProfileValue(old, *utf8ToGbk("澜星吉林快三平刷独胆计划"), *utf8ToGbk("公式期数"), "3");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ReplacingFile file(settings.settingsPath());
        file.write(replacement.substr(0, replacement.size() / 2));
        ::_exit(0);  // dies before the write is complete: no commit, no clean-up
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(fileBytes(settings.settingsPath()), old);
    EXPECT_EQ(settings.readSetting(kFormulaPeriodsKey, "3"), "2");
}

TEST_F(SettingsFileTest, UncommittedFileLeavesNoTrace) {
    writeBytes(settings.settingsPath(), "[S]\r\nk=1\r\n");
    {
        ReplacingFile file(settings.settingsPath());
        ASSERT_TRUE(file.isOpen());
        ASSERT_TRUE(file.write("[S]\r\nk="));
    }
    EXPECT_EQ(fileBytes(settings.settingsPath()), "[S]\r\nk=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace k3
