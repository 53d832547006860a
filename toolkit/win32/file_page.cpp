#include "internal/file_page.h"

#include <cmath>

namespace toolkit::win32 {
namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr int A4WidthMm = 210;
constexpr int A4HeightMm = 297;

int Dots(int millimetres) {
    return static_cast<int>(std::lround(millimetres / MillimetresPerInch * FilePage::DotsPerInch));
}

// Rows of 24-bit pixels are padded to whole 32-bit words.
DWORD RowBytes(int width) {
    return (static_cast<DWORD>(width) * 3 + 3) & ~3u;
}

BITMAPINFOHEADER PageHeader(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as a bitmap file keeps its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = RowBytes(width) * static_cast<DWORD>(height);
    const auto dotsPerMetre =
        static_cast<LONG>(std::lround(FilePage::DotsPerInch / MillimetresPerInch * 1000));
    header.biXPelsPerMeter = dotsPerMetre;
    header.biYPelsPerMeter = dotsPerMetre;
    return header;
}

bool WriteAll(HANDLE file, const void* bytes, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, nullptr) != FALSE && written == size;
}

} // namespace

FilePage::FilePage(std::wstring path)
    : path_(std::move(path)), width_(Dots(A4WidthMm)), height_(Dots(A4HeightMm)) {
    BITMAPINFO info{};
    info.bmiHeader = PageHeader(width_, height_);
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!bitmap_) {
        return;
    }
    dc_.reset(CreateCompatibleDC(nullptr));
    if (dc_) {
        SelectObject(dc_.get(), bitmap_.get());
    }
}

bool FilePage::Open() {
    if (!dc_) {
        return false;
    }
    HANDLE const file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    file_.reset(file);
    PatBlt(dc_.get(), 0, 0, width_, height_, WHITENESS);
    return true;
}

void FilePage::Close() {
    if (!file_) {
        return;
    }
    GdiFlush(); // the drawing has reached the pixels
    const BITMAPINFOHEADER header = PageHeader(width_, height_);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    HANDLE const file = file_.get();
    if (WriteAll(file, &fileHeader, sizeof fileHeader) && WriteAll(file, &header, sizeof header)) {
        WriteAll(file, bits_, header.biSizeImage);
    }
    file_.reset();
}

} // namespace toolkit::win32
