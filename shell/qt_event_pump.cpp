// One pass over the pending events of the user-interface thread.
#include "shell/qt_event_pump.h"

#include <QCoreApplication>

namespace k3 {

void QtEventPump::processPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace k3
