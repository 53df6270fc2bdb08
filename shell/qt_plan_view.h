// The plan box "编辑框_计划" as the plan controller writes it.
#pragma once

#include "plan/plan_view.h"

class QPlainTextEdit;

namespace k3 {

class EventPump;

class QtPlanView final : public PlanView {
public:
    QtPlanView(QPlainTextEdit& box, EventPump& events) : m_box(box), m_events(events) {}

    void replaceText(std::string_view text) override;
    void moveCaretToEnd() override;
    void processPendingEvents() override;

private:
    QPlainTextEdit& m_box;
    EventPump& m_events;
};

}  // namespace k3
