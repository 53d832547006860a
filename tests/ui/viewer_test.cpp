// The help-page viewer as the user meets it: pages opened from the menus, the save and
// print buttons of its toolbar, its close box.
#include "lifecycle/fault_location.h"
#include "tests/support/loop_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"
#include "ui/page_viewer.h"
#include "ui/program_ids.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string CancelledSave = "Опа-а!|Направихте нещо неправилно  и не записахте файла!";

struct PageCase {
    int command;
    QString item;
    int pageId;
    int width; // the area the command asks for
    int height;
    int pictureWidth;
    int pictureHeight;
};

const std::array<PageCase, 10> AllPages{{
    {7, "За влажност на въздуха", 174, 1000, 758, 1000, 758},
    {8, "За водни пари", 175, 1000, 758, 1000, 758},
    {9, "Температурни скали", 176, 1000, 758, 1000, 758},
    {23, "Психрометър - като приказка", 170, 1000, 758, 1000, 758},
    {24, "Психрометър - като учебник", 171, 1000, 758, 1000, 758},
    {25, "Психрометър на Август", 172, 1000, 758, 1000, 758},
    {26, "Психрометър на Асман", 173, 1000, 758, 1000, 758},
    {27, "Лицензионно споразумение", 166, 650, 654, 650, 654},
    {29, "За връзка с нас", 167, 637, 480, 634, 475},
    {20, "Психрометрична диаграма", 180, 1000, 758, 1000, 758}, // drawn, not carried
}};

class ViewerTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        folder_ = fs::temp_directory_path() / ("zorvel-viewer-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::remove_all(folder_);
        LoopTest::TearDown();
    }

    void Open(const PageCase& page) { Choose(page.command, page.item); }

    static QLabel* Picture() {
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        return viewer ? viewer->findChild<QLabel*>(ControlName(111)) : nullptr;
    }

    static QToolBar* ToolBar() {
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        return viewer ? viewer->findChild<QToolBar*>() : nullptr;
    }

    // Checks the viewer shows the page at the picture's own size in an area of the
    // command's size plus the margins, below the toolbar.
    static void ExpectViewerShows(const PageCase& page) {
        EXPECT_EQ(ViewerCount(), 1);
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->windowTitle(), "Зорвел- помощна информация");
        QWidget* const client = ClientOf(Id(WindowId::PageViewerWindow));
        ASSERT_NE(client, nullptr);
        EXPECT_EQ(client->size(), QSize(page.width + 10, page.height + 10));
        QLabel* const picture = Picture();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->parentWidget(), client);
        EXPECT_EQ(picture->geometry(), QRect(5, 5, page.pictureWidth, page.pictureHeight));
        QToolBar* const bar = ToolBar();
        ASSERT_NE(bar, nullptr);
        const QRect barOnWindow(bar->mapTo(viewer, QPoint(0, 0)), bar->size());
        const QRect areaOnWindow(client->mapTo(viewer, QPoint(0, 0)), client->size());
        EXPECT_FALSE(barOnWindow.intersects(areaOnWindow)) << "the toolbar covers the page";
        EXPECT_GT(bar->height(), 0);
    }

    // Acts on the next modal widget (a dialog) once it is up; call before it opens.
    static void WhenDialogOpens(std::function<void(QFileDialog*)> act) {
        auto* const poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
            if (auto* const dialog =
                    qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                act(dialog);
            }
        });
        poll->start(20);
    }

    // Types a full path over the proposed name and confirms, as a user does.
    static void TypeNameAndSave(QFileDialog* dialog, const fs::path& target) {
        auto* const name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(target.string()));
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    }

    fs::path folder_;
};

TEST_F(ViewerTest, EveryPageCommandOpensItsPageInOneViewerAndRecordsIt) {
    for (const PageCase& page : AllPages) {
        SCOPED_TRACE(page.pageId);
        Open(page);
        ExpectViewerShows(page);
        // Save and Print act on the page in view, the licence and contact pages too.
        EXPECT_EQ(State().currentPage, page.pageId);
    }
}

TEST_F(ViewerTest, SecondPageReplacesTheViewerAtItsOwnSize) {
    Open(AllPages[0]);
    QWidget* const first = Window(WindowId::PageViewerWindow);
    ASSERT_NE(first, nullptr);
    Open(AllPages[7]);
    EXPECT_EQ(ViewerCount(), 1);
    ExpectViewerShows(AllPages[7]);
    EXPECT_EQ(State().currentPage, 166);
}

TEST_F(ViewerTest, ContactPageGetsAnAreaOf647By490WithItsPictureAtFiveFive) {
    Open(AllPages[8]);
    QWidget* const client = ClientOf(Id(WindowId::PageViewerWindow));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(647, 490));
    ASSERT_NE(Picture(), nullptr);
    EXPECT_EQ(Picture()->geometry(), QRect(5, 5, 634, 475));
}

