// Test doubles for the self-update's seams: files that can refuse, a process starter that only
// records, and a window stand-in that logs the order of splash, event pump and question.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"

namespace k3::test {

struct StartedProcess {
    std::string program;
    std::vector<std::string> arguments;
};

class RecordingProcessStarter final : public ProcessStarter {
public:
    std::optional<int> startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) override {
        m_started.push_back({program, arguments});
        return 4242;
    }
    const std::vector<StartedProcess>& started() const { return m_started; }

private:
    std::vector<StartedProcess> m_started;
};

// Files that exist only in name and whose writes and deletes fail.
class RefusingFiles final : public UpdaterFiles {
public:
    explicit RefusingFiles(bool fileThere) : m_fileThere(fileThere) {}
    bool exists(const std::string&) override { return m_fileThere; }
    bool remove(const std::string&) override {
        ++m_removeAttempts;
        return false;
    }
    bool writeExecutable(const std::string&, std::string_view) override {
        ++m_writeAttempts;
        return false;
    }
    int removeAttempts() const { return m_removeAttempts; }
    int writeAttempts() const { return m_writeAttempts; }

private:
    bool m_fileThere;
    int m_removeAttempts = 0;
    int m_writeAttempts = 0;
};

// Answers questions with a preset answer and logs "splash", "pump" and "ask" in call order.
class WindowLog final : public EventPump, public MessageBoxes {
public:
    explicit WindowLog(bool answer) : m_answer(answer) {}
    void processPendingEvents() override { m_log.push_back("pump"); }
    void showMessage(std::string_view text) override { m_log.push_back("message " + std::string(text)); }
    bool askOkCancel(std::string_view text) override {
        m_log.push_back("ask");
        m_questions.emplace_back(text);
        return m_answer;
    }
    void closeSplash() { m_log.push_back("splash"); }

    const std::vector<std::string>& log() const { return m_log; }
    const std::vector<std::string>& questions() const { return m_questions; }

private:
    bool m_answer;
    std::vector<std::string> m_log;
    std::vector<std::string> m_questions;
};

}  // namespace k3::test
