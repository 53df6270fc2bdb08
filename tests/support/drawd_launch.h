// The child-process part that DrawdProcess and runDrawd share: k3drawd started with its output
// and error output on one pipe, that output read, and its end awaited.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace k3::test {

struct LaunchedDrawd {
    pid_t pid = -1;
    int output = -1;  // read end of the pipe that carries stdout and stderr
};

// Starts k3drawd with exactly these arguments; a timeZone that is not empty replaces TZ in the
// environment it inherits. Throws when it cannot be started at all.
LaunchedDrawd launchDrawd(const std::vector<std::string>& arguments, const std::string& timeZone);

enum class ReadEnd { Enough, Closed, Deadline };

// Appends what comes from output to text until enough(text) holds, the writer closes the pipe
// or a generous deadline passes.
ReadEnd readOutput(int output, std::string& text, const std::function<bool(const std::string&)>& enough);

// Waits for the process; its exit status, or -1 when it did not exit normally.
int waitForExit(pid_t pid);

}  // namespace k3::test
