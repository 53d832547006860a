// What the program relies on from any backend of the toolkit, seen from the seam alone:
// the same cases run on Qt and on Win32.
#include "tests/support/toolkit_driver.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace toolkit;
using namespace toolkit_driver;

class Behaviour : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(OpenActiveWindow(0)); }
    void TearDown() override {
        CloseAllWindows();
        DrainEvents();
    }
};

TEST_F(Behaviour, CreatingAnIdTwiceLeavesOnlyTheSecond) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 100, 24, "first", 0));
    ASSERT_TRUE(CreateLabel(1, 20, 50, 120, 30, "second", 0));
    EXPECT_EQ(GetControlText(1), "second");
    EXPECT_EQ(ShownControls(0), 1);
    // The replaced field is out of the Tab order too: Tab finds nothing to focus.
    Press(Key::Tab);
    EXPECT_EQ(FocusedControl(), -1);
}

TEST_F(Behaviour, SettingATextRaisesNoEventWhileTypingDoes) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 150, 24, "Tdry=", Centred));
    Focus(1);
    DrainEvents();
    SetControlText(1, "20.5");
    EXPECT_TRUE(DrainEvents().empty());
    EXPECT_EQ(GetControlText(1), "20.5");
    SetControlText(1, "");
    Type("1ж");
    const std::vector<SeenEvent> typed = DrainEvents();
    ASSERT_FALSE(typed.empty());
    EXPECT_EQ(typed.front(), (SeenEvent{ControlEvent, 1, 0}));
    EXPECT_EQ(GetControlText(1), "1ж");
}

TEST_F(Behaviour, TabVisitsFieldsAndButtonsInCreationOrderWrappingBothWays) {
    ASSERT_TRUE(CreateButton(45, 10, 100, 80, 30, "Изчисли"));
    ASSERT_TRUE(CreateLabel(9, 10, 140, 80, 20, "label", 0));
    ASSERT_TRUE(CreateTextField(1, 10, 10, 80, 24, "", 0));
    ASSERT_TRUE(CreateTextField(4, 10, 40, 80, 24, "out", ReadOnly));
    EXPECT_EQ(FocusedControl(), -1);
    std::vector<int> visited;
    for (int step = 0; step < 4; ++step) {
        Press(Key::Tab);
        visited.push_back(FocusedControl());
    }
    EXPECT_EQ(visited, (std::vector<int>{45, 1, 4, 45}));
    Press(Key::ShiftTab);
    EXPECT_EQ(FocusedControl(), 4);
    Focus(45);
    Press(Key::ShiftTab);
    EXPECT_EQ(FocusedControl(), 4);
}

TEST_F(Behaviour, EnterInAFieldPressesTheDefaultButtonAndLeavesTheField) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 80, 24, "", 0));
    ASSERT_TRUE(CreateButton(45, 10, 100, 80, 30, "Изчисли"));
    Focus(1);
    DrainEvents();
    Press(Key::Enter);
    EXPECT_TRUE(DrainEvents().empty()) << "no default button yet";

    SetDefaultButton(45);
    Press(Key::Enter);
    const std::vector<SeenEvent> seen = DrainEvents();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), (SeenEvent{ControlEvent, 45, 0}));
    EXPECT_EQ(FocusedControl(), 45);
}

TEST_F(Behaviour, EnterAndSpacePressAFocusedButton) {
    ASSERT_TRUE(CreateButton(66, 10, 100, 80, 30, "Изчисти"));
    for (const Key key : {Key::Enter, Key::Space}) {
        Focus(66);
        DrainEvents();
        Press(key);
        EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{ControlEvent, 66, 0}}));
    }
}

TEST_F(Behaviour, EscapeAndTheCloseBoxAskAndTheProgramDecides) {
    Press(Key::Escape);
    EXPECT_TRUE(DrainEvents().empty()) << "a window that did not ask for Escape";
    ASSERT_TRUE(OpenActiveWindow(199));
    CloseOnEscape(199);
    Press(Key::Escape);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{CloseEvent, 0, 199}}));
    RequestClose(199);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{CloseEvent, 0, 199}}));
    EXPECT_GT(InnerWidth(199), 0) << "still open";
}

