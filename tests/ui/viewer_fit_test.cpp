// The page viewer on a 1366 x 768 laptop screen: a 1000 x 758 page with its margins and
// toolbar does not fit, so the whole page is shown smaller in its own proportions; a
// page that fits is shown as it is. Escape closes the viewer; its buttons say what they do.
#include "pages/picture_store.h"
#include "tests/support/loop_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <cmath>

namespace {

class ViewerFitTest : public LoopTest {
  protected:
    static QLabel* Picture() {
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        return viewer ? viewer->findChild<QLabel*>(ControlName(111)) : nullptr;
    }
    static void ExpectWhollyOnTheScreen() {
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        ASSERT_NE(viewer, nullptr);
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(free.contains(viewer->frameGeometry()))
            << "viewer " << viewer->frameGeometry().width() << "x"
            << viewer->frameGeometry().height() << " at " << viewer->frameGeometry().x() << ","
            << viewer->frameGeometry().y();
    }
};

TEST_F(ViewerFitTest, TheScreenIsALaptops) {
    EXPECT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1366, 768));
}

TEST_F(ViewerFitTest, APageTooTallForTheScreenIsShownWholeAndSmallerInItsProportions) {
    Choose(CommandId::AirHumidityCommand, "За влажност на въздуха");
    ExpectWhollyOnTheScreen();
    QLabel* const picture = Picture();
    ASSERT_NE(picture, nullptr);
    const QSize shown = picture->size();
    EXPECT_LT(shown.height(), 758);
    EXPECT_GT(shown.height(), 600);
    EXPECT_NEAR(static_cast<double>(shown.width()) / shown.height(), 1000.0 / 758.0, 0.01);
    EXPECT_EQ(picture->pos(), QPoint(5, 5));
    EXPECT_EQ(ClientOf(Id(WindowId::PageViewerWindow))->size(), shown + QSize(10, 10));
    // The page itself keeps its full size for Save and Print.
    const ImageRef page = ImageHandleOf(174);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->width, 1000);
    EXPECT_EQ(page->height, 758);
}

TEST_F(ViewerFitTest, APageThatFitsIsShownAtItsOwnSize) {
    Choose(CommandId::ContactCommand, "За връзка с нас");
    ExpectWhollyOnTheScreen();
    QLabel* const picture = Picture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(5, 5, 634, 475));
    EXPECT_EQ(ClientOf(Id(WindowId::PageViewerWindow))->size(), QSize(647, 490));
}

TEST_F(ViewerFitTest, EveryPageLiesWhollyOnTheScreen) {
    const std::pair<int, const char*> pages[] = {{7, "За влажност на въздуха"},
                                                 {8, "За водни пари"},
                                                 {9, "Температурни скали"},
                                                 {23, "Психрометър - като приказка"},
                                                 {24, "Психрометър - като учебник"},
                                                 {25, "Психрометър на Август"},
                                                 {26, "Психрометър на Асман"},
                                                 {27, "Лицензионно споразумение"},
                                                 {29, "За връзка с нас"},
                                                 {20, "Психрометрична диаграма"}};
    for (const auto& [command, item] : pages) {
        Choose(command, QString::fromUtf8(item));
        SCOPED_TRACE(item);
        ExpectWhollyOnTheScreen();
    }
}

TEST_F(ViewerFitTest, EscapeClosesTheViewerAsItsCloseBoxDoes) {
    Choose(CommandId::WaterVapourCommand, "За водни пари");
    QWidget* const viewer = Window(WindowId::PageViewerWindow);
    ASSERT_NE(viewer, nullptr);
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer, Qt::Key_Escape);
    ASSERT_TRUE(TurnsUntil(toolkit::CloseEvent, 0));
    EXPECT_EQ(Window(WindowId::PageViewerWindow), nullptr);
    EXPECT_EQ(State().currentPage, 175);
    EXPECT_NE(Window(WindowId::MainWindow), nullptr);
}

TEST_F(ViewerFitTest, TheSaveAndPrintButtonsSayWhatTheyDo) {
    Choose(CommandId::TemperatureScalesCommand, "Температурни скали");
    QWidget* const viewer = Window(WindowId::PageViewerWindow);
    ASSERT_NE(viewer, nullptr);
    const QAction* const save = viewer->findChild<QAction*>(QStringLiteral("command-1001"));
    const QAction* const print = viewer->findChild<QAction*>(QStringLiteral("command-1002"));
    ASSERT_NE(save, nullptr);
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(save->toolTip(), QString::fromUtf8("Запиши страницата"));
    EXPECT_EQ(print->toolTip(), QString::fromUtf8("Отпечатай страницата"));
}

} // namespace
