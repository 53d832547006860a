// The toolkit's arithmetic and parsing, without any window.
#include "internal/event_queue.h"
#include "internal/frame_fit.h"
#include "toolkit/display_scale.h"
#include "toolkit/font_name.h"
#include "toolkit/pixel_shrink.h"
#include "toolkit/save_dialog_setup.h"
#include "toolkit/status_layout.h"
#include "toolkit/toolkit.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(StatusLayout, AutomaticFieldsShareWhatFixedOnesLeave) {
    EXPECT_EQ(StatusFieldRightEdges({250, Automatic, 200, Automatic, 100}, 1366),
              (std::vector<int>{250, 658, 858, 1266, 1366}));
    // An odd remainder is lost to integer division, not spread.
    EXPECT_EQ(StatusFieldRightEdges({100, Automatic, Automatic}, 401),
              (std::vector<int>{100, 250, 400}));
    EXPECT_EQ(StatusFieldRightEdges({30, 40}, 1000), (std::vector<int>{30, 70}));
    EXPECT_TRUE(StatusFieldRightEdges({}, 500).empty());
}

TEST(DisplayScale, IdentityAt96AndEdgesThatKeepTouchingAbove) {
    for (const int pixels : {-7, 0, 1, 125, 1366}) {
        EXPECT_EQ(ScreenPixels(pixels, 96), pixels);
        EXPECT_EQ(ToolkitPixels(pixels, 96), pixels);
    }
    // 125 * 1.5 = 187.5 goes up, as MulDiv does; a screen's width comes back rounded down.
    EXPECT_EQ(ScreenPixels(125, 144), 188);
    EXPECT_EQ(ToolkitPixels(1366, 144), 910);
    EXPECT_EQ(ToolkitPixels(1366, 168), 780);
    EXPECT_EQ(ToolkitPixels(-1, 144), -1);
    // Two cells side by side at 125 %: the second starts where the first ends.
    const ScreenSpan first = ScreenSpanOf(14, 258, 120);
    const ScreenSpan second = ScreenSpanOf(272, 259, 120);
    EXPECT_EQ(first.start + first.length, second.start);
    // What the program is told it has fits on the screen when it is drawn.
    for (const int dpi : {120, 144, 168}) {
        EXPECT_LE(ScreenPixels(ToolkitPixels(1366, dpi), dpi), 1366) << dpi;
    }
}

TEST(StatusLayout, FieldsWithRoomToSpareGiveItToTextsThatWouldBeCutOff) {
    const std::vector<int> widths = {250, Automatic, 200, Automatic, 100};
    const std::vector<int> wanted = {190, 210, 0, 230, 60};
    const std::vector<int> least = {130, 140, 0, 150, 40};
    // Shrunk, every text fits: the edges stay where the widths put them.
    EXPECT_EQ(StatusFieldRightEdges(widths, 1024, wanted, least),
              StatusFieldRightEdges(widths, 1024));
    // 1366 pixels at 175 %: the automatic fields would get 115 each.
    const std::vector<int> edges = StatusFieldRightEdges(widths, 780, wanted, least);
    ASSERT_EQ(edges.size(), 5u);
    EXPECT_EQ(edges.back(), 780);
    for (std::size_t i = 0; i < edges.size(); ++i) {
        EXPECT_GE(edges[i] - (i == 0 ? 0 : edges[i - 1]), wanted[i]) << "field " << i;
    }
}

TEST(StatusLayout, GripRoomOnlyForASizeableWindowThatIsNotMaximized) {
    EXPECT_EQ(StatusUsableWidth(800, 22, true, false), 781);
    EXPECT_EQ(StatusUsableWidth(800, 22, true, true), 800);
    EXPECT_EQ(StatusUsableWidth(800, 22, false, false), 800);
}

TEST(FontRequest, FullFaceNamesCarryTheirStyles) {
    const FaceName boldItalic = SplitFaceName("Arial Bold Italic");
    EXPECT_EQ(boldItalic.family, "Arial");
    EXPECT_TRUE(boldItalic.bold);
    EXPECT_TRUE(boldItalic.italic);

    const FaceName italic = SplitFaceName("Arial Italic");
    EXPECT_EQ(italic.family, "Arial");
    EXPECT_FALSE(italic.bold);
    EXPECT_TRUE(italic.italic);

    const FaceName plain = SplitFaceName("Liberation Sans");
    EXPECT_EQ(plain.family, "Liberation Sans");
    EXPECT_FALSE(plain.bold || plain.italic);

    // A family is never eaten up by its style words.
    EXPECT_EQ(SplitFaceName("Bold").family, "Bold");
    EXPECT_EQ(SplitFaceName("Times New Roman bold ").family, "Times New Roman");
}

TEST(FontRequest, CharacterHeightRoundsHalvesAwayFromZero) {
    EXPECT_EQ(CharacterHeightPixels(12, 96.0), 16);
    EXPECT_EQ(CharacterHeightPixels(13, 96.0), 17); // 17.33
    EXPECT_EQ(CharacterHeightPixels(15, 96.0), 20);
    EXPECT_EQ(CharacterHeightPixels(3, 60.0), 3);    // 2.5 goes up
    EXPECT_EQ(CharacterHeightPixels(-3, 60.0), -3);  // -2.5 goes down
    EXPECT_EQ(CharacterHeightPixels(10, 120.0), 17); // 16.67
}

