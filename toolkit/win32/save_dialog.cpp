// The save-file dialog.
#include "common/windows/wide_text.h"
#include "internal/win32_state.h"
#include "toolkit/save_dialog_setup.h"

#include <algorithm>

namespace toolkit {
using namespace win32;
namespace {

// "description\0patterns\0...\0\0" as the dialog wants its filters.
std::wstring FilterList(std::string_view pattern) {
    std::wstring list;
    for (const FileFilter& filter : ParseFilterPattern(pattern)) {
        list += common::WideFromUtf8(filter.description);
        list += L'\0';
        list += common::WideFromUtf8(filter.patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::wstring NativeFolder(const std::string& folder) {
    std::wstring native = common::WideFromUtf8(folder);
    std::replace(native.begin(), native.end(), L'/', L'\\');
    return native;
}

} // namespace

std::string SaveFileDialog(std::string_view title, std::string_view defaultFile,
                           std::string_view pattern, int patternIndex) {
    if (!Started()) {
        return {};
    }
    const DefaultFile proposal = SplitDefaultFile(defaultFile);
    // At most 259 characters and the terminating zero.
    std::wstring path(MAX_PATH, L'\0');
    const std::wstring name = common::WideFromUtf8(proposal.proposedName).substr(0, MAX_PATH - 1);
    std::copy(name.begin(), name.end(), path.begin());
    const std::wstring filters = FilterList(pattern);
    const std::wstring folder = NativeFolder(proposal.folder);
    const std::wstring caption = common::WideFromUtf8(title);

    HWND const foreground = GetForegroundWindow();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WindowIdOf(foreground) != -1 ? foreground : nullptr;
    dialog.lpstrFilter = filters.size() > 1 ? filters.c_str() : nullptr;
    dialog.nFilterIndex = static_cast<DWORD>(std::max(patternIndex, 0) + 1);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = caption.c_str();
    // An existing folder is required, replacing a file the user has is asked about
    // first, and a name typed without extension stays as typed (no default extension).
    dialog.Flags =
        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&dialog)) {
        return {};
    }
    return common::Utf8FromWide(path.c_str());
}

} // namespace toolkit
