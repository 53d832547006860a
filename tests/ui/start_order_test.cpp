// Start-up with a failed graphics check: the warning with nothing of the main window on
// the screen, then the window, laid out for the size it took there.
#include "tests/support/toolkit_probe.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"
#include "ui/program_ids.h"

#include <QMessageBox>

#include <gtest/gtest.h>
#include <thread>

namespace {

std::thread::id probedOn;
int NoScreen() {
    probedOn = std::this_thread::get_id();
    return 0;
}

TEST(StartOrder, FailedCheckWarnsBeforeAnythingOfTheWindowThenTheWindowComes) {
    QString warning;
    int windowsShownWithIt = -1;
    toolkit_test::WhenModalOpens([&](QWidget* box) {
        warning = qobject_cast<QMessageBox*>(box)->text();
        windowsShownWithIt = 0;
        for (const QWidget* const window : QApplication::topLevelWidgets()) {
            windowsShownWithIt += window != box && window->isVisible() ? 1 : 0;
        }
        box->close();
    });
    ProgramState state;
    GraphicsCheckInBackground graphicsCheck(NoScreen);
    OpenMainWindow(state, graphicsCheck);
    EXPECT_NE(probedOn, std::this_thread::get_id()) << "the check runs beside the build";
    EXPECT_EQ(warning.toStdString(),
              "На този компютър няма инсталиран DirectX 7! Моля, инсталирайте.");
    EXPECT_EQ(windowsShownWithIt, 0);
    constexpr int Main = Id(WindowId::MainWindow);
    ASSERT_NE(toolkit::WindowById(Main), nullptr);
    EXPECT_TRUE(toolkit::WindowById(Main)->isMaximized());
    EXPECT_EQ(state.layout,
              ComputeLayoutBasis(toolkit::InnerWidth(Main), toolkit::InnerHeight(Main)));
}

} // namespace
