// Printing one page of images, on a printer or into a PDF file.
#include "internal/pixel_image.h"
#include "internal/qt_state.h"

#include <QPageLayout>
#include <QPrintDialog>

namespace toolkit {
namespace {

constexpr int PrinterDotsPerInch = 600;

// Drawing coordinates start at the corner of the printable area, which is as large as
// the printer allows.
void UseMinimalMargins(QPrinter& printer) {
    printer.setResolution(PrinterDotsPerInch);
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

std::unique_ptr<QPrinter> PdfPrinter(const std::string& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(ToQString(path));
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    UseMinimalMargins(*printer);
    return printer;
}

} // namespace

bool PrintDialog() {
    PrintJob& job = State().print;
    if (!Started() || job.painter) {
        return false;
    }
    job.printer.reset(); // a printer chosen earlier goes first
    UseBulgarianQtTexts();
    if (!State().printToFile.empty()) {
        job.printer = PdfPrinter(State().printToFile);
        return true;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setCopyCount(1);
    UseMinimalMargins(*printer);
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("print-dialog"));
    dialog.setMinMax(1, 65535);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    UseMinimalMargins(*printer);
    job.printer = std::move(printer);
    return true;
}

int PrinterPageWidth() {
    const PrintJob& job = State().print;
    return job.printer ? job.printer->width() : 0;
}

bool StartPrinting(std::string_view documentName) {
    PrintJob& job = State().print;
    if (!job.printer || job.painter) {
        return false;
    }
    job.printer->setDocName(ToQString(documentName));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(job.printer.get())) {
        return false;
    }
    job.painter = std::move(painter);
    return true;
}

int PrinterOutput() {
    const PrintJob& job = State().print;
    return job.painter && job.painter->isActive() ? 1 : 0;
}

bool StartDrawing(int output) {
    PrintJob& job = State().print;
    job.drawing = output != 0 && output == PrinterOutput();
    return job.drawing;
}

void DrawImage(const PixelView& image, int x, int y, int width, int height) {
    PrintJob& job = State().print;
    if (!job.drawing || !job.painter || width <= 0 || height <= 0) {
        return;
    }
    const QImage picture = ToQImage(image);
    if (picture.isNull()) {
        return;
    }
    // A plain stretch, and no lossy recompression of the picture inside a PDF.
    job.painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    job.painter->setRenderHint(QPainter::LosslessImageRendering, true);
    job.painter->drawImage(QRect(x, y, width, height), picture);
}

void StopDrawing() {
    State().print.drawing = false;
}

void StopPrinting() {
    PrintJob& job = State().print;
    job.drawing = false;
    if (job.painter) {
        job.painter->end();
        job.painter.reset();
    }
}

} // namespace toolkit