TEST_F(ViewerTest, ViewerHasSaveThenPrintButtonsAndCannotBeResized) {
    Open(AllPages[2]);
    QToolBar* const bar = ToolBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->objectName(), "command-1001");
    EXPECT_EQ(bar->actions()[1]->objectName(), "command-1002");
    for (QAction* action : bar->actions()) {
        EXPECT_FALSE(action->icon().isNull());
    }
    QWidget* const viewer = Window(WindowId::PageViewerWindow);
    EXPECT_EQ(viewer->minimumSize(), viewer->maximumSize());
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(viewer->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(ViewerTest, ViewerIsCentredOnTheScreenToolbarIncluded) {
    Open(AllPages[7]);
    QWidget* const viewer = Window(WindowId::PageViewerWindow);
    ASSERT_NE(viewer, nullptr);
    const QRect screen = viewer->screen()->geometry();
    const QRect outer = viewer->frameGeometry();
    EXPECT_EQ(outer.left(), (screen.width() - std::min(screen.width(), outer.width())) / 2);
    EXPECT_EQ(outer.top(), (screen.height() - std::min(screen.height(), outer.height())) / 2);
    EXPECT_GT(outer.height(), 664 + 10);
}

TEST_F(ViewerTest, OpeningIsReportedAsChildUntilTheNextTurn) {
    Open(AllPages[0]);
    EXPECT_EQ(CurrentFaultLocation(), FaultLocation::Child);
    NextTurn();
    EXPECT_EQ(CurrentFaultLocation(), FaultLocation::Auto);
}

TEST_F(ViewerTest, MainWindowIsTheTargetAgainSoClearRebuildsThere) {
    Open(AllPages[0]);
    Click(ControlId::ClearButton);
    EXPECT_EQ(ViewerCount(), 1);
    QWidget* const main = Window(WindowId::MainWindow);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(main->findChild<QWidget*>("control-45"), nullptr);
    EXPECT_EQ(Window(WindowId::PageViewerWindow)->findChild<QWidget*>("control-45"), nullptr);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "Tdry=");
    EXPECT_EQ(State().currentPage, 174);
    ExpectViewerShows(AllPages[0]);
}

TEST_F(ViewerTest, CloseBoxClosesOnlyTheViewerAndKeepsTheCurrentPage) {
    Open(AllPages[5]);
    CloseBox(WindowId::PageViewerWindow);
    EXPECT_EQ(ViewerCount(), 0);
    EXPECT_EQ(State().currentPage, 172);
    EXPECT_FALSE(State().quitRequested);
    EXPECT_NE(Window(WindowId::MainWindow), nullptr);
    // New controls go to the main window again.
    Click(ControlId::ClearButton);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::WetBulbField)), "Twet=");
}

TEST_F(ViewerTest, BackInTheMainWindowNoFieldTakesTheFocusByItself) {
    Open(AllPages[0]);
    QApplication::setActiveWindow(Window(WindowId::PageViewerWindow));
    ASSERT_EQ(QApplication::activeWindow(), Window(WindowId::PageViewerWindow));
    QApplication::setActiveWindow(Window(WindowId::MainWindow));
    ASSERT_EQ(QApplication::activeWindow(), Window(WindowId::MainWindow));
    ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
    EXPECT_EQ(toolkit::FocusedControl(), -1);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "Tdry=");
}

TEST_F(ViewerTest, CancelledSaveShowsTheMessageAndLeavesTheViewerAsItWas) {
    Open(AllPages[0]);
    QString title;
    QString proposed;
    QString filter;
    WhenDialogOpens([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        proposed = dialog->selectedFiles().value(0);
        filter = dialog->selectedNameFilter();
        dialog->reject();
    });
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_EQ(title, "Запис на Помагалото");
    EXPECT_TRUE(proposed.endsWith("/Помагало_.jpg")) << proposed.toStdString();
    EXPECT_TRUE(filter.startsWith("Pic (*.jpg)")) << filter.toStdString();
    EXPECT_EQ(Messages(), std::vector<std::string>{CancelledSave});
    ExpectViewerShows(AllPages[0]);
    EXPECT_EQ(State().currentPage, 174);
}

TEST_F(ViewerTest, SaveWritesAJpegOfThePageOwnSizeUnderTheChosenName) {
    Open(AllPages[8]);
    const fs::path target = folder_ / "контакти.jpg";
    WhenDialogOpens([&](QFileDialog* dialog) { TypeNameAndSave(dialog, target); });
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_TRUE(Messages().empty());
    QImageReader reader(QString::fromStdString(target.string()));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(634, 475));
    ExpectViewerShows(AllPages[8]);
}