TEST_F(Behaviour, AMenuBarTakesItsLineFromTheClientAreaAndInnerHeightCountsIt) {
    const int before = InnerHeight(0);
    ASSERT_TRUE(CreateMenuBar(0, 0));
    AddMenuTitle("Изход");
    AddMenuItem(30, "Изход от програмата");
    AddMenuSeparator();
    EXPECT_EQ(InnerHeight(0), before);
    EXPECT_EQ(InnerWidth(0), 400);
}

TEST_F(Behaviour, ClosingAWindowTakesItsControlsAndFreesTheirIds) {
    ASSERT_TRUE(OpenActiveWindow(199));
    ASSERT_TRUE(CreateTextField(111, 5, 5, 50, 20, "page", 0));
    ASSERT_TRUE(CreateStatusBar(3, 199));
    CloseWindow(199);
    EXPECT_EQ(GetControlText(111), "");
    EXPECT_FALSE(IsShown(111));
    EXPECT_EQ(InnerWidth(199), 0);
    // Nothing is created without a target window.
    EXPECT_FALSE(CreateButton(112, 0, 0, 10, 10, "x"));
    UseGadgetTarget(0);
    EXPECT_TRUE(CreateButton(112, 0, 0, 10, 10, "x"));
}

TEST_F(Behaviour, AHiddenWindowIsBuiltOffTheScreenAndShownWhenRevealed) {
    ASSERT_TRUE(OpenWindow(199, 40, 40, 300, 200, "Скрит", TitleBar | Resizable | Hidden));
    ASSERT_TRUE(CreateButton(111, 5, 5, 80, 24, "Бутон"));
    EXPECT_EQ(InnerWidth(199), 300);
    EXPECT_EQ(ShownControls(199), 0);
    RevealWindow(199);
    EXPECT_TRUE(IsShown(111));
    EXPECT_EQ(InnerWidth(199), 300);
}

TEST_F(Behaviour, OperationsOnMissingIdsDoNothingAndReturnZero) {
    SetControlText(77, "x");
    SetControlFont(77, nullptr);
    SetControlColour(77, TextColour, Rgb(1, 2, 3));
    SetToolTip(77, "tip");
    SetStatusFieldText(77, 0, "x", 0);
    AddTimer(77, 1, 10);
    EXPECT_EQ(GetControlText(77), "");
    EXPECT_EQ(InnerWidth(77), 0);
    EXPECT_EQ(InnerHeight(77), 0);
    EXPECT_EQ(ScreenRoom(77).width, 0);
    EXPECT_EQ(FontHandle(77), nullptr);
    EXPECT_FALSE(CreateMenuBar(1, 77));
    EXPECT_FALSE(CreateStatusBar(1, 77));
    EXPECT_FALSE(CreateToolBar(1, 77));
    EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(Behaviour, AStatusTextTooWideForItsFieldIsShownWholeInASmallerFace) {
    ASSERT_TRUE(CreateStatusBar(0, 0));
    AddStatusField(180);
    AddStatusField(Automatic);
    SetStatusFieldText(0, 0, "Използвате психрометър с аспирация", Centred);
    SetStatusFieldText(0, 1, "[hPa]", Raised | RightAligned);
    const ShownStatusText squeezed = StatusFieldText(0, 0);
    EXPECT_GT(squeezed.room, 0);
    EXPECT_LE(squeezed.textWidth, squeezed.room);
    EXPECT_GT(squeezed.scale, 0.5);
    EXPECT_LT(squeezed.scale, 1.0);
    EXPECT_EQ(StatusFieldText(0, 1).scale, 1.0);
    // A text that fits again is shown in the bar's own face.
    SetStatusFieldText(0, 0, "С аспирация", Centred);
    EXPECT_EQ(StatusFieldText(0, 0).scale, 1.0);
}

TEST_F(Behaviour, TimersQueueOneEventAtATimeAndWaitEventBlocksForThem) {
    AddTimer(0, 123, 30);
    AddTimer(0, 123, 20); // replaces, adds no second timer
    EXPECT_EQ(WaitEvent(), TimerEvent);
    EXPECT_EQ(EventObject(), 123);
    EXPECT_EQ(EventWindow(), 0);
    // A program busy elsewhere finds one timer event waiting, not a pile of them.
    Wait(150);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{TimerEvent, 123, 0}}));
}

} // namespace
