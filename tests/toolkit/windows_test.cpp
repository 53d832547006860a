// Windows: placement, sizes, menu bar, closing, close requests and the object tables.
#include "tests/support/toolkit_probe.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <cstdlib>
#include <malloc.h>

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::OpenTestWindow;
using toolkit_test::SeenEvent;

class Windows : public ::testing::Test {
  protected:
    void TearDown() override {
        CloseAllWindows();
        DrainEvents();
    }
};

TEST_F(Windows, OpensShownWithItsClientSizeAndBecomesTheTarget) {
    UseGadgetTarget(-1);
    ASSERT_TRUE(OpenWindow(3, 20, 30, 320, 200, "Заглавие", TitleBar | SystemMenu));
    const ToolkitWindow* const window = WindowById(3);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Заглавие"));
    EXPECT_EQ(window->pos(), QPoint(20, 30));
    EXPECT_EQ(InnerWidth(3), 320);
    EXPECT_EQ(InnerHeight(3), 200);
    EXPECT_EQ(UseGadgetTarget(3), 3);
    // Not sizeable unless asked, and never a maximize box.
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(Windows, ATitleBarIsAddedWhenNoLookIsGiven) {
    ASSERT_TRUE(OpenWindow(4, 0, 0, 100, 80, "bare", 0));
    EXPECT_TRUE(WindowById(4)->windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(WindowById(4)->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    ASSERT_TRUE(OpenWindow(5, 0, 0, 100, 80, "min", MinimizeBox | Resizable));
    EXPECT_TRUE(WindowById(5)->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_NE(WindowById(5)->minimumSize(), WindowById(5)->maximumSize());
}

TEST_F(Windows, CentredOnTheScreenWhateverXAndYSay) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(OpenWindow(6, 5, 5, 301, 201, "centred", TitleBar | CentreOnScreen));
    const QRect outer = WindowById(6)->frameGeometry();
    EXPECT_EQ(outer.x(), (screen.width() - outer.width()) / 2);
    EXPECT_EQ(outer.y(), (screen.height() - outer.height()) / 2);
    // Larger than the screen: starts at its corner.
    ASSERT_TRUE(OpenWindow(7, 5, 5, screen.width() + 50, screen.height() + 50, "big",
                           TitleBar | CentreOnScreen));
    EXPECT_EQ(WindowById(7)->frameGeometry().topLeft(), screen.topLeft());
}

TEST_F(Windows, MaximizedTakesTheScreensFreeArea) {
    ASSERT_TRUE(OpenWindow(8, 0, 0, 300, 200, "max", TitleBar | Resizable | Maximized));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const ToolkitWindow* const window = WindowById(8);
    EXPECT_TRUE(window->isMaximized());
    // The frame fills the free area and the inner size measured on return is the one the
    // window keeps, so a layout measured right after opening fits.
    const int measuredWidth = InnerWidth(8);
    const int measuredHeight = InnerHeight(8);
    EXPECT_EQ(window->frameGeometry(), available);
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(InnerWidth(8), measuredWidth);
    EXPECT_EQ(InnerHeight(8), measuredHeight);
    EXPECT_EQ(window->frameGeometry(), available);
}

TEST_F(Windows, InnerHeightCountsTheMenuBarOnceOneIsAttached) {
    ASSERT_TRUE(OpenWindow(9, 0, 0, 400, 300, "menu", TitleBar | SystemMenu));
    const ToolkitWindow* const window = WindowById(9);
    EXPECT_EQ(InnerHeight(9), 300);
    EXPECT_EQ(window->Client()->height(), 300);

    ASSERT_TRUE(CreateMenuBar(0, 9));
    AddMenuTitle("&Файл");
    AddMenuItem(1, "Изход");
    const int menuHeight = window->MenuBar()->height();
    EXPECT_GT(menuHeight, 10);
    // The window keeps its outer size; the client area gives the menu its line.
    EXPECT_EQ(window->height(), 300);
    EXPECT_EQ(window->Client()->height(), 300 - menuHeight);
    EXPECT_EQ(window->Client()->y(), menuHeight);
    EXPECT_EQ(InnerHeight(9), window->Client()->height() + menuHeight);
    EXPECT_EQ(InnerWidth(9), 400);
}

TEST_F(Windows, ACloseRequestQueuesAnEventAndLeavesTheWindowOpen) {
    ToolkitWindow* const window = OpenTestWindow(10);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{CloseEvent, 0, 10}}));
    CloseWindow(10);
    EXPECT_EQ(WindowById(10), nullptr);
    EXPECT_EQ(InnerWidth(10), 0);
}

