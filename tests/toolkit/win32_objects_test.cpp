// What only the Win32 objects behind the ids show: window styles, the status bar's
// parts, control fonts and styles, menu items, the repaint a status tick costs.
#include "common/windows/wide_text.h"
#include "internal/text_fit.h"
#include "internal/win32_state.h"
#include "tests/support/toolkit_driver.h"
#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace toolkit;
using namespace toolkit::win32;

class Win32Objects : public ::testing::Test {
  protected:
    void TearDown() override {
        CloseAllWindows();
        ReleaseFonts();
        toolkit_driver::DrainEvents();
    }
};

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

// Built off the screen, it is the same, and has its size there before it is shown.
class MainWindowShown : public Win32Objects, public ::testing::WithParamInterface<unsigned> {};
INSTANTIATE_TEST_SUITE_P(AtOnceAndHidden, MainWindowShown, ::testing::Values(0U, Hidden));

TEST_P(MainWindowShown, TheMainWindowIsMaximizedWithoutMaximizeBoxAndRestoresCentred) {
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1000, 700, "Зорвел",
                           CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable |
                               Maximized | GetParam()));
    HWND const window = WindowHandle(0);
    const int hiddenWidth = InnerWidth(0);
    const int hiddenHeight = InnerHeight(0);
    EXPECT_EQ(IsWindowVisible(window) == FALSE, GetParam() == Hidden);
    RevealWindow(0);
    EXPECT_EQ(InnerWidth(0), hiddenWidth);
    EXPECT_EQ(InnerHeight(0), hiddenHeight);
    const LONG_PTR style = StyleOf(window);
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    RECT inner{0, 0, 1000, 700};
    AdjustWindowRectEx(&inner, static_cast<DWORD>(style), FALSE, 0);
    const RECT& restored = placement.rcNormalPosition;
    EXPECT_EQ(restored.right - restored.left, inner.right - inner.left);
    EXPECT_EQ(restored.left, (GetSystemMetrics(SM_CXSCREEN) - (inner.right - inner.left)) / 2);
    std::array<wchar_t, 16> title{};
    GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    EXPECT_STREQ(title.data(), L"Зорвел");
}

// Counts the texts a status bar is sent: each one repaints its field.
LRESULT CALLBACK CountTexts(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR counter) {
    if (message == SB_SETTEXTW) {
        ++*reinterpret_cast<int*>(counter);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(Win32Objects, StatusPartsFollowTheWidthRuleAndAnIdleTickRepaintsNothing) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1366) << "run on a 1366 x 768 screen";
    ASSERT_TRUE(
        OpenWindow(0, 0, 0, 1000, 700, "status",
                   CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized));
    ASSERT_TRUE(CreateStatusBar(0, 0));
    for (const int width : {250, Automatic, 200, Automatic, 100}) {
        AddStatusField(width);
    }
    HWND const bar = State().statusBars.Find(0)->window.get();
    std::array<int, 8> edges{};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data())),
              5);
    EXPECT_EQ(edges[0], 250);
    EXPECT_EQ(edges[1], 658);
    EXPECT_EQ(edges[2], 858);
    EXPECT_EQ(edges[3], 1266);
    EXPECT_EQ(edges[4], 1366);
    RECT rect{};
    GetWindowRect(bar, &rect);
    EXPECT_GE(rect.bottom - rect.top, 18);

    SetStatusFieldText(0, 4, "09:05:07", RightAligned);
    SetStatusFieldText(0, 1, "Налягане в [hPa]", Raised | RightAligned);
    const auto lookOf = [bar](int field) {
        return HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(field), 0));
    };
    EXPECT_EQ(lookOf(1), SBT_POPOUT);
    std::array<wchar_t, 32> text{};
    SendMessageW(bar, SB_GETTEXTW, 4, reinterpret_cast<LPARAM>(text.data()));
    EXPECT_EQ(std::wstring(text.data()).rfind(L"\t\t09:05:07", 0), 0u);
    int textsSent = 0;
    ASSERT_TRUE(SetWindowSubclass(bar, CountTexts, 1, reinterpret_cast<DWORD_PTR>(&textsSent)));
    SetStatusFieldText(0, 4, "09:05:07", RightAligned);
    EXPECT_EQ(textsSent, 0) << "the same text reaches the bar again";
    SetStatusFieldText(0, 4, "09:05:07", 0);
    SetStatusFieldText(0, 4, "09:05:08", 0);
    EXPECT_EQ(textsSent, 2);
    RemoveWindowSubclass(bar, CountTexts, 1);
}

