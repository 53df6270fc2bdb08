// The desktop clipboard, for copying the plan.
#pragma once

#include <string_view>

namespace k3 {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(std::string_view text) = 0;
};

}  // namespace k3
