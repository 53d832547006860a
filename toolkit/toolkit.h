// The window toolkit seam. The program names every window, control, font, menu bar,
// status bar, toolbar and timer by a small integer id of its own choosing and never
// holds a platform object; this header is all the rest of the program sees of Qt.
//
// Rules that hold for every operation below:
//  - creating under an id that is alive destroys the old object first;
//  - a failed creation leaves no entry;
//  - an operation that names an id holding nothing does nothing and returns 0 / "".
#pragma once

#include "common/pixel_view.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// Pictures are handed over as the picture store holds them.
using common::PixelView;

// ---- Colours -------------------------------------------------------------------------
// 0xRRGGBB. DefaultColour restores the platform's own colour where that is possible.
using Colour = std::int32_t;
constexpr Colour DefaultColour = -1;
constexpr Colour Rgb(int red, int green, int blue) {
    return (red << 16) | (green << 8) | blue;
}

// ---- Option flags --------------------------------------------------------------------
// Window options (OpenWindow).
constexpr unsigned CentreOnScreen = 0x01;
constexpr unsigned TitleBar = 0x02;
constexpr unsigned SystemMenu = 0x04;
constexpr unsigned MinimizeBox = 0x08;
constexpr unsigned Resizable = 0x10;
constexpr unsigned Maximized = 0x20;
// Opened off the screen, with the size and place it will have there, until RevealWindow.
constexpr unsigned Hidden = 0x40;

// Control options (CreateTextField, CreateLabel, CreateFrame) and status-field options
// (SetStatusFieldText). Centred is shared by both.
constexpr unsigned Centred = 0x01;
constexpr unsigned ReadOnly = 0x02;
constexpr unsigned Sunken = 0x04;
constexpr unsigned Raised = 0x10;
constexpr unsigned Borderless = 0x20;
constexpr unsigned RightAligned = 0x40;

// Font style flags (LoadFont).
constexpr unsigned Underline = 0x4;
constexpr unsigned StrikeOut = 0x8;
constexpr unsigned HighQuality = 0x10;
constexpr unsigned Bold = 0x100;
constexpr unsigned Italic = 0x200;

// Status field width that takes an equal share of what the fixed fields leave.
constexpr int Automatic = -65535;

// Standard toolbar images.
constexpr int StandardImageSave = 8;
constexpr int StandardImagePrint = 14;

// SetControlColour: which colour.
constexpr int TextColour = 1;
constexpr int BackgroundColour = 2;

// ---- Start and end -------------------------------------------------------------------
// Once, before everything else. Returns false when no display can be opened.
bool InitToolkit(int& argc, char** argv);
// The icon every window shows (PNG or BMP file bytes). Call after InitToolkit.
void SetProgramIcon(const unsigned char* fileBytes, std::size_t size);
// The program's name and version as the desktop sees them, and the name of its launcher
// (the .desktop file without its extension). Call after InitToolkit.
void SetApplicationData(std::string_view name, std::string_view version,
                        std::string_view desktopEntry);
// Closes every window (with its controls, status bar and toolbar).
void CloseAllWindows();
// Releases every loaded font.
void ReleaseFonts();
// Releases everything the toolkit still holds, the application object last.
void ShutDownToolkit();
// Colour depth of the primary screen in bits, 0 when there is no usable screen.
int PrimaryScreenDepth();

// ---- Windows -------------------------------------------------------------------------
bool OpenWindow(int windowId, int x, int y, int innerWidth, int innerHeight, std::string_view title,
                unsigned options, int parentWindow = -1);
