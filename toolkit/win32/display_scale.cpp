// The dots per inch of the screen a window is on. The program declares itself aware of
// every monitor's own scale, so the system hands it real pixels and leaves the scaling
// to it; GetDpiForWindow is asked for where the system has it (Windows 10 on), the
// screen's resolution otherwise.
#include "internal/win32_state.h"

namespace toolkit::win32 {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);

DpiForWindow WindowDpiFunction() {
    static const auto function = [] {
        HMODULE const user = GetModuleHandleW(L"user32.dll");
        return user != nullptr ? reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(user, "GetDpiForWindow")))
                               : nullptr;
    }();
    return function;
}

} // namespace

int ScreenDotsPerInch() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : BaseDotsPerInch;
}

int DotsPerInchOf(HWND window) {
    if (window != nullptr) {
        if (const DpiForWindow function = WindowDpiFunction()) {
            if (const UINT dpi = function(window); dpi > 0) {
                return static_cast<int>(dpi);
            }
        }
    }
    return ScreenDotsPerInch();
}

bool AtBaseScale(HWND window) {
    return DotsPerInchOf(window) == BaseDotsPerInch;
}

int FontDotsPerInch() {
    const int dpi = State().fontDpi;
    return dpi > 0 ? dpi : ScreenDotsPerInch();
}

} // namespace toolkit::win32
