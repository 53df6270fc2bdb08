// "Let pending messages be processed" for the Qt window: labels repaint and clicks are handled.
#pragma once

#include "platform/event_pump.h"

namespace k3 {

class QtEventPump final : public EventPump {
public:
    void processPendingEvents() override;
};

}  // namespace k3