TEST_F(Win32Objects, ControlsHaveTheirClassesStylesAndFonts) {
    ASSERT_TRUE(toolkit_driver::OpenActiveWindow(0));
    ASSERT_TRUE(CreateTextField(4, 10, 10, 150, 24, "F [g/m3]", Centred | ReadOnly));
    ASSERT_TRUE(CreateLabel(31, 10, 40, 150, 40, "a & b", Centred | Sunken));
    ASSERT_TRUE(CreateButton(45, 10, 90, 80, 30, "Изчисли"));
    HWND const field = ControlById(4)->window.get();
    HWND const label = ControlById(31)->window.get();
    EXPECT_EQ(StyleOf(field) & (ES_CENTER | ES_READONLY | ES_AUTOHSCROLL),
              ES_CENTER | ES_READONLY | ES_AUTOHSCROLL);
    EXPECT_NE(GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(StyleOf(label) & (SS_NOPREFIX | SS_CENTER), SS_NOPREFIX | SS_CENTER);
    EXPECT_EQ(GetDlgCtrlID(field), 4);

    ASSERT_TRUE(LoadFont(3, "Arial Bold Italic", 12, Underline));
    SetControlFont(31, FontHandle(3));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    LOGFONTW described{};
    ASSERT_TRUE(GetObjectW(font, sizeof described, &described));
    const WindowDc screen(nullptr);
    EXPECT_EQ(described.lfHeight, -MulDiv(12, GetDeviceCaps(screen.get(), LOGPIXELSY), 72));
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfItalic);
    EXPECT_TRUE(described.lfUnderline);
    EXPECT_STREQ(described.lfFaceName, L"Arial");
    // A font loaded again under its id leaves no control with the released one.
    ASSERT_TRUE(LoadFont(3, "Arial", 10, 0));
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), font);
}

HFONT FontOf(int controlId) {
    return reinterpret_cast<HFONT>(
        SendMessageW(ControlById(controlId)->window.get(), WM_GETFONT, 0, 0));
}

TEST_F(Win32Objects, ALabelTooLowForItsTextDrawsItWholeInASmallerFaceOfTheSameKind) {
    ASSERT_TRUE(toolkit_driver::OpenActiveWindow(0));
    const std::string text = "Поставете показалеца на мишката в полето Tdry и въведете показанието";
    ASSERT_TRUE(CreateLabel(5, 10, 10, 200, 40, text, 0));
    ASSERT_TRUE(CreateLabel(6, 10, 60, 200, 200, text, Sunken));
    ASSERT_TRUE(LoadFont(2, "Arial Bold", 14, 0));
    SetControlFont(5, FontHandle(2));
    SetControlFont(6, FontHandle(2));
    HFONT const loaded = FontHandle(2)->handle.get();
    ASSERT_NE(FontOf(5), loaded);
    const LOGFONTW asked = DescriptionOf(loaded);
    const LOGFONTW shown = DescriptionOf(FontOf(5));
    EXPECT_LT(-shown.lfHeight, -asked.lfHeight);
    EXPECT_EQ(DescriptionOf(FontOf(6)).lfHeight, shown.lfHeight) << "one size for one font";
    EXPECT_EQ(shown.lfWeight, FW_BOLD);
    EXPECT_STREQ(shown.lfFaceName, asked.lfFaceName);
    HWND const label = ControlById(5)->window.get();
    RECT inside{};
    GetClientRect(label, &inside);
    const std::wstring wide = common::WideFromUtf8(text);
    const WindowDc screen(nullptr);
    const Selection selected(screen.get(), FontOf(5));
    RECT laidOut{0, 0, inside.right, 0};
    DrawTextW(screen.get(), wide.c_str(), -1, &laidOut, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(laidOut.bottom, inside.bottom);
    // Given room, or a shorter text, both have the loaded face again.
    MoveControl(5, 10, 10, 200, 200);
    EXPECT_EQ(FontOf(5), loaded);
    EXPECT_EQ(FontOf(6), loaded);
    MoveControl(5, 10, 10, 200, 40);
    SetControlText(5, "Tdry");
    EXPECT_EQ(FontOf(5), loaded);
}

TEST_F(Win32Objects, MenusKeepTheirTrailingSeparatorsAndOneBarPerWindow) {
    ASSERT_TRUE(toolkit_driver::OpenActiveWindow(0));
    ASSERT_TRUE(CreateMenuBar(0, 0));
    AddMenuTitle("Вид на психрометъра");
    AddMenuItem(5, "С аспирация");
    AddMenuSeparator();
    HMENU const bar = GetMenu(WindowHandle(0));
    ASSERT_NE(bar, nullptr);
    HMENU const dropDown = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(dropDown), 2);
    EXPECT_EQ(GetMenuState(dropDown, 1, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(dropDown, 0), 5u);

    AddMenuCheckItem(6, "Без аспирация");
    SetMenuItemChecked(0, 6, true);
    MENUITEMINFOW check{};
    check.cbSize = sizeof check;
    check.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoW(dropDown, 6, FALSE, &check));
    // An option on or off: a check mark, not a radio bullet.
    EXPECT_EQ(check.fType, static_cast<UINT>(MFT_STRING));
    EXPECT_NE(check.fState & MFS_CHECKED, 0u);
    SetMenuItemChecked(0, 6, false);
    EXPECT_EQ(GetMenuState(dropDown, 6, MF_BYCOMMAND) & MF_CHECKED, 0u);

    ASSERT_TRUE(CreateMenuBar(1, 0));
    EXPECT_NE(GetMenu(WindowHandle(0)), bar);
    EXPECT_EQ(State().menuBars.Find(0), nullptr);
    CloseWindow(0);
    EXPECT_EQ(State().menuBars.Find(1), nullptr);
}

