#include "pages/page_viewer.h"

#include "lifecycle/fault_location.h"
#include "pages/picture_store.h"
#include "pages/save_failure_text.h"
#include "ui/toolkit/toolkit.h"

#include <cstdint>

namespace {

constexpr int ViewerToolBar = 0;
constexpr int PagePicture = 111;
constexpr int PageMargin = 5;

constexpr int PrintLeft = 600;
constexpr int PrintTop = 400;
constexpr int PrintSpareWidth = 900; // 600 on the left, 300 on the right

} // namespace

void OpenPageViewer(int pageId, int width, int height) {
    SetFaultLocation(FaultLocation::Child);
    if (!toolkit::OpenWindow(PageViewerWindow, 0, 0, width + 2 * PageMargin,
                             height + 2 * PageMargin, "Зорвел- помощна информация",
                             toolkit::TitleBar | toolkit::SystemMenu | toolkit::CentreOnScreen)) {
        // Without the viewer the picture would land in whatever window was the target.
        return;
    }
    toolkit::ActivateWindow(PageViewerWindow);
    if (toolkit::CreateToolBar(ViewerToolBar, PageViewerWindow)) {
        toolkit::AddToolBarButton(SavePageCommand, toolkit::StandardImageSave);
        toolkit::AddToolBarButton(PrintPageCommand, toolkit::StandardImagePrint);
    }
    const ImageRef page = ImageHandleOf(pageId);
    toolkit::CreatePicture(PagePicture, PageMargin, PageMargin, width, height,
                           page ? page->View() : toolkit::PixelView{});
}

void SavePage(int currentPage) {
    const std::string path =
        toolkit::SaveFileDialog("Запис на Помагалото", "Помагало_.jpg", "Pic (*.jpg)|*.jpg", 0);
    if (path.empty()) {
        toolkit::MessageBox("Опа-а!", "Направихте нещо неправилно  и не записахте файла!");
        return;
    }
    // Closing the dialog looks like success, so a file that was not written is named.
    SaveFailure why = SaveFailure::None;
    if (SaveImageAsJpeg(currentPage, path, &why) != 1) {
        toolkit::MessageBox("Опа-а!", SaveFailureText(path, why));
    }
}

PrintedArea PrintedPageArea(int printableWidth, int pageWidth, int pageHeight) {
    const int width = printableWidth - PrintSpareWidth;
    if (width <= 0 || pageWidth <= 0 || pageHeight <= 0) {
        return {PrintLeft, PrintTop, 0, 0};
    }
    // Integer arithmetic keeps the truncation exact where W x h / w is a whole number.
    const auto height = static_cast<std::int64_t>(width) * pageHeight / pageWidth;
    return {PrintLeft, PrintTop, width, static_cast<int>(height)};
}

void PrintPage(int currentPage) {
    if (!toolkit::PrintDialog()) {
        return;
    }
    const ImageRef page = ImageHandleOf(currentPage);
    const PrintedArea area =
        page ? PrintedPageArea(toolkit::PrinterPageWidth(), page->width, page->height)
             : PrintedArea{};
    if (!toolkit::StartPrinting("Печат на Помагалото")) {
        return;
    }
    if (!toolkit::StartDrawing(toolkit::PrinterOutput())) {
        toolkit::StopPrinting();
        return;
    }
    if (page && area.width > 0 && area.height > 0) {
        toolkit::DrawImage(page->View(), area.x, area.y, area.width, area.height);
    }
    toolkit::StopDrawing();
    toolkit::StopPrinting();
}
