#include "internal/win32_state.h"

namespace toolkit::win32 {

ControlWindow& ControlWindow::operator=(ControlWindow&& other) noexcept {
    if (this != &other) {
        DropToolTip();
        window_ = std::move(other.window_);
    }
    return *this;
}

ControlWindow::~ControlWindow() {
    DropToolTip();
}

// The shared tooltip window would otherwise keep a tool for a window that is gone.
void ControlWindow::DropToolTip() {
    HWND const tips = State().toolTips.get();
    if (tips == nullptr || !window_) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(window_.get());
    tool.uId = reinterpret_cast<UINT_PTR>(window_.get());
    SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace toolkit::win32
