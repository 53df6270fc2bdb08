// "Let pending messages be processed": the window repaints and handles input here.
#pragma once

namespace k3 {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processPendingEvents() = 0;
};

// For code that runs without a window; counts the calls so tests can see them.
class CountingEventPump final : public EventPump {
public:
    void processPendingEvents() override { ++m_calls; }
    int calls() const { return m_calls; }

private:
    int m_calls = 0;
};

}  // namespace k3