// A sheet to measure ink on: the width from the first to the last column holding a pixel
// other than the area's corner's, of a text written in a face or of a part of the screen.
class Paper {
  public:
    Paper()
        : paper_(CreateCompatibleDC(screen_.get())),
          sheet_(CreateCompatibleBitmap(screen_.get(), Width, Height)),
          onPaper_(paper_.get(), sheet_.get()) {}

    LONG InkOfText(std::wstring_view text, HFONT face, LONG height) {
        const Selection inFace(paper_.get(), face);
        RECT written{0, 0, Width, height};
        FillRect(paper_.get(), &written, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(paper_.get(), TRANSPARENT);
        DrawTextW(paper_.get(), text.data(), static_cast<int>(text.size()), &written,
                  DT_SINGLELINE | DT_VCENTER);
        return Ink(written);
    }
    LONG InkOnScreen(const RECT& area) {
        const RECT copied{0, 0, area.right - area.left, area.bottom - area.top};
        BitBlt(paper_.get(), 0, 0, copied.right, copied.bottom, screen_.get(), area.left, area.top,
               SRCCOPY);
        return Ink(copied);
    }

  private:
    static constexpr int Width = 1000;
    static constexpr int Height = 100;
    LONG Ink(const RECT& area) const {
        const COLORREF background = GetPixel(paper_.get(), area.right - 1, area.top);
        LONG first = area.right;
        LONG last = area.left - 1;
        for (LONG x = area.left; x < area.right; ++x) {
            for (LONG y = area.top; y < area.bottom; ++y) {
                if (GetPixel(paper_.get(), x, y) != background) {
                    first = std::min(first, x);
                    last = x;
                    break;
                }
            }
        }
        return std::max(0L, last - first + 1);
    }
    WindowDc screen_{nullptr};
    DcObject paper_;
    BitmapObject sheet_;
    Selection onPaper_;
};

// Run again at 120, 144 and 168 dots per inch (tests/ui/windows_scaling_check.sh): a
// title stands on the screen as wide as its text comes out in the menu face of the
// window's scale (one cut at its place's edge is narrower), and Alt with its underlined
// letter, in either case, opens it.
TEST_F(Win32Objects, MenuTitlesStandWholeAndOpenByTheirLetters) {
    ASSERT_TRUE(toolkit_driver::OpenActiveWindow(0, 1000, 200));
    ASSERT_TRUE(CreateMenuBar(0, 0));
    for (const char* title : {"&Скала на барометъра", "&Вид на психрометъра", "&Дефиниции"}) {
        AddMenuTitle(title);
        AddMenuItem(5, "С аспирация");
    }
    HWND const window = WindowHandle(0);
    HMENU const bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    toolkit_driver::Wait(200);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTW& face = metrics.lfMenuFont;
    face.lfHeight = MulDiv(face.lfHeight, DotsPerInchOf(window), ScreenDotsPerInch());
    const FontObject menuFont(CreateFontIndirectW(&face));
    Paper paper;
    for (int position = 0; position < GetMenuItemCount(bar); ++position) {
        std::array<wchar_t, 128> text{};
        GetMenuStringW(bar, static_cast<UINT>(position), text.data(), static_cast<int>(text.size()),
                       MF_BYPOSITION);
        RECT title{};
        ASSERT_TRUE(GetMenuItemRect(window, bar, static_cast<UINT>(position), &title));
        const LONG whole = paper.InkOfText(text.data(), menuFont.get(), title.bottom - title.top);
        EXPECT_GT(whole, 0);
        EXPECT_GE(paper.InkOnScreen(title) + 1, whole) << "menu title " << position << " is cut";
    }
    const LRESULT key = SendMessageW(window, WM_MENUCHAR, MAKEWPARAM(L'в', MF_POPUP),
                                     reinterpret_cast<LPARAM>(bar));
    if (!AtBaseScale(window)) {
        // Titles the toolkit draws are found by their letters by the toolkit.
        EXPECT_EQ(HIWORD(key), MNC_EXECUTE);
        EXPECT_EQ(LOWORD(key), 1);
    }
}

// A status text near its field's width, at the test's display scale (120, 144 and 168
// dots per inch as well, by tests/ui/windows_scaling_check.sh): in the bar's face or the
// smaller one the toolkit draws it in, it stands inside the field as wide as that face
// writes it, never cut at the field's inner edge.
TEST_F(Win32Objects, AStatusTextNearItsFieldsWidthStandsWhole) {
    ASSERT_TRUE(OpenWindow(0, 0, 0, 1000, 700, "status",
                           CentreOnScreen | TitleBar | SystemMenu | Resizable | Maximized));
    ActivateWindow(0);
    ASSERT_TRUE(CreateStatusBar(0, 0));
    AddStatusField(200);
    AddStatusField(Automatic);
    StatusBarEntry& entry = *State().statusBars.Find(0);
    HWND const bar = entry.window.get();
    const std::wstring_view text = L"Използвате психрометър с аспирация";
    const LOGFONTW barFace =
        DescriptionOf(reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    Paper paper;
    for (int width = 200; width <= 260; width += 6) {
        entry.fields[0].width = width;
        ApplyStatusParts(entry);
        SetStatusFieldText(0, 0, common::Utf8FromWide(text), Centred);
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        toolkit_driver::Wait(50);
        RECT field{};
        SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&field));
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&field), 2);
        InflateRect(&field, -2, -2); // inside the field's border
        const LONG fitted = entry.fields[0].fittedHeight;
        const FontObject face = FontOfHeight(barFace, fitted != 0 ? fitted : barFace.lfHeight);
        EXPECT_GE(paper.InkOnScreen(field) + 1,
                  paper.InkOfText(text, face.get(), field.bottom - field.top))
            << "cut in a field of " << field.right - field.left << " pixels";
    }
}

