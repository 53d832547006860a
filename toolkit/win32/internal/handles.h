// Owners of the Win32 objects the toolkit creates, one kind per alias, so that every
// handle goes back to the system by the call that matches the one that made it.
#pragma once

#include "internal/win_api.h"

#include <utility>

namespace toolkit::win32 {

template <class H, class Release> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H release() { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr) {
        const H old = std::exchange(handle_, handle);
        if (old != nullptr) {
            Release{}(old);
        }
    }

  private:
    H handle_ = nullptr;
};

struct ReleaseGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ReleaseWindow {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct ReleaseMenu {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct ReleaseDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ReleaseIcon {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct ReleaseGlobal {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

using FontObject = UniqueHandle<HFONT, ReleaseGdiObject>;
using BrushObject = UniqueHandle<HBRUSH, ReleaseGdiObject>;
using BitmapObject = UniqueHandle<HBITMAP, ReleaseGdiObject>;
using WindowObject = UniqueHandle<HWND, ReleaseWindow>;
using MenuObject = UniqueHandle<HMENU, ReleaseMenu>;
using DcObject = UniqueHandle<HDC, ReleaseDc>;
using IconObject = UniqueHandle<HICON, ReleaseIcon>;
using GlobalObject = UniqueHandle<HGLOBAL, ReleaseGlobal>;

// A device context borrowed from a window (the screen's when window is nullptr).
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the life of this guard.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace toolkit::win32