TEST_F(Windows, ClosingTakesControlsAndBarsAlongAndFreesTheirIds) {
    ASSERT_NE(OpenTestWindow(11), nullptr);
    ASSERT_TRUE(CreateTextField(21, 10, 10, 100, 24, "поле", 0));
    ASSERT_TRUE(CreateButton(22, 10, 40, 100, 24, "бутон"));
    ASSERT_TRUE(CreateStatusBar(2, 11));
    ASSERT_TRUE(CreateToolBar(2, 11));
    ASSERT_TRUE(CreateMenuBar(2, 11));
    QPointer<QWidget> field = ControlById(21);
    CloseWindow(11);
    EXPECT_TRUE(field.isNull());
    EXPECT_EQ(ControlById(21), nullptr);
    EXPECT_EQ(ControlById(22), nullptr);
    EXPECT_EQ(GetControlText(21), "");
    EXPECT_EQ(State().statusBars.Find(2), nullptr);
    EXPECT_EQ(State().toolBars.Find(2), nullptr);
    EXPECT_EQ(State().menuBars.Find(2), nullptr);
    // Creations into the closed window fail and leave nothing.
    UseGadgetTarget(11);
    EXPECT_FALSE(CreateLabel(23, 0, 0, 10, 10, "x", 0));
    EXPECT_EQ(ControlById(23), nullptr);
    EXPECT_FALSE(CreateStatusBar(3, 11));
    EXPECT_FALSE(CreateMenuBar(3, 11));
}

TEST_F(Windows, OpeningUnderALiveIdReplacesTheWindowAndItsControls) {
    ASSERT_TRUE(OpenWindow(12, 0, 0, 200, 100, "first", TitleBar));
    ASSERT_TRUE(CreateLabel(24, 0, 0, 50, 20, "old", 0));
    QPointer<ToolkitWindow> first = WindowById(12);
    ASSERT_TRUE(OpenWindow(12, 0, 0, 250, 150, "second", TitleBar));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(ControlById(24), nullptr);
    EXPECT_EQ(WindowById(12)->windowTitle(), "second");
    EXPECT_EQ(InnerWidth(12), 250);
}

TEST_F(Windows, ClosingAChildWindowActivatesItsOwner) {
    ToolkitWindow* const owner = OpenTestWindow(13);
    ASSERT_TRUE(OpenWindow(14, 50, 50, 200, 100, "child", TitleBar, 13));
    WindowById(14)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(WindowById(14)));
    CloseWindow(14);
    EXPECT_TRUE(QTest::qWaitForWindowActive(owner));
}

TEST_F(Windows, ApplicationDataNamesTheProgramItsVersionAndItsLauncher) {
    SetApplicationData("Зорвел", "1.1.1.2", "zorvel");
    EXPECT_EQ(QCoreApplication::applicationName(), QString::fromUtf8("Зорвел"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("1.1.1.2"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("zorvel"));
}

TEST_F(Windows, TheProgramIconAndTheScreenDepth) {
    EXPECT_GE(PrimaryScreenDepth(), 24);
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(icon.save(&buffer, "PNG"));
    SetProgramIcon(reinterpret_cast<const unsigned char*>(png.constData()),
                   static_cast<std::size_t>(png.size()));
    ASSERT_TRUE(OpenWindow(17, 0, 0, 100, 80, "icon", TitleBar));
    const QImage shown = WindowById(17)->windowIcon().pixmap(16, 16).toImage();
    EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::red));
    const unsigned char garbage[] = {1, 2, 3};
    SetProgramIcon(garbage, sizeof garbage); // not a picture: the icon stays
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST(Memory, APagesWorthIsMappedApartEvenAfterALargerBlockWasFreed) {
#ifdef ZORVEL_SANITIZED_BUILD
    GTEST_SKIP() << "the sanitizer's allocator keeps no glibc mappings to count";
#endif
    // Freeing a large block would otherwise raise glibc's threshold, and the next page
    // would stay in the heap after it is closed.
    const auto touched = [](std::size_t bytes) {
        void* const block = std::malloc(bytes);
        static_cast<volatile char*>(block)[0] = 1; // a block never written may be left out
        return block;
    };
    std::free(touched(1 << 20));
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void* const page = touched(900 * 1024);
    EXPECT_GE(mallinfo2().hblkhd, mappedBefore + 900 * 1024);
    std::free(page);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore);
}

TEST_F(Windows, OperationsOnMissingIdsDoNothing) {
    EXPECT_EQ(InnerWidth(77), 0);
    EXPECT_EQ(InnerHeight(77), 0);
    CloseWindow(77);
    ActivateWindow(77);
    SetWindowBackground(77, Rgb(1, 2, 3));
    AddTimer(77, 1, 10);
    SetControlText(77, "x");
    SetControlColour(77, TextColour, 0);
    SetControlFont(77, nullptr);
    SetToolTip(77, "x");
    SetStatusFieldText(77, 0, "x", 0);
    EXPECT_EQ(GetControlText(77), "");
    EXPECT_EQ(FontHandle(77), nullptr);
    EXPECT_EQ(WindowById(77), nullptr);
}

TEST_F(Windows, BackgroundColourFillsTheClientArea) {
    ASSERT_TRUE(OpenWindow(15, 0, 0, 120, 90, "green", TitleBar));
    SetWindowBackground(15, Rgb(17, 84, 13));
    const QImage shot = WindowById(15)->Client()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(60, 45), QColor(17, 84, 13));
    SetWindowBackground(15, DefaultColour);
    EXPECT_NE(WindowById(15)->Client()->grab().toImage().pixelColor(60, 45), QColor(17, 84, 13));
}