// Puts a window opened Hidden on the screen as its other options say (maximized or not);
// a window on the screen stays as it is.
void RevealWindow(int windowId);
void ActivateWindow(int windowId);
void SetWindowBackground(int windowId, Colour colour);
// Sizes and places here are in the toolkit's pixels, which the display scale makes
// larger on the screen: DisplayScale screen pixels each (1 at 96 dots per inch, 1.5 at
// 144), so that a layout made for one scale looks the same at every other.
double DisplayScale(int windowId);
int InnerWidth(int windowId);
// Client height, plus one menu-bar height once a menu bar is attached.
int InnerHeight(int windowId);
// The height controls may use from the top of the client area: above the status bar, at
// the heights the bars really have at the window's scale.
int FreeInnerHeight(int windowId);
void CloseWindow(int windowId);
// Later creations go to windowId; returns the previous target (-1 when none).
int UseGadgetTarget(int windowId);
void AddTimer(int windowId, int timerId, int periodMs);
// The largest client area (below the menu bar and toolbars) the window can have with
// its whole frame, title bar included, inside the screen's free area.
struct Size {
    int width = 0;
    int height = 0;
};
Size ScreenRoom(int windowId);
// Gives the client area (below the menu bar and toolbars) a new size; a window that
// cannot be resized keeps that size fixed, a centred window is centred again.
void ResizeWindow(int windowId, int innerWidth, int innerHeight);
// Escape in the window raises a CloseEvent for it, as its close box does.
void CloseOnEscape(int windowId);
// The user cannot make the window smaller than InnerWidth x InnerHeight of these values;
// on a screen too small for them, the screen's free area is the limit.
void SetMinimumInnerSize(int windowId, int innerWidth, int innerHeight);

// ---- Events --------------------------------------------------------------------------
enum EventKind : int {
    NoEvent = 0,
    ControlEvent = 1,
    MenuEvent = 2,
    TimerEvent = 3,
    CloseEvent = 4,
    // The window's inner size changed (the user, the window manager or the program
    // resized, maximized or restored it); the object id is 0.
    SizeEvent = 5,
};

// Returns the next queued event; blocks in Qt's event processing while none is queued.
EventKind WaitEvent();
// Object id (control, command or timer) and window id of the last event WaitEvent returned.
int EventObject();
int EventWindow();
// Queues an event as if the platform had raised it (same de-duplication rule).
void PostEvent(EventKind kind, int objectId, int windowId);

// ---- Controls (created in the gadget target, at client coordinates) -------------------
bool CreateTextField(int controlId, int x, int y, int width, int height, std::string_view text,
                     unsigned options);
bool CreateLabel(int controlId, int x, int y, int width, int height, std::string_view text,
                 unsigned options);
bool CreateFrame(int controlId, int x, int y, int width, int height, unsigned style);
bool CreateButton(int controlId, int x, int y, int width, int height, std::string_view text);
// Takes the size of the image whatever width and height say. The pixels are copied.
bool CreatePicture(int controlId, int x, int y, int width, int height, const PixelView& image);
// Shows the image smoothly scaled to width x height pixels. The pixels are copied.
bool CreateScaledPicture(int controlId, int x, int y, int width, int height,
                         const PixelView& image);
// Enter or Return in a text field of the button's window presses the button, as a
// click does. A focused button is pressed by Enter, Return or Space whatever this says.
void SetDefaultButton(int controlId);
void SetToolTip(int controlId, std::string_view text);
// Accessible name and description for screen readers.
void SetAccessibleText(int controlId, std::string_view name, std::string_view description);

struct Font;
using FontRef = const Font*;
void SetControlFont(int controlId, FontRef font);
void SetControlColour(int controlId, int which, Colour colour);
void SetControlText(int controlId, std::string_view text);
std::string GetControlText(int controlId);
// The control with the keyboard focus, -1 when none of the program's controls has it.
int FocusedControl();
// Gives the control the keyboard focus; a text field's whole text is selected, so that
// typing replaces it.
void FocusControl(int controlId);
// Moves and resizes a control, keeping its text and state (a picture keeps its size).
void MoveControl(int controlId, int x, int y, int width, int height);

// ---- Fonts ---------------------------------------------------------------------------
bool LoadFont(int fontId, std::string_view faceName, int sizePoints, unsigned style);
// A font for drawn pictures (DrawnPicture::Text): its em is pixelSize pixels of the
// picture whatever the screen's resolution, so that a picture laid out in pixels comes out
// the same on every screen. A family the system lacks gives way to its sans-serif font.
bool LoadPictureFont(int fontId, std::string_view family, double pixelSize, unsigned style);
// nullptr when the font did not load.
FontRef FontHandle(int fontId);

