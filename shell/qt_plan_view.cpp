// The plan text arrives with Windows line breaks; the box shows plain lines.
#include "shell/qt_plan_view.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "platform/event_pump.h"

namespace k3 {

void QtPlanView::replaceText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_box.setPlainText(shown);
}

void QtPlanView::moveCaretToEnd() {
    m_box.moveCursor(QTextCursor::End);
    m_box.ensureCursorVisible();
}

void QtPlanView::processPendingEvents() { m_events.processPendingEvents(); }

}  // namespace k3
