// The bare plan kind: only reports that its operations were called directly.
#include "plan/plan_kind.h"

#include "platform/message_box.h"

namespace k3 {

PlanKind::PlanKind(MessageBoxes* messages) : m_messages(messages) {}

std::unique_ptr<PlanKind> PlanKind::clone() const { return std::unique_ptr<PlanKind>(new PlanKind(*this)); }

std::string PlanKind::取下期预测(int32_t) const {
    if (m_messages) {
        m_messages->showMessage("错误！接口类函数 取下期预测（） 被直接调用");
    }
    return {};
}

bool PlanKind::验证预测(const std::vector<std::string>&, std::string_view) const {
    if (m_messages) {
        m_messages->showMessage("错误！接口类函数 验证预测 被直接调用");
    }
    return false;
}

}  // namespace k3