TEST_F(ViewerTest, NameInAMissingFolderIsRefusedByTheDialogWhichStaysOpen) {
    Open(AllPages[0]);
    bool stayedOpen = false;
    WhenDialogOpens([&](QFileDialog* dialog) {
        TypeNameAndSave(dialog, folder_ / "nodir" / "x.jpg");
        stayedOpen = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
        dialog->reject();
    });
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Запис на Помагалото|Папката „" +
                                            (folder_ / "nodir").string() + "“ не съществува.",
                                        CancelledSave}));
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(ViewerTest, FailedSaveNamesTheFileAndTheReasonOnce) {
    Open(AllPages[0]);
    // The dialog sees a name in an existing folder; the link leads into a missing one.
    const fs::path link = folder_ / "link.jpg";
    fs::create_symlink(folder_ / "gone" / "page.jpg", link);
    WhenDialogOpens([&](QFileDialog* dialog) { TypeNameAndSave(dialog, link); });
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Опа-а!|Файлът „" + link.string() +
                                                   "“ не е записан: няма такава папка."});
    EXPECT_TRUE(fs::is_symlink(link));
    ExpectViewerShows(AllPages[0]);
}

TEST_F(ViewerTest, NameWithoutExtensionIsUsedAsTyped) {
    Open(AllPages[0]);
    const fs::path target = folder_ / "страница";
    WhenDialogOpens([&](QFileDialog* dialog) { TypeNameAndSave(dialog, target); });
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_FALSE(fs::exists(folder_ / "страница.jpg"));
    QImageReader reader(QString::fromStdString(target.string()));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(1000, 758));
}

TEST_F(ViewerTest, PrintPutsThePageAtItsPlaceWithItsOwnProportions) {
    const fs::path pdf = folder_ / "page.pdf";
    toolkit::SetPrintToFile(pdf.string());
    Open(AllPages[8]);
    PressToolBarButton(CommandId::PrintPageCommand);
    ASSERT_TRUE(fs::exists(pdf));

    const int printable = toolkit::PrinterPageWidth();
    ASSERT_GT(printable, 4000);
    const PrintedArea area = PrintedPageArea(printable, 634, 475);

    // 150 dpi is a quarter of the printer's 600.
    const fs::path png = folder_ / "sheet";
    const std::string command =
        "pdftoppm -r 150 -png '" + pdf.string() + "' '" + png.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(fs::exists(folder_ / "sheet-1.png"));
    EXPECT_FALSE(fs::exists(folder_ / "sheet-2.png")) << "one sheet";
    const QImage sheet(QString::fromStdString((folder_ / "sheet-1.png").string()));
    ASSERT_FALSE(sheet.isNull());

    // The contact page is dark to its edges, so the dark pixels outline the picture.
    QRect dark;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) < 200) {
                dark |= QRect(x, y, 1, 1);
            }
        }
    }
    const double scale = 150.0 / 600.0;
    EXPECT_NEAR(dark.left(), area.x * scale, 2);
    EXPECT_NEAR(dark.top(), area.y * scale, 2);
    EXPECT_NEAR(dark.width(), area.width * scale, 2);
    EXPECT_NEAR(dark.height(), area.height * scale, 2);
}

TEST(PrintedPageAreaTest, KeepsThePageProportionsAndLeavesTheMargins) {
    // A seven-page 1000 x 758 sheet at a printable width of 4960.
    EXPECT_EQ(PrintedPageArea(4960, 1000, 758), (PrintedArea{600, 400, 4060, 3077}));
    // A4 at 600 dpi: 4058 x 0.758 = 3075.96, truncated.
    EXPECT_EQ(PrintedPageArea(4958, 1000, 758), (PrintedArea{600, 400, 4058, 3075}));
    // The licence and contact pages are no longer squashed to 0.758.
    EXPECT_EQ(PrintedPageArea(4960, 650, 654), (PrintedArea{600, 400, 4060, 4084}));
    EXPECT_EQ(PrintedPageArea(4960, 634, 475), (PrintedArea{600, 400, 4060, 3041}));
}

TEST(PrintedPageAreaTest, NarrowSheetsOrMissingPagesDrawNothing) {
    for (const int printable : {0, 899, 900}) {
        const PrintedArea area = PrintedPageArea(printable, 1000, 758);
        EXPECT_TRUE(area.width <= 0 || area.height <= 0) << printable;
    }
    // One pixel wide gives a height of 0.758, truncated to nothing.
    EXPECT_EQ(PrintedPageArea(901, 1000, 758).height, 0);
    EXPECT_EQ(PrintedPageArea(4960, 0, 0).height, 0);
}

} // namespace
