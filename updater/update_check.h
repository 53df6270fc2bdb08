// The start-up update check: compares the service's version with ours, asks the user and hands
// over to the updater. Window-free: the splash, the message boxes, the files and the process
// start come in through interfaces so that the start-up code and tests can supply their own.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"
#include "updater/updater_launch.h"

namespace k3 {

// A version text as a single-precision number: leading blanks skipped, then the leading decimal
// number ("1.5" and "1.5beta" give 1.5); 0 for a text that does not start with a number.
float versionNumber(std::string_view text);

// True when newVersion is higher than currentVersion, compared as single-precision numbers, so
// "1.410" equals "1.41" and "1.100" is lower than it.
bool isNewerVersion(std::string_view newVersion, std::string_view currentVersion);

// The question put to the user: product name, "已经更新至", the new version, "\r\n点击确定立即更新".
std::string updateQuestion(std::string_view productName, std::string_view newVersion);

// Shown, followed by the updater's path, when the user accepted but no updater could be started.
inline constexpr const char* updaterNotStartedMessage = "无法启动更新器，请检查程序目录是否可写：";

enum class UpdateOutcome {
    UpToDate,  // no newer version: the start goes on
    Refused,   // the user did not answer OK: the program ends
    Accepted,  // the updater was started, or the user was told it could not be: the program ends
};

// Everything the check needs from the running program.
struct UpdateContext {
    std::string productName;
    std::string programName;        // the program file's name without any ".exe"
    std::string version;            // the running version
    std::string updaterPath;        // from updaterPathIn(directory of the program file)
    std::string_view updaterImage;  // the updater's bytes, written out unchanged
    MessageBoxes& messages;
    EventPump& events;
    UpdaterFiles& files;
    ProcessStarter& processes;
    std::function<void()> closeSplash;  // nothing happens when the splash is gone already
};

// Runs once during start-up with the version and download address from the service. Only
// UpToDate lets the start go on; the caller ends the program on the other two outcomes.
UpdateOutcome checkUpdate(const UpdateContext& context, std::string_view newVersion,
                          std::string_view updateUrl);

}  // namespace k3
