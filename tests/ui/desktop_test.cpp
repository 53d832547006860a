// The main window as a person meets it on a real desktop: every caption readable in the
// row it is given, a status bar drawn as one, the window's boxes, the menus' separators
// and Enter. Built and run once per screen size (see the CMake file).
#include "internal/qt_state.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/toolkit.h"
#include "ui/event_loop.h"
#include "ui/main_window_layout.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <vector>

namespace {

toolkit::ToolkitWindow* MainWindow() {
    return toolkit::WindowById(0);
}

std::vector<QLabel*> Labels() {
    std::vector<QLabel*> labels;
    const toolkit::ToolkitWindow* const window = MainWindow();
    if (window == nullptr) {
        return labels;
    }
    for (QLabel* const label : window->Client()->findChildren<QLabel*>()) {
        if (label->objectName().startsWith("control-") && label->pixmap().isNull() &&
            !label->text().isEmpty()) {
            labels.push_back(label);
        }
    }
    return labels;
}

toolkit::StatusBarWidget* StatusBar() {
    const toolkit::ToolkitWindow* const window = MainWindow();
    return window == nullptr ? nullptr : window->findChild<toolkit::StatusBarWidget*>();
}

void ExpectEveryLabelsTextFits() {
    const std::vector<QLabel*> labels = Labels();
    ASSERT_GE(labels.size(), 13u);
    for (QLabel* const label : labels) {
        // Drawn from the top of the area inside the border, as a static text is.
        EXPECT_EQ(label->indent(), 0) << label->objectName().toStdString();
        EXPECT_EQ(label->margin(), 0) << label->objectName().toStdString();
        // Where QLabel draws: inside the border, less its indent on the aligned sides (an
        // indent below 0 means half an "x" for a framed label).
        const QFontMetrics metrics(label->font());
        const int indent = label->indent() >= 0      ? label->indent()
                           : label->frameWidth() > 0 ? metrics.horizontalAdvance('x') / 2
                                                     : 0;
        QRect inside = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                      -label->margin(), -label->margin());
        if (label->alignment().testFlag(Qt::AlignTop)) {
            inside.setTop(inside.top() + indent);
        }
        const QRect needed =
            metrics.boundingRect(inside, label->alignment() | Qt::TextWordWrap, label->text());
        EXPECT_LE(needed.height(), inside.height())
            << label->objectName().toStdString() << " \"" << label->text().toStdString()
            << "\" needs " << needed.height() << " px of " << inside.height() << " at "
            << MainWindow()->width() << " px wide";
    }
}

// Every control of the main window lies wholly inside its client area.
void ExpectEveryControlInside() {
    const toolkit::ClientArea* const client = MainWindow()->Client();
    for (const QWidget* const control : client->findChildren<QWidget*>()) {
        EXPECT_TRUE(!control->objectName().startsWith("control-") ||
                    client->rect().contains(control->geometry()))
            << control->objectName().toStdString() << " outside " << client->width() << "x"
            << client->height();
    }
}

// Waits until the window manager (or Qt) has carried out a change of the window's size,
// then lets the program's loop handle what that raised, as between two turns.
void FollowTheWindow(ProgramState& state, QSize size) {
    EXPECT_TRUE(QTest::qWaitFor([size] { return MainWindow()->size() == size; }, 3000))
        << "the window stayed " << MainWindow()->width() << "x" << MainWindow()->height();
    QTest::qWait(100);
    while (!toolkit::State().events.Empty()) {
        const toolkit::EventKind kind = toolkit::WaitEvent();
        RunTurn(state, {}, kind, toolkit::EventObject(), toolkit::EventWindow());
    }
}

TEST_F(MainWindowTest, EveryLabelsTextFitsTheHeightItIsGiven) {
    ExpectEveryLabelsTextFits();
}

// Run again at each display scale (see the CMake file): at none may the status bar cover
// a control, or a menu title or status text be cut off, whatever room the scale leaves.
TEST_F(MainWindowTest, EveryControlLiesAboveTheStatusBarAndEveryMenuTitleIsWhole) {
    const toolkit::StatusBarWidget* const bar = StatusBar();
    ASSERT_NE(bar, nullptr);
    int controls = 0;
    for (const QWidget* const control : MainWindow()->Client()->findChildren<QWidget*>()) {
        if (control->objectName().startsWith("control-")) {
            ++controls;
            EXPECT_LE(control->geometry().bottom(), bar->geometry().top() - 1)
                << control->objectName().toStdString() << " under the status bar at "
                << bar->geometry().top();
        }
    }
    EXPECT_GE(controls, 26);
    ExpectEveryControlInside();
    for (int index = 0; index < bar->FieldCount(); ++index) {
        const QLabel* const field = bar->Field(index);
        EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(field->text()),
                  field->contentsRect().width())
            << "status field " << index << " cuts \"" << field->text().toStdString() << "\"";
    }
    const QMenuBar* const menus = MainWindow()->MenuBar();
    ASSERT_NE(menus, nullptr);
    for (QAction* const title : menus->actions()) {
        EXPECT_TRUE(menus->rect().contains(menus->actionGeometry(title)))
            << title->text().toStdString() << " cut off in a menu bar of " << menus->width() << "x"
            << menus->height();
    }
}

