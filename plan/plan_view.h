// The plan box as the plan controller sees it. The window implements it over its edit box;
// tests and the replay tool keep the text in memory.
#pragma once

#include <string>
#include <string_view>

namespace k3 {

class PlanView {
public:
    virtual ~PlanView() = default;
    // Replaces the whole content of the box.
    virtual void replaceText(std::string_view text) = 0;
    // Puts the caret after the last character with nothing selected and scrolls it into view.
    virtual void moveCaretToEnd() = 0;
    // Lets the window process its pending messages once, so the box repaints.
    virtual void processPendingEvents() = 0;
};

// A plan box without a window: keeps the text and counts the other calls.
class StoredPlanView final : public PlanView {
public:
    void replaceText(std::string_view text) override {
        m_text = text;
        ++m_writes;
    }
    void moveCaretToEnd() override { ++m_caretMoves; }
    void processPendingEvents() override { ++m_eventPasses; }

    const std::string& text() const { return m_text; }
    int writes() const { return m_writes; }
    int caretMoves() const { return m_caretMoves; }
    int eventPasses() const { return m_eventPasses; }

private:
    std::string m_text;
    int m_writes = 0;
    int m_caretMoves = 0;
    int m_eventPasses = 0;
};

}  // namespace k3
