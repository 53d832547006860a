// Menus, status bar, toolbar and fonts in a maximized window on a 1366 x 768 screen.
#include "tests/support/toolkit_probe.h"

#include <QFontInfo>
#include <QScreen>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::SeenEvent;

class Bars : public ::testing::Test {
  protected:
    void TearDown() override {
        CloseAllWindows();
        ReleaseFonts();
        DrainEvents();
    }
    static StatusBarWidget* StatusBar(int id) {
        auto* const entry = State().statusBars.Find(id);
        return entry == nullptr ? nullptr : entry->widget.get();
    }
    static void AddExampleFields() {
        for (const int width : {250, Automatic, 200, Automatic, 100}) {
            AddStatusField(width);
        }
    }
};

TEST_F(Bars, TheScreenIs1366PixelsWide) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().width(), 1366);
}

TEST_F(Bars, StatusFieldsOfAMaximizedWindowEndWhereTheRuleSays) {
    ASSERT_TRUE(
        OpenWindow(0, 0, 0, 1000, 700, "main",
                   CentreOnScreen | TitleBar | SystemMenu | MinimizeBox | Resizable | Maximized));
    ASSERT_EQ(InnerWidth(0), 1366);
    ASSERT_TRUE(CreateMenuBar(0, 0));
    AddMenuTitle("Файл");
    ASSERT_TRUE(CreateStatusBar(0, 0));
    AddExampleFields();
    StatusBarWidget* const bar = StatusBar(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->RightEdges(), (std::vector<int>{250, 658, 858, 1266, 1366}));
    EXPECT_EQ(bar->Field(1)->geometry().left(), 250);
    EXPECT_EQ(bar->Field(1)->geometry().right() + 1, 658);
    EXPECT_EQ(bar->Field(4)->geometry().right() + 1, 1366);
    // Along the bottom edge of the client area, as wide as the window, 18 px or more.
    const ToolkitWindow* const window = WindowById(0);
    EXPECT_EQ(bar->geometry().bottom(), window->Client()->height() - 1);
    EXPECT_EQ(bar->width(), 1366);
    EXPECT_GE(bar->height(), 18);
}

TEST_F(Bars, StatusLayoutIsRedoneOnResizeWithRoomForTheGrip) {
    ASSERT_TRUE(OpenWindow(1, 0, 0, 900, 400, "sizeable", TitleBar | Resizable));
    ASSERT_TRUE(CreateStatusBar(1, 1));
    AddExampleFields();
    StatusBarWidget* const bar = StatusBar(1);
    const int grip = bar->height() - 3;
    const int share = (900 - grip - 550) / 2;
    EXPECT_EQ(bar->RightEdges(),
              (std::vector<int>{250, 250 + share, 450 + share, 450 + 2 * share, 550 + 2 * share}));
    WindowById(1)->resize(1000, 400);
    const int wider = (1000 - grip - 550) / 2;
    EXPECT_EQ(bar->RightEdges()[1], 250 + wider);
    EXPECT_EQ(bar->Field(3)->geometry().right() + 1, 450 + 2 * wider);
    EXPECT_EQ(bar->width(), 1000);
}

