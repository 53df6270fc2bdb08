// The user's two choices between runs, in "配置.ini" in the current directory: one section per
// product of the family, GBK on disk so the family's other programs keep reading the file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace k3 {

inline constexpr std::string_view kSettingsFileName = "配置.ini";
inline constexpr std::string_view kFormulaPeriodsKey = "公式期数";
inline constexpr std::string_view kBetCountKey = "选择注数";
inline constexpr std::string_view kFormulaPeriodsDefault = "3";

class SettingsFile {
public:
    // section is the product name; it keeps this product's values apart from the others'.
    SettingsFile() = default;
    explicit SettingsFile(std::string section) : m_section(std::move(section)) {}

    // Fixes the file's path in the directory (the current one when the window is created). The
    // hidden attribute that the family's programs give the file has no counterpart on this
    // file system; renaming the file to hide it would lose it for the other programs.
    void prepareSettings(const std::filesystem::path& directory = std::filesystem::current_path());
    const std::filesystem::path& settingsPath() const { return m_path; }

    // The stored value, or defaultValue when the file, the section or the key is missing or the
    // file cannot be read.
    std::string readSetting(std::string_view key, std::string_view defaultValue) const;
    // Stores the value, creating the file and the section when they are missing; the rest of the
    // file stays byte for byte. The user is not told of a failure; the result is for tests.
    bool writeSetting(std::string_view key, std::string_view value);

private:
    std::string m_section;
    std::filesystem::path m_path;
};

}  // namespace k3