// ---- Menus ---------------------------------------------------------------------------
// An "&" in a title or item text marks the next letter as its key: shown underlined, not
// as "&", and chosen with Alt and the letter (the letter alone inside an open menu). F10
// opens a window's first menu.
bool CreateMenuBar(int menuId, int windowId);
void AddMenuTitle(std::string_view text);
void AddMenuItem(int commandId, std::string_view text);
void AddMenuSeparator();
// An item that can carry a check mark, unchecked at first. Choosing it raises its command
// like any item; the program then sets the mark it wants shown.
void AddMenuCheckItem(int commandId, std::string_view text);
void SetMenuItemChecked(int menuId, int commandId, bool checked);

// ---- Status bar ----------------------------------------------------------------------
bool CreateStatusBar(int statusBarId, int windowId);
void AddStatusField(int width);
void SetStatusFieldText(int statusBarId, int field, std::string_view text, unsigned options);

// ---- Toolbar -------------------------------------------------------------------------
bool CreateToolBar(int toolBarId, int windowId);
void AddToolBarButton(int commandId, int standardImage, std::string_view toolTip = {});

// ---- Dialogs -------------------------------------------------------------------------
// Modal; one OK button, no icon. Returns 1 when closed.
int MessageBox(std::string_view title, std::string_view text, unsigned flags = 0);
// "" when cancelled. pattern is "description|filter|description|filter...".
std::string SaveFileDialog(std::string_view title, std::string_view defaultFile,
                           std::string_view pattern, int patternIndex);

// ---- Printing ------------------------------------------------------------------------
bool PrintDialog();
int PrinterPageWidth();
bool StartPrinting(std::string_view documentName);
// Non-zero while a printed page is open.
int PrinterOutput();
bool StartDrawing(int output);
void DrawImage(const PixelView& image, int x, int y, int width, int height);
void StopDrawing();
void StopPrinting();

// ---- Drawn pictures ------------------------------------------------------------------
// A picture the program draws itself, white at first, in picture pixels (0, 0 the top left
// corner). Its pixels come out in the picture store's layout, so that it is shown, saved
// and printed as a page is.
struct Point {
    double x = 0;
    double y = 0;
};

struct Pen {
    Colour colour = 0;
    double width = 1;
};

// Which point of a text's box lies on the point handed to DrawnPicture::Text: one flag of
// each row, or'ed. The box is the text's advance width by the font's ascent and descent.
constexpr unsigned AnchorLeft = 0x00;
constexpr unsigned AnchorCentre = 0x01;
constexpr unsigned AnchorRight = 0x02;
constexpr unsigned AnchorTop = 0x00;
constexpr unsigned AnchorMiddle = 0x10;
constexpr unsigned AnchorBottom = 0x20;
constexpr unsigned AnchorBaseline = 0x30;

// Pixels in the picture store's layout: bottom row first, blue, green, red, each row
// padded to a multiple of 4 bytes.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    int rowSize = 0;
    std::vector<unsigned char> bottomUpBgr;

    PixelView View() const { return {width, height, rowSize, bottomUpBgr.data()}; }
};

class DrawnPicture {
  public:
    // A white picture of width x height pixels. It stays blank (IsReady() false) before
    // InitToolkit or when a side lies outside 1..32767.
    DrawnPicture(int width, int height);
    ~DrawnPicture();
    DrawnPicture(DrawnPicture&&) noexcept;
    DrawnPicture& operator=(DrawnPicture&&) noexcept;
    DrawnPicture(const DrawnPicture&) = delete;
    DrawnPicture& operator=(const DrawnPicture&) = delete;

    bool IsReady() const { return impl_ != nullptr; }

    // Fewer than two points draw nothing; lines narrower than a pixel are drawn one wide.
    void Polyline(std::span<const Point> points, const Pen& pen);
    void FillCircle(Point centre, double radius, Colour colour);
    // One line of text in the font loaded under fontId (LoadFont), smoothed; nothing when
    // no font is loaded under it.
    void Text(int fontId, std::string_view text, Point at, unsigned anchor, Colour colour);

    // A copy of what is drawn so far; empty when the picture is not ready.
    PixelBuffer Pixels() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace toolkit
