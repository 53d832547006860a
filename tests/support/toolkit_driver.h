// A person at the keyboard, for the toolkit's behaviour tests that hold on every
// backend: the same test source drives Qt on Linux and Win32 on Windows through these.
#pragma once

#include "toolkit/toolkit.h"

#include <ostream>
#include <string_view>
#include <vector>

namespace toolkit_driver {

struct SeenEvent {
    toolkit::EventKind kind;
    int object;
    int window;
    bool operator==(const SeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& event) {
    return out << "{kind " << event.kind << ", object " << event.object << ", window "
               << event.window << "}";
}

enum class Key { Tab, ShiftTab, Enter, Escape, Space };

// Opens a test window at a fixed place and makes it the active one; false when it
// could not be opened or activated.
bool OpenActiveWindow(int windowId, int width = 400, int height = 300,
                      unsigned options = toolkit::TitleBar | toolkit::SystemMenu);
// Lets the platform deliver what is pending, then takes every queued event without
// blocking.
std::vector<SeenEvent> DrainEvents();
// Time passing while the platform delivers its messages but nobody takes the events.
void Wait(int milliseconds);
// Gives the keyboard focus to a control, as a click into it would.
void Focus(int controlId);
// A key pressed and released where the keyboard focus is (in the active window).
void Press(Key key);
// Characters typed into the focused control.
void Type(std::string_view text);
// The close box of a window clicked.
void RequestClose(int windowId);
// Whether the control is on the screen; false for an id that holds none.
bool IsShown(int controlId);
// How many of the program's controls a window shows.
int ShownControls(int windowId);

// How a status field shows its text: the width the text takes in the face it is drawn
// in, the width inside the field's border, and that face's size against the bar's own.
struct ShownStatusText {
    int textWidth = 0;
    int room = 0;
    double scale = 0;
};
ShownStatusText StatusFieldText(int statusBarId, int field);

} // namespace toolkit_driver