TEST_F(Bars, StatusFieldOptionsAndTheirPrecedence) {
    ASSERT_TRUE(OpenWindow(2, 0, 0, 600, 300, "status", TitleBar));
    ASSERT_TRUE(CreateStatusBar(0, 2));
    AddStatusField(100);
    AddStatusField(100);
    AddStatusField(100);
    AddStatusField(Automatic);
    StatusBarWidget* const bar = StatusBar(0);
    SetStatusFieldText(0, 0, "hPa", Raised | Borderless);
    SetStatusFieldText(0, 1, "Аспирационен", Raised | RightAligned);
    SetStatusFieldText(0, 2, "x", Borderless | Centred | RightAligned);
    SetStatusFieldText(0, 3, "12:00:00", RightAligned);
    SetStatusFieldText(0, 9, "no such field", 0);
    EXPECT_EQ(bar->Field(0)->frameShadow(), QFrame::Raised);
    EXPECT_EQ(bar->Field(0)->text(), "hPa");
    EXPECT_EQ(bar->Field(1)->text(), QString::fromUtf8("Аспирационен"));
    EXPECT_TRUE(bar->Field(1)->alignment() & Qt::AlignRight);
    EXPECT_EQ(bar->Field(2)->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(bar->Field(2)->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(bar->Field(3)->frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(bar->Field(3)->alignment() & Qt::AlignRight);
    EXPECT_EQ(bar->FieldCount(), 4);
}

// The clock writes its field ten times a second and changes it once.
TEST_F(Bars, RewritingAStatusFieldAsItIsCostsNoRepaintButANewTextOrLookIsShown) {
    ASSERT_TRUE(OpenWindow(2, 0, 0, 600, 300, "clock", TitleBar));
    ASSERT_TRUE(CreateStatusBar(0, 2));
    AddStatusField(Automatic);
    AddStatusField(100);
    QLabel* const clock = StatusBar(0)->Field(1);
    SetStatusFieldText(0, 1, "12:00:00", RightAligned);
    toolkit_test::PaintCounter unchanged(clock);
    for (int tick = 0; tick < 9; ++tick) {
        SetStatusFieldText(0, 1, "12:00:00", RightAligned);
    }
    EXPECT_EQ(unchanged.Paints(), 0);

    toolkit_test::PaintCounter nextSecond(clock);
    SetStatusFieldText(0, 1, "12:00:01", RightAligned);
    EXPECT_GT(nextSecond.Paints(), 0);
    EXPECT_EQ(clock->text(), "12:00:01");
    // The same text in another look takes the new look.
    SetStatusFieldText(0, 1, "12:00:01", Raised | Centred);
    EXPECT_EQ(clock->frameShadow(), QFrame::Raised);
    EXPECT_TRUE(clock->alignment() & Qt::AlignHCenter);
}

TEST_F(Bars, AStatusTextWiderThanItsFieldShrinksInsteadOfBeingCutOff) {
    ASSERT_TRUE(OpenWindow(3, 0, 0, 1024, 400, "narrow", TitleBar | Resizable));
    ASSERT_TRUE(CreateStatusBar(2, 3));
    AddExampleFields();
    StatusBarWidget* const bar = StatusBar(2);
    const char* const texts[] = {"Работите с температура в  [°C]", "Работите с налягане в [hPa]",
                                 "", "Използвате психрометър с аспирация", "12:00:00"};
    for (int i = 0; i < 5; ++i) {
        SetStatusFieldText(2, i, texts[i], Centred);
    }
    const auto fits = [&](int i) {
        const QLabel* const field = bar->Field(i);
        return QFontMetrics(field->font()).horizontalAdvance(field->text()) <=
               field->contentsRect().width();
    };
    ASSERT_LT(QFontMetrics(bar->font()).horizontalAdvance(bar->Field(3)->text()),
              bar->Field(3)->contentsRect().width() * 2)
        << "the text should need shrinking, not vanish";
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(fits(i)) << "field " << i;
    }
    EXPECT_LT(bar->Field(3)->font().pointSizeF(), bar->font().pointSizeF());
    // A field with room keeps the bar's own face, and a wider window gives it back.
    EXPECT_EQ(bar->Field(0)->font().pointSizeF(), bar->font().pointSizeF());
    WindowById(3)->resize(1366, 400);
    EXPECT_TRUE(fits(3));
    EXPECT_EQ(bar->Field(3)->font().pointSizeF(), bar->font().pointSizeF());
}

TEST_F(Bars, AtMost256StatusFields) {
    ASSERT_TRUE(OpenWindow(3, 0, 0, 600, 300, "many", TitleBar));
    ASSERT_TRUE(CreateStatusBar(0, 3));
    for (int i = 0; i < 300; ++i) {
        AddStatusField(2);
    }
    EXPECT_EQ(StatusBar(0)->FieldCount(), 256);
}

TEST_F(Bars, MenuItemsAndToolbarButtonsRaiseMenuEvents) {
    ASSERT_TRUE(OpenWindow(199, 0, 0, 400, 300, "viewer", TitleBar | SystemMenu));
    ASSERT_TRUE(CreateMenuBar(0, 199));
    AddMenuTitle("Помощ");
    AddMenuItem(7, "Страница");
    AddMenuSeparator();
    AddMenuItem(8, "За програмата");
    ASSERT_TRUE(CreateToolBar(0, 199));
    AddToolBarButton(1001, StandardImageSave);
    AddToolBarButton(1002, StandardImagePrint);

    QMenuBar* const menuBar = WindowById(199)->MenuBar();
    ASSERT_EQ(menuBar->actions().size(), 1);
    QMenu* const menu = menuBar->actions().front()->menu();
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(items[1]->isSeparator());
    items[2]->trigger();
    items[0]->trigger();

    auto* const toolBar = State().toolBars.Find(0)->widget.get();
    const QList<QToolButton*> buttons = toolBar->findChildren<QToolButton*>();
    std::vector<QToolButton*> shown;
    for (QToolButton* const button : buttons) {
        if (button->defaultAction() != nullptr) {
            shown.push_back(button);
        }
    }
    ASSERT_EQ(shown.size(), 2u);
    for (QToolButton* const button : shown) {
        // Never blank: an image whatever the icon theme.
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_FALSE(button->icon().pixmap(24, 24).isNull());
        EXPECT_TRUE(button->autoRaise());
    }
    QTest::mouseClick(shown[1], Qt::LeftButton);
    QTest::mouseClick(shown[0], Qt::LeftButton);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{MenuEvent, 8, 199},
                                                     {MenuEvent, 7, 199},
                                                     {MenuEvent, 1002, 199},
                                                     {MenuEvent, 1001, 199}}));
    EXPECT_EQ(toolBar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(toolBar->width(), InnerWidth(199));
}

