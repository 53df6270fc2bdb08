// The desktop clipboard through Qt.
#pragma once

#include "shell/clipboard.h"

namespace k3 {

class QtClipboard final : public Clipboard {
public:
    void setText(std::string_view text) override;
};

}  // namespace k3