TEST(SaveDialogSetup, PatternPairsAndTheirDialogFilters) {
    const std::vector<FileFilter> filters =
        ParseFilterPattern("Pic (*.jpg)|*.jpg|All files|*.*|dangling");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Pic (*.jpg)");
    EXPECT_EQ(filters[0].patterns, "*.jpg");
    EXPECT_EQ(DialogNameFilter(filters[0]), "Pic (*.jpg)");
    EXPECT_EQ(DialogNameFilter(filters[1]), "All files (*.*)");
    EXPECT_EQ(DialogNameFilter({"Pictures", "*.jpg;*.jpeg"}), "Pictures (*.jpg *.jpeg)");
    EXPECT_TRUE(ParseFilterPattern("").empty());
}

TEST(SaveDialogSetup, DefaultFileSplitsAtTheLastSeparator) {
    const DefaultFile plain = SplitDefaultFile("Помагало_.jpg");
    EXPECT_EQ(plain.folder, "");
    EXPECT_EQ(plain.proposedName, "Помагало_.jpg");

    const DefaultFile inFolder = SplitDefaultFile("/home/user/pages/page.jpg");
    EXPECT_EQ(inFolder.folder, "/home/user/pages");
    EXPECT_EQ(inFolder.proposedName, "page.jpg");

    EXPECT_EQ(SplitDefaultFile("C:\\pages\\page.jpg").folder, "C:\\pages");
    EXPECT_EQ(SplitDefaultFile("/top.jpg").folder, "/");
}

TEST(SaveDialogSetup, ProposedNamesWithForbiddenCharactersAreDropped) {
    for (const char* name : {"a*b.jpg", "a?b", "a\"b", "a<b", "a>b", "a:b", "a|b", "tab\there"}) {
        EXPECT_EQ(SplitDefaultFile(name).proposedName, "") << name;
    }
    const DefaultFile keptFolder = SplitDefaultFile("/tmp/what?.jpg");
    EXPECT_EQ(keptFolder.folder, "/tmp");
    EXPECT_EQ(keptFolder.proposedName, "");
    EXPECT_EQ(SplitDefaultFile("name with spaces.jpg").proposedName, "name with spaces.jpg");
}

// A picture as the store holds it: bottom row first, B,G,R, rows padded to 4 bytes.
struct StoredPicture {
    int width;
    int height;
    std::vector<unsigned char> bytes;
    StoredPicture(int w, int h) : width(w), height(h), bytes(RowSize() * h) {}
    int RowSize() const { return (width * 3 + 3) / 4 * 4; }
    void Set(int x, int topDownY, int red, int green, int blue) {
        unsigned char* pixel = &bytes[(height - 1 - topDownY) * RowSize() + x * 3];
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
    }
    common::PixelView View() const { return {width, height, RowSize(), bytes.data()}; }
};

TEST(PixelShrink, EachPixelAveragesTheAreaItCoversTopRowFirst) {
    // 3 x 2 shrunk to 2 x 1: the middle column is shared half and half.
    StoredPicture picture(3, 2);
    for (int y = 0; y < 2; ++y) {
        picture.Set(0, y, 255, 0, 0);
        picture.Set(1, y, 0, 255, 0);
        picture.Set(2, y, 0, 0, 255);
    }
    std::vector<std::uint32_t> out(2, 0);
    ShrinkPicture(picture.View(), 2, 1, out.data(), 2);
    EXPECT_EQ(out[0], 0xFFAA5500U); // 2/3 red + 1/3 of the green's 255
    EXPECT_EQ(out[1], 0xFF0055AAU);

    // Rows keep their order: the top row of the store's picture is the target's first.
    StoredPicture striped(2, 4);
    for (int x = 0; x < 2; ++x) {
        striped.Set(x, 0, 200, 200, 200);
        striped.Set(x, 1, 200, 200, 200);
    }
    std::vector<std::uint32_t> halves(4, 0);
    ShrinkPicture(striped.View(), 2, 2, halves.data(), 2);
    EXPECT_EQ(halves[0], 0xFFC8C8C8U);
    EXPECT_EQ(halves[2], 0xFF000000U);

    // The same size copies; a larger size or an empty view writes nothing.
    std::vector<std::uint32_t> same(6, 0);
    ShrinkPicture(picture.View(), 3, 2, same.data(), 3);
    EXPECT_EQ(same[5], 0xFF0000FFU);
    std::vector<std::uint32_t> untouched(8, 7);
    ShrinkPicture(picture.View(), 4, 2, untouched.data(), 4);
    ShrinkPicture(common::PixelView{}, 1, 1, untouched.data(), 4);
    EXPECT_EQ(untouched, std::vector<std::uint32_t>(8, 7));
}

