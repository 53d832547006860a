// A printer that is a file, for checks that must print without a printer: an A4 page at
// 600 dots per inch, all of it printable, drawn in memory by the same GDI calls as a
// printer's page and written out as a 24-bit bitmap file when it is closed.
#pragma once

#include "internal/handles.h"

#include <string>

namespace toolkit::win32 {

struct ReleaseFile {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
using FileObject = UniqueHandle<HANDLE, ReleaseFile>;

class FilePage {
  public:
    static constexpr int DotsPerInch = 600;

    explicit FilePage(std::wstring path);
    // The page's drawing target; nullptr when the page could not be made.
    HDC Dc() const { return dc_.get(); }
    int Width() const { return Dc() != nullptr ? width_ : 0; }
    // A white page, and its file created; false when the file cannot be.
    bool Open();
    // Writes the page into its file and closes it.
    void Close();

  private:
    std::wstring path_;
    int width_;
    int height_;
    BitmapObject bitmap_;
    void* bits_ = nullptr;
    DcObject dc_; // holds the bitmap selected, so it goes before it
    FileObject file_;
};

} // namespace toolkit::win32
