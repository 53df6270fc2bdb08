// Puts text on the system clipboard.
#include "shell/qt_clipboard.h"

#include <QApplication>
#include <QClipboard>

namespace k3 {

void QtClipboard::setText(std::string_view text) {
    QApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace k3
