// Creating the controls of the gadget target window.
#include "common/windows/wide_text.h"
#include "internal/dib.h"
#include "internal/win32_state.h"

namespace toolkit {
using namespace win32;
namespace {

struct Place {
    int x, y, width, height;
};

// Makes the child window, puts it on the screen with the default font and into the
// table; creating under a live id replaces the old control.
ControlEntry* Create(int controlId, ControlKind kind, const wchar_t* className,
                     std::string_view text, DWORD style, DWORD exStyle, const Place& place) {
    ToolkitState& state = State();
    WindowEntry* const window = WindowById(state.gadgetTarget);
    if (window == nullptr) {
        return nullptr;
    }
    state.controls.Remove(controlId);
    const EventQueue::Silence quiet(state.events);
    const int dpi = DotsPerInchOf(window->window.get());
    const ScreenSpan across = ScreenSpanOf(place.x, place.width, dpi);
    const ScreenSpan down = ScreenSpanOf(place.y, place.height, dpi);
    HWND const child = CreateWindowExW(
        exStyle, className, common::WideFromUtf8(text).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, across.start,
        down.start + window->toolStripHeight, across.length, down.length, window->window.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId & 0xFFFF)), state.instance, nullptr);
    if (child == nullptr) {
        return nullptr;
    }
    ControlEntry entry;
    entry.window = ControlWindow(child);
    entry.windowId = state.gadgetTarget;
    entry.kind = kind;
    std::erase(window->focusOrder, controlId);
    window->focusOrder.push_back(controlId);
    ControlEntry& placed = state.controls.Put(controlId, std::move(entry));
    ShowControlFont(placed);
    return &placed;
}

bool PutPicture(int controlId, int x, int y, BitmapObject bitmap) {
    ControlEntry* const entry = Create(controlId, ControlKind::Picture, L"Static", {},
                                       SS_BITMAP | SS_NOTIFY, 0, {x, y, 0, 0});
    if (entry == nullptr) {
        return false;
    }
    if (bitmap) {
        // The control takes the bitmap's size; the table keeps the bitmap alive.
        SendMessageW(entry->window.get(), STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(bitmap.get()));
        entry->picture = std::move(bitmap);
    }
    return true;
}

// A picture's pixels are the toolkit's: on a scaled screen each takes more of the screen's.
int TargetDotsPerInch() {
    const WindowEntry* const window = WindowById(State().gadgetTarget);
    return DotsPerInchOf(window != nullptr ? window->window.get() : nullptr);
}

} // namespace

bool CreateTextField(int controlId, int x, int y, int width, int height, std::string_view text,
                     unsigned options) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    style |= (options & Centred) != 0 ? ES_CENTER : ES_LEFT;
    if ((options & ReadOnly) != 0) {
        style |= ES_READONLY;
    }
    return Create(controlId, ControlKind::TextField, L"Edit", text, style, WS_EX_CLIENTEDGE,
                  {x, y, width, height}) != nullptr;
}

bool CreateLabel(int controlId, int x, int y, int width, int height, std::string_view text,
                 unsigned options) {
    const DWORD style = SS_NOPREFIX | ((options & Centred) != 0 ? SS_CENTER : SS_LEFT);
    const DWORD exStyle = (options & Sunken) != 0 ? WS_EX_CLIENTEDGE : 0;
    return Create(controlId, ControlKind::Label, L"Static", text, style, exStyle,
                  {x, y, width, height}) != nullptr;
}

bool CreateFrame(int controlId, int x, int y, int width, int height, unsigned style) {
    // Painted after its siblings, so the fields inside stay visible.
    const DWORD exStyle = WS_EX_TRANSPARENT | ((style & Sunken) != 0 ? WS_EX_CLIENTEDGE : 0);
    return Create(controlId, ControlKind::Frame, FrameClassName, {}, 0, exStyle,
                  {x, y, width, height}) != nullptr;
}

bool CreateButton(int controlId, int x, int y, int width, int height, std::string_view text) {
    return Create(controlId, ControlKind::Button, L"Button", text, WS_TABSTOP | BS_PUSHBUTTON, 0,
                  {x, y, width, height}) != nullptr;
}

bool CreatePicture(int controlId, int x, int y, int /*width*/, int /*height*/,
                   const PixelView& image) {
    const int dpi = TargetDotsPerInch();
    if (dpi == BaseDotsPerInch) {
        return PutPicture(controlId, x, y, BitmapOf(image));
    }
    return CreateScaledPicture(controlId, x, y, image.width, image.height, image);
}

bool CreateScaledPicture(int controlId, int x, int y, int width, int height,
                         const PixelView& image) {
    const int dpi = TargetDotsPerInch();
    return PutPicture(controlId, x, y,
                      BitmapOf(image, ScreenPixels(width, dpi), ScreenPixels(height, dpi)));
}

void SetDefaultButton(int controlId) {
    const ControlEntry* const button = ControlById(controlId);
    if (button == nullptr || button->kind != ControlKind::Button) {
        return;
    }
    WindowEntry* const window = WindowById(button->windowId);
    if (window == nullptr) {
        return;
    }
    if (const ControlEntry* const previous = ControlById(window->defaultButton)) {
        SendMessageW(previous->window.get(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    window->defaultButton = controlId;
    SendMessageW(button->window.get(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

} // namespace toolkit
