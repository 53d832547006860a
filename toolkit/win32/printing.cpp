// Printing one page of pictures on a printer the user chooses, or into a file.
#include "common/windows/wide_text.h"
#include "internal/dib.h"
#include "internal/win32_state.h"

namespace toolkit {
using namespace win32;
namespace {

HDC PageDc(const PrintJob& job) {
    return job.file ? job.file->Dc() : job.printer.get();
}

} // namespace

bool PrintDialog() {
    PrintJob& job = State().print;
    if (!Started() || job.pageOpen) {
        return false;
    }
    job.printer.reset(); // a printer chosen earlier goes first
    job.file.reset();
    if (!State().printToFile.empty()) {
        job.file.emplace(common::WideFromUtf8(State().printToFile));
        return job.file->Dc() != nullptr;
    }
    HWND const foreground = GetForegroundWindow();
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = WindowIdOf(foreground) != -1 ? foreground : nullptr;
    // Copies and collation stay with the printer driver.
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 65535;
    const BOOL chosen = PrintDlgW(&dialog);
    const GlobalObject mode(dialog.hDevMode);
    const GlobalObject names(dialog.hDevNames);
    if (!chosen || dialog.hDC == nullptr) {
        return false;
    }
    job.printer.reset(dialog.hDC);
    return true;
}

int PrinterPageWidth() {
    const PrintJob& job = State().print;
    if (job.file) {
        return job.file->Width();
    }
    return job.printer ? GetDeviceCaps(job.printer.get(), HORZRES) : 0;
}

bool StartPrinting(std::string_view documentName) {
    PrintJob& job = State().print;
    if (PageDc(job) == nullptr || job.pageOpen) {
        return false;
    }
    if (job.file) {
        job.pageOpen = job.file->Open();
        return job.pageOpen;
    }
    const std::wstring name = common::WideFromUtf8(documentName);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (StartDocW(job.printer.get(), &document) <= 0) {
        return false;
    }
    if (StartPage(job.printer.get()) <= 0) {
        AbortDoc(job.printer.get());
        return false;
    }
    job.pageOpen = true;
    return true;
}

int PrinterOutput() {
    const PrintJob& job = State().print;
    return job.pageOpen && GetDeviceCaps(PageDc(job), TECHNOLOGY) != 0 ? 1 : 0;
}

bool StartDrawing(int output) {
    PrintJob& job = State().print;
    job.drawing = output != 0 && output == PrinterOutput();
    return job.drawing;
}

void DrawImage(const PixelView& image, int x, int y, int width, int height) {
    const PrintJob& job = State().print;
    if (!job.drawing || width <= 0 || height <= 0 || image.empty()) {
        return;
    }
    const Dib dib = DibOf(image);
    if (dib.pixels.empty()) {
        return;
    }
    HDC const printer = PageDc(job);
    SetStretchBltMode(printer, COLORONCOLOR);
    StretchDIBits(printer, x, y, width, height, 0, 0, image.width, image.height, dib.pixels.data(),
                  &dib.header, DIB_RGB_COLORS, SRCCOPY);
}

void StopDrawing() {
    State().print.drawing = false;
}

void StopPrinting() {
    PrintJob& job = State().print;
    job.drawing = false;
    if (!job.pageOpen) {
        return;
    }
    job.pageOpen = false;
    if (job.file) {
        job.file->Close();
        return;
    }
    EndPage(job.printer.get());
    EndDoc(job.printer.get());
}

} // namespace toolkit