TEST(EventQueueRules, AnEventEqualToTheLastWaitingOneIsNotQueuedAgain) {
    EventQueue queue;
    const Event timer{TimerEvent, 123, 0, EventDetail::None};
    const Event typed{ControlEvent, 1, 0, EventDetail::TextChanged};
    queue.Post(timer);
    queue.Post(timer);
    queue.Post(typed);
    queue.Post(timer); // not equal to the last waiting one any more
    queue.Post({ControlEvent, 1, 0, EventDetail::FocusLost}); // differs in its detail
    ASSERT_EQ(queue.Take(), timer);
    ASSERT_EQ(queue.Take(), typed);
    ASSERT_EQ(queue.Take(), timer);
    ASSERT_EQ(queue.Take()->detail, EventDetail::FocusLost);
    EXPECT_FALSE(queue.Take().has_value());
    // Once taken, an equal event is welcome again.
    queue.Post(timer);
    EXPECT_EQ(queue.Take(), timer);
}

TEST(EventQueueRules, NothingIsQueuedWhileSilenced) {
    EventQueue queue;
    {
        const EventQueue::Silence quiet(queue);
        {
            const EventQueue::Silence nested(queue);
            queue.Post({ControlEvent, 1, 0, EventDetail::TextChanged});
        }
        queue.Post({ControlEvent, 2, 0, EventDetail::TextChanged});
    }
    EXPECT_TRUE(queue.Empty());
    queue.Post({ControlEvent, 3, 0, EventDetail::TextChanged});
    EXPECT_EQ(queue.Take()->object, 3);
}

// Frames as the platforms report them, a window manager's on X11 and the wider one a
// Wayland client draws itself, under a panel along the top of a 1366 x 768 screen.
TEST(FrameFit, AFittedWindowsWholeFrameLiesInsideTheWorkArea) {
    const QRect screen(0, 0, 1366, 768);
    const QRect belowPanel(0, 32, 1366, 736);
    for (const QMargins& frame : {QMargins(1, 24, 1, 1), QMargins(5, 37, 5, 5)}) {
        const QSize outer = RoomInside(belowPanel, frame, 30) +
                            QSize(frame.left() + frame.right(), frame.top() + frame.bottom() + 30);
        EXPECT_EQ(outer.height(), 736);
        EXPECT_EQ(CentredFramePosition(screen, belowPanel, outer), QPoint(0, 32)) << frame.top();
    }
    // Centred, moved down only as far as the panel needs; too large, at the area's corner.
    EXPECT_EQ(CentredFramePosition(screen, belowPanel, QSize(600, 400)), QPoint(383, 184));
    EXPECT_EQ(CentredFramePosition(screen, belowPanel, QSize(1010, 730)), QPoint(178, 32));
    EXPECT_EQ(CentredFramePosition(screen, belowPanel, QSize(1400, 800)), QPoint(0, 32));
}

// A compositor that tells nothing of its panel: the whole screen is "available", and the
// program's own maximized window is the only sign of the panel.
TEST(FrameFit, AMaximizedWindowShowsTheWorkAreaAPlatformDoesNotReport) {
    const QRect screen(0, 0, 1366, 768);
    const QRect maximized(0, 32, 1366, 736);
    EXPECT_EQ(WorkArea(screen, {maximized}, true), maximized);
    // Wayland reports no positions: the size alone, from the screen's corner.
    EXPECT_EQ(WorkArea(screen, {QRect(-3, -30, 1366, 736)}, false), QRect(0, 0, 1366, 736));
    // A drop shadow counted into the frame lets it overhang the screen: taken as it is.
    EXPECT_EQ(WorkArea(screen, {QRect(-32, 0, 1430, 800)}, true), QRect(-32, 0, 1430, 800));
    // No maximized window, or one still at its restored size: the platform's own area.
    EXPECT_EQ(WorkArea(screen, {}, true), screen);
    EXPECT_EQ(WorkArea(screen, {QRect(183, 34, 1000, 700)}, true), screen);
    // The room a viewer with a Wayland client's frame gets then leaves its frame on the area.
    const QMargins frame(3, 30, 3, 3);
    const QSize room = RoomInside(WorkArea(screen, {QRect(-3, -30, 1366, 736)}, false), frame, 40);
    EXPECT_EQ(room.height() + frame.top() + frame.bottom() + 40, 736);
}

} // namespace
} // namespace toolkit

namespace toolkit {
namespace {

// Qt's X11 plugin ends the process when it cannot connect; the toolkit must say no first.
TEST(StartWithoutDisplay, InitToolkitRefusesInsteadOfAborting) {
    int argc = 1;
    char name[] = "zorvel";
    char* argv[] = {name, nullptr};
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    EXPECT_FALSE(InitToolkit(argc, argv));
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("DISPLAY", ":987", 1); // no such display on this machine
    EXPECT_FALSE(InitToolkit(argc, argv));
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    EXPECT_FALSE(InitToolkit(argc, argv));
    EXPECT_EQ(PrimaryScreenDepth(), 0);
    EXPECT_FALSE(OpenWindow(0, 0, 0, 10, 10, "none", TitleBar));
    EXPECT_EQ(WaitEvent(), NoEvent);
}

} // namespace
} // namespace toolkit