TEST_F(Bars, FontsHaveTheirPixelHeightAndTheStylesAskedFor) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    ASSERT_TRUE(LoadFont(4, "Arial Bold Italic", 17, Underline));
    const QFont boldItalic = FontHandle(4)->qfont;
    EXPECT_EQ(boldItalic.pixelSize(), static_cast<int>(std::lround(17 * dpi / 72)));
    EXPECT_TRUE(boldItalic.bold());
    EXPECT_TRUE(boldItalic.italic());
    EXPECT_TRUE(boldItalic.underline());
    EXPECT_FALSE(boldItalic.strikeOut());
    const QFontInfo resolved(boldItalic);
    EXPECT_EQ(resolved.family(), "Liberation Sans");
    EXPECT_TRUE(resolved.bold());
    EXPECT_TRUE(resolved.italic());

    ASSERT_TRUE(LoadFont(6, "Arial Italic", 13, Bold));
    EXPECT_TRUE(FontHandle(6)->qfont.bold());
    EXPECT_TRUE(FontHandle(6)->qfont.italic());
    EXPECT_FALSE(FontHandle(6)->qfont.underline());

    ASSERT_TRUE(LoadFont(3, "Arial Bold", 13, StrikeOut));
    EXPECT_FALSE(FontHandle(3)->qfont.italic());
    EXPECT_TRUE(FontHandle(3)->qfont.strikeOut());

    // Loading under a live id replaces the font; released fonts are gone.
    ASSERT_TRUE(LoadFont(3, "Arial", 10, 0));
    EXPECT_FALSE(FontHandle(3)->qfont.bold());
    ReleaseFonts();
    EXPECT_EQ(FontHandle(3), nullptr);
    EXPECT_EQ(FontHandle(4), nullptr);
}

} // namespace
