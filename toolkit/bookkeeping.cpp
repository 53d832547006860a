// The operations that are the same on every platform: they work on the books alone and
// leave the platform's part to the backend (internal/backend.h).
#include "internal/backend.h"
#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"

#include <fstream>
#include <utility>

namespace toolkit {

void QueueEvent(const Event& event) {
    Books().events.Post(event);
}

void PostEvent(EventKind kind, int objectId, int windowId) {
    QueueEvent({kind, objectId, windowId, EventDetail::None});
}

EventKind WaitEvent() {
    ToolkitBooks& books = Books();
    while (books.events.Empty()) {
        if (!Started() || !DispatchNextMessage()) {
            return NoEvent;
        }
    }
    books.lastEvent = *books.events.Take();
    return books.lastEvent.kind;
}

int EventObject() {
    return Books().lastEvent.object;
}

int EventWindow() {
    return Books().lastEvent.window;
}

void CloseWindow(int windowId) {
    ToolkitBooks& books = Books();
    const std::optional<int> owner = books.OwnerOf(windowId);
    if (!owner) {
        return;
    }
    books.RemoveContentsOf(windowId);
    // The owner takes over before its owned window goes, so the system does not hand
    // the activation to some other program in between.
    ActivateWindow(*owner);
    books.RemoveWindow(windowId);
}

void CloseAllWindows() {
    Books().RemoveAllWindows();
    Books().gadgetTarget = -1;
}

unsigned OpeningOptions(unsigned options) {
    constexpr unsigned LookOptions = TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized;
    return (options & LookOptions) == 0 ? options | TitleBar : options;
}

int UseGadgetTarget(int windowId) {
    return std::exchange(Books().gadgetTarget, windowId);
}

void SetMessageBoxLog(std::string_view path) {
    Books().messageBoxLog = std::string(path);
}

void SetPrintToFile(std::string_view path) {
    Books().printToFile = std::string(path);
}

int MessageBox(std::string_view title, std::string_view text, unsigned flags) {
    const std::string& log = Books().messageBoxLog;
    if (!log.empty()) {
        std::ofstream(log, std::ios::app | std::ios::binary) << title << '|' << text << '\n';
        return 1;
    }
    return ShowMessageBox(title, text, flags);
}

} // namespace toolkit
