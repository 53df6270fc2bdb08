// Modal boxes without a parent: they appear before the main window is shown as well.
#include "shell/qt_message_boxes.h"

#include <QMessageBox>

namespace k3 {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMessageBoxes::showMessage(std::string_view text) {
    QMessageBox::information(nullptr, m_title, fromUtf8(text), QMessageBox::Ok);
}

bool QtMessageBoxes::askOkCancel(std::string_view text) {
    return QMessageBox::question(nullptr, m_title, fromUtf8(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

}  // namespace k3
