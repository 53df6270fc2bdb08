// Where the updater lives, what it is told, and how it is written out and started.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "updater/process_starter.h"
#include "updater/updater_files.h"

namespace k3 {

// The updater's file beside the program: directory + "/更新器" ("\更新器.exe" on Windows).
std::string updaterPathIn(std::string_view programDirectory);

// The program file's name: programName, with ".exe" on Windows.
std::string programFileName(std::string_view programName);

// The updater's five arguments, each a separate value: product name, running version, new
// version, download address and the program file's name.
std::vector<std::string> updaterArguments(std::string_view productName, std::string_view version,
                                          std::string_view newVersion, std::string_view updateUrl,
                                          std::string_view programName);

// Deletes an updater left over from an earlier update; a failed delete is ignored because the
// next update starts an existing file as it is.
void removeLeftoverUpdater(const std::string& updaterPath, UpdaterFiles& files);

// Writes the image to updaterPath when no file is there (executable), then starts that file with
// the arguments without waiting. True when the updater was started.
bool runUpdater(const std::string& updaterPath, std::string_view updaterImage,
                const std::vector<std::string>& arguments, UpdaterFiles& files, ProcessStarter& processes);

}  // namespace k3