TEST_F(Win32Objects, AToolbarKeepsTheControlsBelowItAndTheClientSizeAskedFor) {
    ASSERT_TRUE(OpenWindow(199, 0, 0, 300, 200, "viewer", TitleBar | SystemMenu | CentreOnScreen));
    ASSERT_TRUE(CreateTextField(111, 5, 5, 50, 20, "", 0));
    ASSERT_TRUE(CreateToolBar(0, 199));
    AddToolBarButton(1001, StandardImageSave, "Запиши страницата");
    AddToolBarButton(1002, StandardImagePrint, "Отпечатай страницата");
    HWND const bar = State().toolBars.Find(0)->window.get();
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 2);
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    const int strip = barRect.bottom - barRect.top;
    ASSERT_GT(strip, 0);
    RECT client{};
    GetClientRect(WindowHandle(199), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200 + strip);
    RECT field{};
    GetWindowRect(ControlById(111)->window.get(), &field);
    MapWindowPoints(nullptr, WindowHandle(199), reinterpret_cast<POINT*>(&field), 2);
    EXPECT_EQ(field.top, 5 + strip);

    ResizeWindow(199, 240, 150);
    GetClientRect(WindowHandle(199), &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 150 + strip);
    RECT outer{};
    GetWindowRect(WindowHandle(199), &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
}

} // namespace

