#include "ui/page_viewer.h"

#include "calc/main_window_texts.h"
#include "lifecycle/fault_location.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"
#include "ui/save_failure_text.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int Viewer = Id(WindowId::PageViewerWindow);
constexpr int PagePicture = Id(ControlId::PagePicture);
constexpr int PageMargin = 5;

constexpr int PrintLeft = 600;
constexpr int PrintTop = 400;
constexpr int PrintSpareWidth = 900; // 600 on the left, 300 on the right

// How much a page of width x height must shrink so that its area, margins included,
// fits the room the screen leaves the viewer; 1 when it fits as it is.
double FitScale(int width, int height, toolkit::Size room) {
    if (width <= 0 || height <= 0) {
        return 1.0;
    }
    const double across = static_cast<double>(room.width - 2 * PageMargin) / width;
    const double down = static_cast<double>(room.height - 2 * PageMargin) / height;
    return std::clamp(std::min(across, down), 0.0, 1.0);
}

// The picture of the page in the viewer, the gadget target; on a screen too small for the
// page (a 768-pixel laptop) the whole page is shown smaller, in its own proportions, and
// Save and Print still use the page itself. A viewer shown again in place has the size
// already, and keeps the place the user gave it.
void ShowPicture(int pageId, int width, int height, bool sizeViewer) {
    const ImageRef page = ImageHandleOf(pageId);
    const common::PixelView view = page ? page->View() : common::PixelView{};
    const double scale = FitScale(width, height, toolkit::ScreenRoom(Viewer));
    if (scale >= 1.0) {
        toolkit::CreatePicture(PagePicture, PageMargin, PageMargin, width, height, view);
        return;
    }
    const auto shrink = [scale](int length) {
        return std::max(1, static_cast<int>(length * scale));
    };
    if (sizeViewer) {
        toolkit::ResizeWindow(Viewer, shrink(width) + 2 * PageMargin,
                              shrink(height) + 2 * PageMargin);
    }
    toolkit::CreateScaledPicture(PagePicture, PageMargin, PageMargin, shrink(view.width),
                                 shrink(view.height), view);
}

} // namespace

void OpenPageViewer(int pageId, int width, int height) {
    SetFaultLocation(FaultLocation::Child);
    if (!toolkit::OpenWindow(Viewer, 0, 0, width + 2 * PageMargin, height + 2 * PageMargin,
                             main_window_texts::ViewerTitle,
                             toolkit::TitleBar | toolkit::SystemMenu | toolkit::CentreOnScreen)) {
        // Without the viewer the picture would land in whatever window was the target.
        return;
    }
    toolkit::ActivateWindow(Viewer);
    toolkit::CloseOnEscape(Viewer);
    if (toolkit::CreateToolBar(Id(ToolBarId::ViewerToolBar), Viewer)) {
        toolkit::AddToolBarButton(Id(CommandId::SavePageCommand), toolkit::StandardImageSave,
                                  main_window_texts::SavePageTip);
        toolkit::AddToolBarButton(Id(CommandId::PrintPageCommand), toolkit::StandardImagePrint,
                                  main_window_texts::PrintPageTip);
    }
    ShowPicture(pageId, width, height, true);
}

void RefreshPageViewer(int pageId, int width, int height) {
    if (toolkit::InnerWidth(Viewer) <= 0) {
        return;
    }
    const int previousTarget = toolkit::UseGadgetTarget(Viewer);
    ShowPicture(pageId, width, height, false);
    toolkit::UseGadgetTarget(previousTarget);
}

void SavePage(int currentPage) {
    const std::string path = toolkit::SaveFileDialog(
        "Запис на Помагалото", main_window_texts::SavedPageName, "Pic (*.jpg)|*.jpg", 0);
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
