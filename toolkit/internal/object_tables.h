// The bookkeeping every backend keeps the same way: which objects live under which ids,
// the window each of them lives in, the gadget target, the event queue and the test hooks.
// The platform-free part of the toolkit (bookkeeping.cpp) works on it through
// ToolkitBooks; a backend's state derives from ObjectTables with entries of its own, which
// release their platform objects when they leave a table.
#pragma once

#include "internal/event_queue.h"
#include "internal/id_table.h"

#include <optional>
#include <string>

namespace toolkit {

enum class ControlKind { TextField, Label, Frame, Button, Picture };

class ToolkitBooks {
  public:
    EventQueue events;
    Event lastEvent;
    // The window new controls, status bars and toolbars go to; -1 when none.
    int gadgetTarget = -1;
    // Test hooks (toolkit/testing/test_hooks.h); empty in the shipped program.
    std::string messageBoxLog;
    std::string printToFile;

    // The owner of the window (-1 when it has none); nothing when no window has the id.
    virtual std::optional<int> OwnerOf(int windowId) = 0;
    // Destroys the controls, menu bars, status bars and toolbars that live in the window.
    virtual void RemoveContentsOf(int windowId) = 0;
    virtual void RemoveWindow(int windowId) = 0;
    // Every window with everything in it.
    virtual void RemoveAllWindows() = 0;

  protected:
    ToolkitBooks() = default;
    ~ToolkitBooks() = default;
};

// The tables by id. A window entry names its owner (`owner`), every other entry the
// window it lives in (`windowId`).
template <class WindowEntry, class ControlEntry, class MenuBarEntry, class StatusBarEntry,
          class ToolBarEntry>
class ObjectTables : public ToolkitBooks {
  public:
    IdTable<WindowEntry> windows;
    IdTable<ControlEntry> controls;
    IdTable<MenuBarEntry> menuBars;
    IdTable<StatusBarEntry> statusBars;
    IdTable<ToolBarEntry> toolBars;

    std::optional<int> OwnerOf(int windowId) final {
        const WindowEntry* const window = windows.Find(windowId);
        return window == nullptr ? std::nullopt : std::optional<int>(window->owner);
    }

    void RemoveContentsOf(int windowId) final {
        const auto onWindow = [windowId](int, const auto& entry) {
            return entry.windowId == windowId;
        };
        controls.RemoveIf(onWindow);
        menuBars.RemoveIf(onWindow);
        statusBars.RemoveIf(onWindow);
        toolBars.RemoveIf(onWindow);
    }

    void RemoveWindow(int windowId) final { windows.Remove(windowId); }

    void RemoveAllWindows() final {
        controls.Clear();
        menuBars.Clear();
        statusBars.Clear();
        toolBars.Clear();
        windows.Clear();
    }
};

// Queues an event of the platform's (EventQueue::Post).
void QueueEvent(const Event& event);
// The options a window opens with: a title bar when no look at all is asked for.
unsigned OpeningOptions(unsigned options);

} // namespace toolkit