namespace {

using namespace toolkit;
using namespace toolkit::win32;

TEST_F(Win32Objects, FocusMoveMinimumSizeAndSizeEvents) {
    ASSERT_TRUE(toolkit_driver::OpenActiveWindow(0, 400, 300, TitleBar | SystemMenu | Resizable));
    ASSERT_TRUE(CreateTextField(1, 10, 10, 80, 24, "abc", 0));
    FocusControl(1);
    EXPECT_EQ(FocusedControl(), 1);
    DWORD start = 9;
    DWORD end = 9;
    SendMessageW(ControlById(1)->window.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);

    MoveControl(1, 20, 30, 100, 24);
    RECT place{};
    GetWindowRect(ControlById(1)->window.get(), &place);
    MapWindowPoints(nullptr, WindowHandle(0), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.top, 30);
    EXPECT_EQ(place.right - place.left, 100);

    SetMinimumInnerSize(0, 300, 200);
    MINMAXINFO limits{};
    SendMessageW(WindowHandle(0), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT outer{0, 0, 300, 200};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(StyleOf(WindowHandle(0))), FALSE, 0);
    EXPECT_EQ(limits.ptMinTrackSize.x, outer.right - outer.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, outer.bottom - outer.top);

    toolkit_driver::DrainEvents();
    ResizeWindow(0, 350, 250);
    const std::vector<toolkit_driver::SeenEvent> seen = toolkit_driver::DrainEvents();
    EXPECT_NE(std::find(seen.begin(), seen.end(), toolkit_driver::SeenEvent{SizeEvent, 0, 0}),
              seen.end());
}

// 40 x 20 pixels, left half red, right half blue, as the picture store keeps them.
std::vector<unsigned char> HalfRedHalfBlue() {
    std::vector<unsigned char> pixels(120 * 20);
    for (std::size_t at = 0; at < pixels.size(); at += 3) {
        const bool left = at % 120 < 60;
        pixels[at] = left ? 0 : 255;
        pixels[at + 2] = left ? 255 : 0;
    }
    return pixels;
}

TEST_F(Win32Objects, APageGoesIntoThePrintFileWithThePictureWhereItWasDrawn) {
    const std::filesystem::path folder = std::filesystem::current_path() / "printed";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    SetPrintToFile((folder / "missing" / "page.bmp").string());
    ASSERT_TRUE(PrintDialog());
    EXPECT_FALSE(StartPrinting("job")) << "a file that cannot be made";
    EXPECT_EQ(PrinterOutput(), 0);

    const std::filesystem::path file = folder / "page.bmp";
    SetPrintToFile(file.string());
    ASSERT_TRUE(PrintDialog());
    EXPECT_EQ(PrinterPageWidth(), 4961); // A4 at 600 dpi
    ASSERT_TRUE(StartPrinting("Печат на Помагалото"));
    ASSERT_TRUE(StartDrawing(PrinterOutput()));
    const std::vector<unsigned char> pixels = HalfRedHalfBlue();
    DrawImage({40, 20, 120, pixels.data()}, 600, 1200, 2400, 1200);
    DrawImage({40, 20, 120, pixels.data()}, 3600, 3600, 0, 600); // nothing
    StopDrawing();
    StopPrinting();
    SetPrintToFile("");
    EXPECT_EQ(PrinterOutput(), 0);

    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    BITMAPINFOHEADER header{};
    ASSERT_GT(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof header);
    std::memcpy(&header, &bytes[sizeof(BITMAPFILEHEADER)], sizeof header);
    EXPECT_EQ(header.biWidth, 4961);
    EXPECT_EQ(header.biHeight, 7016);
    ASSERT_EQ(header.biBitCount, 24);
    const std::size_t row = (4961 * 3 + 3) & ~std::size_t{3};
    ASSERT_EQ(bytes.size(), 54 + row * 7016);
    const auto colour = [&bytes, row](int x, int y) {
        const std::size_t at = 54 + row * static_cast<std::size_t>(7015 - y) + 3 * x;
        return RGB(bytes[at + 2], bytes[at + 1], bytes[at]);
    };
    EXPECT_EQ(colour(1200, 1800), RGB(255, 0, 0));     // the red half
    EXPECT_EQ(colour(2400, 1800), RGB(0, 0, 255));     // the blue half
    EXPECT_EQ(colour(601, 1201), RGB(255, 0, 0));      // its top-left corner
    EXPECT_EQ(colour(599, 1800), RGB(255, 255, 255));  // left of it
    EXPECT_EQ(colour(1200, 1199), RGB(255, 255, 255)); // above it
    EXPECT_EQ(colour(3000, 1800), RGB(255, 255, 255)); // right of it
    EXPECT_EQ(colour(3800, 3800), RGB(255, 255, 255)); // the empty draw
}

} // namespace
