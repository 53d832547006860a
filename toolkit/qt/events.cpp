// The platform's side of waiting for events.
#include "internal/qt_state.h"

namespace toolkit {

bool DispatchNextMessage() {
    UseBulgarianQtTexts();
    // Sleeps in Qt's dispatcher until the platform has something; whatever it
    // dispatches may queue events of ours.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return true;
}

} // namespace toolkit
