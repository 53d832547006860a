// The program's message boxes.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"

#include <vector>

namespace toolkit {
using namespace win32;
namespace {

// Every other enabled, visible window of the program waits while the box is open,
// and none stays on top of it; both come back when it closes.
class OtherWindowsWait {
  public:
    explicit OtherWindowsWait(HWND owner) {
        State().windows.ForEach([this, owner](int, WindowEntry& entry) {
            HWND const window = entry.window.get();
            if (window == owner || !IsWindowVisible(window)) {
                return;
            }
            if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
                SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                onTop_.push_back(window);
            }
            if (IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                disabled_.push_back(window);
            }
        });
    }
    ~OtherWindowsWait() {
        for (HWND const window : disabled_) {
            if (IsWindow(window)) {
                EnableWindow(window, TRUE);
            }
        }
        for (HWND const window : onTop_) {
            if (IsWindow(window)) {
                SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    }
    OtherWindowsWait(const OtherWindowsWait&) = delete;
    OtherWindowsWait& operator=(const OtherWindowsWait&) = delete;

  private:
    std::vector<HWND> disabled_;
    std::vector<HWND> onTop_;
};

} // namespace

int ShowMessageBox(std::string_view title, std::string_view text, unsigned flags) {
    HWND const foreground = GetForegroundWindow();
    HWND const owner = WindowIdOf(foreground) != -1 ? foreground : nullptr;
    const OtherWindowsWait wait(owner);
    MessageBoxW(owner, common::WideFromUtf8(text).c_str(), common::WideFromUtf8(title).c_str(),
                flags);
    return 1;
}

} // namespace toolkit
