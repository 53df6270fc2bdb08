// The interface of a plan kind: one way of betting on a draw. A kind turns a seed into the
// prediction text for the next period and tells whether a prediction hit a draw.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class MessageBoxes;

// How the plan text lays out a plan's lines.
enum class DisplayMode : int32_t { Detailed = 1, Compact = 2 };

// The bare interface object is what an empty plan record holds; calling its two operations is
// a programming error that it reports through the message boxes it was given (if any).
class PlanKind {
public:
    explicit PlanKind(MessageBoxes* messages = nullptr);
    virtual ~PlanKind() = default;

    virtual std::unique_ptr<PlanKind> clone() const;

    int32_t getFormulaPeriods() const { return m_formulaPeriods; }
    void setFormulaPeriods(int32_t periods) { m_formulaPeriods = periods; }
    int32_t getDisplayMode() const { return m_displayMode; }
    void setDisplayMode(int32_t mode) { m_displayMode = mode; }
    std::string getName() const { return m_name; }
    void setName(std::string_view name) { m_name = name; }
    int32_t param1() const { return m_param1; }
    int32_t param2() const { return m_param2; }

    // The prediction for the next period; restarts the shared generator from seed.
    virtual std::string 取下期预测(int32_t seed) const;
    // True when the prediction hit the draw; draw holds the three drawn numbers as texts.
    virtual bool 验证预测(const std::vector<std::string>& draw, std::string_view prediction) const;

protected:
    PlanKind(const PlanKind&) = default;
    PlanKind& operator=(const PlanKind&) = default;

    int32_t m_param1 = 0;
    int32_t m_param2 = 0;

private:
    MessageBoxes* m_messages;
    std::string m_name;
    int32_t m_formulaPeriods = 3;
    int32_t m_displayMode = static_cast<int32_t>(DisplayMode::Detailed);
};

}  // namespace k3