TEST_F(Windows, TimersQueueTimerEventsAndWaitEventBlocksForThem) {
    ASSERT_NE(OpenTestWindow(16), nullptr);
    AddTimer(16, 123, 30);
    AddTimer(16, 123, 20); // the same id replaces, it does not add a second timer
    EXPECT_EQ(WindowById(16)->findChildren<QTimer*>().size(), 1);
    EXPECT_EQ(WaitEvent(), TimerEvent);
    EXPECT_EQ(EventObject(), 123);
    EXPECT_EQ(EventWindow(), 16);
    // A slow program finds one timer event waiting, not a pile of them.
    QTest::qWait(150);
    const std::vector<SeenEvent> waiting = DrainEvents();
    EXPECT_EQ(waiting, (std::vector<SeenEvent>{{TimerEvent, 123, 16}}));
}

} // namespace

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::SeenEvent;

class WindowsOnTheDesktop : public ::testing::Test {
  protected:
    void TearDown() override {
        CloseAllWindows();
        DrainEvents();
    }
};

TEST_F(WindowsOnTheDesktop, AMaximizedWindowRestoresToItsCentredRectangle) {
    ASSERT_TRUE(
        OpenWindow(8, 0, 0, 300, 200, "max",
                   CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized));
    const ToolkitWindow* const window = WindowById(8);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_EQ(window->normalGeometry(),
              QRect((screen.width() - 300) / 2, (screen.height() - 200) / 2, 300, 200));
    // Caption, system menu, minimize box and a sizing border; never a maximize box.
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_NE(window->minimumSize(), window->maximumSize());
}

TEST_F(WindowsOnTheDesktop, ScreenRoomIsTheFreeAreaLessFrameMenuAndToolbars) {
    ASSERT_TRUE(OpenWindow(9, 0, 0, 300, 200, "room", TitleBar | SystemMenu | CentreOnScreen));
    ASSERT_TRUE(CreateToolBar(0, 9));
    AddToolBarButton(1001, StandardImageSave, "Запиши страницата");
    const ToolkitWindow* const window = WindowById(9);
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const Size room = ScreenRoom(9);
    EXPECT_EQ(room.width, free.width() - frame.width());
    EXPECT_EQ(room.height, free.height() - frame.height() - window->ToolStripHeight());
    EXPECT_EQ(ScreenRoom(77).width, 0);
}

TEST_F(WindowsOnTheDesktop, ResizingAFixedCentredWindowKeepsItFixedAndCentred) {
    ASSERT_TRUE(OpenWindow(9, 0, 0, 300, 200, "fixed", TitleBar | SystemMenu | CentreOnScreen));
    ASSERT_TRUE(CreateToolBar(0, 9));
    AddToolBarButton(1001, StandardImageSave);
    ResizeWindow(9, 240, 150);
    const ToolkitWindow* const window = WindowById(9);
    EXPECT_EQ(window->Client()->size(), QSize(240, 150));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect outer = window->frameGeometry();
    EXPECT_EQ(outer.x(), (screen.width() - outer.width()) / 2);
    EXPECT_EQ(outer.y(), (screen.height() - outer.height()) / 2);
}

TEST_F(WindowsOnTheDesktop, EscapeAsksToCloseAWindowThatWantsIt) {
    ToolkitWindow* const plain = toolkit_test::OpenTestWindow(3);
    ASSERT_NE(plain, nullptr);
    QTest::keyClick(plain, Qt::Key_Escape);
    EXPECT_TRUE(DrainEvents().empty());

    ToolkitWindow* const viewer = toolkit_test::OpenTestWindow(199);
    ASSERT_NE(viewer, nullptr);
    CloseOnEscape(199);
    QTest::keyClick(viewer, Qt::Key_Escape);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{CloseEvent, 0, 199}}));
    EXPECT_TRUE(viewer->isVisible()); // the program decides
}

TEST_F(WindowsOnTheDesktop, MessageBoxesHaveACloseBoxButNoMaximizeBox) {
    bool checked = false;
    toolkit_test::WhenModalOpens([&](QWidget* box) {
        checked = true;
        EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        box->close();
    });
    MessageBox("Проблем!", "текст");
    EXPECT_TRUE(checked);
}

TEST_F(WindowsOnTheDesktop, ATrailingSeparatorOfAMenuIsDrawn) {
    ASSERT_NE(toolkit_test::OpenTestWindow(3), nullptr);
    ASSERT_TRUE(CreateMenuBar(0, 3));
    AddMenuTitle("Меню");
    AddMenuItem(1, "Точка");
    AddMenuSeparator();
    QMenu* const menu = WindowById(3)->MenuBar()->actions().front()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->separatorsCollapsible());
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QAction* const last = menu->actions().back();
    ASSERT_TRUE(last->isSeparator());
    EXPECT_GT(menu->actionGeometry(const_cast<QAction*>(last)).height(), 0);
    menu->hide();
}

// Run with Qt's own options on the command line (see the CMake file): none takes effect.
TEST(CommandLine, QtSeesTheProgramNameAloneAndItsOptionsChangeNothing) {
    EXPECT_EQ(QCoreApplication::arguments().size(), 1);
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

} // namespace
