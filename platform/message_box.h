// Modal messages to the user. The window shows real message boxes; tests record them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A message with an OK button.
    virtual void showMessage(std::string_view text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool askOkCancel(std::string_view text) = 0;
};

// Records every message and answers questions with a preset answer.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    explicit RecordingMessageBoxes(bool answer = true) : m_answer(answer) {}

    void showMessage(std::string_view text) override { m_messages.emplace_back(text); }
    bool askOkCancel(std::string_view text) override {
        m_questions.emplace_back(text);
        return m_answer;
    }

    void setAnswer(bool answer) { m_answer = answer; }
    const std::vector<std::string>& messages() const { return m_messages; }
    const std::vector<std::string>& questions() const { return m_questions; }

private:
    bool m_answer;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
};

}  // namespace k3
