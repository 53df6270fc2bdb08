// Message boxes as QMessageBox, titled with the product name.
#pragma once

#include <QString>

#include "platform/message_box.h"

class QWidget;

namespace k3 {

class QtMessageBoxes final : public MessageBoxes {
public:
    // The product name; boxes shown before it is set have no title.
    void setTitle(QString title) { m_title = std::move(title); }

    void showMessage(std::string_view text) override;
    bool askOkCancel(std::string_view text) override;

private:
    QString m_title;
};

}  // namespace k3