TEST_F(MainWindowTest, TheStatusBarIsPaintedInTheFaceColourWithItsTextColour) {
    toolkit::StatusBarWidget* const bar = StatusBar();
    ASSERT_NE(bar, nullptr);
    const QPalette platform = QApplication::palette();
    const QColor face = platform.color(QPalette::Window);
    ASSERT_NE(face, QColor(17, 84, 13));
    const QImage drawn = bar->grab().toImage();
    // The middle of the empty field between the unit and the type, and the bar's top.
    const QLabel* const empty = bar->Field(2);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(QColor(drawn.pixel(empty->geometry().center())), face);
    EXPECT_EQ(QColor(drawn.pixel(bar->width() / 2, 0)), face);
    for (int field = 0; field < bar->FieldCount(); ++field) {
        EXPECT_EQ(bar->Field(field)->palette().color(QPalette::WindowText),
                  platform.color(QPalette::WindowText));
    }
}

TEST_F(MainWindowTest, MaximizedWithoutAMaximizeBoxRestoringToTheCentred1000By700) {
    const toolkit::ToolkitWindow* const window = MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isMaximized());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_NE(window->minimumSize(), window->maximumSize()); // a sizing border
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->normalGeometry(),
              QRect((screen.width() - 1000) / 2, (screen.height() - 700) / 2, 1000, 700));
}

TEST_F(MainWindowTest, EveryMenuButExitDrawsItsTrailingSeparator) {
    const toolkit::ToolkitWindow* const window = MainWindow();
    ASSERT_NE(window, nullptr);
    const QList<QAction*> titles = window->MenuBar()->actions();
    ASSERT_EQ(titles.size(), 6);
    for (int index = 0; index < 5; ++index) {
        QMenu* const menu = titles[index]->menu();
        ASSERT_NE(menu, nullptr);
        QAction* const last = menu->actions().back();
        ASSERT_TRUE(last->isSeparator()) << menu->title().toStdString();
        menu->popup(QPoint(0, 0));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        EXPECT_GT(menu->actionGeometry(last).height(), 0) << menu->title().toStdString();
        menu->hide();
    }
}

// The events a key raises, in order, without running the loop.
std::vector<int> ControlsRaisedBy(QWidget* target, Qt::Key key) {
    target->setFocus();
    QCoreApplication::processEvents();
    toolkit::State().events.Clear();
    QTest::keyClick(target, key);
    std::vector<int> controls;
    while (!toolkit::State().events.Empty()) {
        if (toolkit::WaitEvent() == toolkit::ControlEvent) {
            controls.push_back(toolkit::EventObject());
        }
    }
    return controls;
}

TEST_F(MainWindowTest, EnterInAnInputFieldOrOnCalculatePressesCalculate) {
    for (const int id : {1, 2, 3}) {
        ASSERT_NE(Field(id), nullptr);
        // The field is left for the button, which is pressed, as with a click.
        EXPECT_EQ(ControlsRaisedBy(Field(id), Qt::Key_Return), (std::vector<int>{id, 45}));
        EXPECT_EQ(toolkit::FocusedControl(), 45);
    }
    for (const int id : {45, 66}) {
        auto* const button = MainWindow()->findChild<QPushButton*>(ControlName(id));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(ControlsRaisedBy(button, Qt::Key_Return), (std::vector<int>{id}));
    }
    toolkit::State().events.Clear();
}

// Restored (by a real window manager too, in the real-desktop check), then resized past
// the smallest size it may have; maximized again, laid out as it was built. Last: the
// window's restored size is no longer its first.
TEST_F(MainWindowTest, RestoredEveryControlLiesInsideTheWindowAndEveryCaptionFits) {
    toolkit::ToolkitWindow* const window = MainWindow();
    const QSize maximized = window->size();
    const LayoutBasis built = State().layout;
    window->showNormal();
    for (const QSize asked :
         {QSize(1000, 700), QSize(1400, 900), QSize(1100, 720), QSize(700, 500)}) {
        window->resize(asked);
        const QSize given = asked.expandedTo(QSize(960, 680));
        FollowTheWindow(State(), given);
        SCOPED_TRACE(asked.width());
        EXPECT_EQ(State().layout, ComputeLayoutBasis(given.width(), given.height()));
        ExpectEveryControlInside();
        ExpectEveryLabelsTextFits();
    }
    window->showMaximized();
    FollowTheWindow(State(), maximized);
    EXPECT_EQ(State().layout, built);
}

} // namespace
