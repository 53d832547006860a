#include "lifecycle/running_mark.h"

#include "common/windows/wide_text.h"

#include <windows.h>

RunningMark::RunningMark(const char* name)
    // Not owned, only named: a second copy of the program opens the same mutex, and the
    // mark stays until the last copy ends. Without it the program still runs; only the
    // installer then cannot tell.
    : handle_(CreateMutexW(nullptr, FALSE, common::WideFromUtf8(name).c_str())) {}

RunningMark::~RunningMark() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
}
