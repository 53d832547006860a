// The program's side of the event queue.
#include "internal/state.h"

namespace toolkit {

EventKind WaitEvent() {
    ToolkitState& state = State();
    while (state.events.Empty()) {
        if (!Started()) {
            return NoEvent;
        }
        UseBulgarianQtTexts();
        // Sleeps in Qt's dispatcher until the platform has something; whatever it
        // dispatches may queue events of ours.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.lastEvent = *state.events.Take();
    return state.lastEvent.kind;
}

int EventObject() {
    return State().lastEvent.object;
}

int EventWindow() {
    return State().lastEvent.window;
}

void PostEvent(EventKind kind, int objectId, int windowId) {
    QueueEvent({kind, objectId, windowId, EventDetail::None});
}

} // namespace toolkit
