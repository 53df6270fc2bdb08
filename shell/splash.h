// The splash as the start-up sees it: the window shows it, the start-up steps close it before
// a message, the update question or the main window.
#pragma once

#include <string_view>

namespace k3 {

class Splash {
public:
    virtual ~Splash() = default;
    // Opens the splash with the message and lets it paint; false when it is open already.
    virtual bool show(std::string_view message) = 0;
    // Closes the splash; false when it is not open (closing twice is harmless).
    virtual bool close() = 0;
};

}  // namespace k3
