// Everything the Win32 toolkit holds between calls. One instance, owned by State();
// each table entry owns its system objects, so leaving the table releases them.
#pragma once

#include "internal/backend.h"
#include "internal/file_page.h"
#include "internal/handles.h"

#include "internal/win_api.h"
#include "toolkit/display_scale.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

struct Font {
    win32::FontObject handle;
};

namespace win32 {

// A child control's window: its tooltip goes with it.
class ControlWindow {
  public:
    ControlWindow() = default;
    explicit ControlWindow(HWND window) : window_(window) {}
    ControlWindow(ControlWindow&&) noexcept = default;
    ControlWindow& operator=(ControlWindow&& other) noexcept;
    ~ControlWindow();
    HWND get() const { return window_.get(); }

  private:
    void DropToolTip();
    WindowObject window_;
};

struct ControlEntry {
    BitmapObject picture;  // shown by the control, so it goes after it
    FontObject fittedFont; // a label's font made smaller to hold its text; drawn with, too
    BrushObject background;
    ControlWindow window;
    int windowId = -1;
    ControlKind kind = ControlKind::Label;
    Colour textColour = DefaultColour;
    Colour backgroundColour = DefaultColour;
    HFONT font = nullptr; // owned by the font table
    LONG fitHeight = 0;   // a label's: the character height its text fits in, in its font
};

struct WindowEntry {
    BrushObject background;
    WindowObject window;
    int owner = -1;
    unsigned options = 0;
    int toolStripHeight = 0; // the toolbars above the controls
    SIZE minimumInner{0, 0}; // in the toolkit's pixels
    int defaultButton = -1;
    bool closeOnEscape = false;
    std::vector<int> focusOrder; // control ids in the order they were created
};

// A menu bar leaves the window that carries it before it is destroyed: a window
// destroys its menu itself, and a menu must be destroyed once.
struct ReleaseMenuBar {
    void operator()(HMENU menu) const;
};
using MenuBarObject = UniqueHandle<HMENU, ReleaseMenuBar>;

struct MenuBarEntry {
    MenuBarObject menu;
    int windowId = -1;
};

struct StatusField {
    int width = 0;
    std::wstring text; // as the bar aligns it, by leading tabs
    unsigned options = 0;
    bool written = false;
    std::wstring plain;    // as the program draws it when it is too wide for the bar's face
    LONG fittedHeight = 0; // the smaller face's height; 0 while the bar draws the text
};

struct StatusBarEntry {
    WindowObject window;
    int windowId = -1;
    std::vector<StatusField> fields;
};

struct ToolBarEntry {
    WindowObject window;
    int windowId = -1;
    std::vector<std::pair<int, std::wstring>> toolTips; // by command id
};

struct PrintJob {
    DcObject printer;
    std::optional<FilePage> file; // instead of a printer, for checks without one
    bool pageOpen = false;
    bool drawing = false;
};

struct ToolkitState
    : ObjectTables<WindowEntry, ControlEntry, MenuBarEntry, StatusBarEntry, ToolBarEntry> {
    bool started = false;
    HINSTANCE instance = nullptr;
    ATOM windowClass = 0;
    ATOM frameClass = 0;
    IconObject programIcon; // from the program's own bytes; the resource icon otherwise
    HICON resourceIcon = nullptr;
    bool hasIconResource = false;
    FontObject defaultFont;
    WindowObject toolTips; // one for every control of the thread
    bool comStarted = false;

    IdTable<Font> fonts;

    HMENU lastMenuBar = nullptr;
    int lastMenuBarWindow = -1;
    HMENU currentMenu = nullptr;
    int lastStatusBar = -1;
    int lastToolBar = -1;
    // The resolution fonts are made for: the main window's monitor's, once it told
    // (0: the screen's).
    int fontDpi = 0;

    PrintJob print;
};

ToolkitState& State();

WindowEntry* WindowById(int windowId);
HWND WindowHandle(int windowId);
int WindowIdOf(HWND window);
ControlEntry* ControlById(int controlId);
int ControlIdOf(HWND control);
HFONT DefaultFont();

// The window procedure of every top-level window of the program.
LRESULT CALLBACK ProgramWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The window procedure of frames: a border, nothing inside, clicks go through.
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline constexpr const wchar_t* WindowClassName = L"ZorvelWindow";
inline constexpr const wchar_t* FrameClassName = L"ZorvelFrame";

// Keys the program's windows answer themselves (Tab, Enter, Escape); true when the
// message was taken.
bool HandleWindowKey(const MSG& message);

// Gives the control its font: the one the program chose (the default font without one);
// a label whose text does not fit its rectangle in that face gets it a little smaller,
// and so does every other label of that font.
void ShowControlFont(ControlEntry& control);

// Lays out the status bars and toolbars of a window after a change of its size.
void PlaceEdgeBars(int windowId);
// Status fields' right edges again, after a change of size or fields.
void ApplyStatusParts(StatusBarEntry& bar);
// Status fields whose text the bar's face cannot hold are drawn by the program: the
// width a field's text may take, the character height that makes text fit (0 when the
// bar's own face does), and the drawing of such a field; false for any other item.
int StatusTextRoom(HWND bar, int field);
LONG StatusFittedHeight(HWND bar, int field, std::wstring_view text);
// The width a field needs for text in the bar's face, or in the smallest one it may
// shrink text to; 0 for no text.
int StatusTextWidth(HWND bar, std::wstring_view text, bool smallest);
bool DrawStatusField(const DRAWITEMSTRUCT& item);

// Menu bar titles at a display scale other than 100 % are measured and drawn by the
// toolkit (toolkit/win32/menu_titles.cpp): the titles of the window's bar follow its
// scale, and the three messages of such titles are answered; false (MNC_IGNORE) for any
// other item or key.
void FollowMenuTitleScale(HWND window);
bool MeasureMenuTitle(HWND window, MEASUREITEMSTRUCT& item);
bool DrawMenuTitle(HWND window, const DRAWITEMSTRUCT& item);
LRESULT MenuTitleForKey(HWND window, wchar_t key, HMENU menu);

// Dots per inch of the primary screen, of the monitor a window is on (the primary
// screen's for none), and the one fonts are made for.
int ScreenDotsPerInch();
int DotsPerInchOf(HWND window);
// Whether the window's monitor is at 100 %: away from it the toolkit draws the texts
// that Wine draws wider than it measures (menu titles, status texts) with room to spare.
bool AtBaseScale(HWND window);
int FontDotsPerInch();

// ResizeWindow in the screen's pixels.
void ResizeClient(int windowId, int innerWidth, int innerHeight);
// Grows the window and moves its controls down when its toolbars changed height.
void RefitToolStrip(int windowId);

} // namespace win32
} // namespace toolkit
