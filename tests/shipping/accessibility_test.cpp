// A screen-reader user's calculation: every step with the keyboard alone, every field and
// button named and described, the status bar readable.
#include "tests/support/program_driver.h"
#include "toolkit/testing/test_hooks.h"
#include "ui/program_ids.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

constexpr int kCalculate = Id(ControlId::CalculateButton);
constexpr int kClear = Id(ControlId::ClearButton);

QAccessibleInterface* Accessible(QWidget* widget) {
    return widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

QString Read(int controlId, QAccessible::Text what) {
    QAccessibleInterface* const face = Accessible(ProgramDriver::Control(controlId));
    return face != nullptr ? face->text(what) : QStringLiteral("<no accessible interface>");
}

// What a screen reader reads out of a field: its value.
QString ValueOf(int controlId) {
    return Read(controlId, QAccessible::Value);
}

class KeyboardOnly : public testing::Test {
  protected:
    void SetUp() override {
        messageLog_ = std::filesystem::temp_directory_path() /
                      ("zorvel-a11y-messages-" + std::to_string(getpid()));
        std::filesystem::remove(messageLog_);
        toolkit::SetMessageBoxLog(messageLog_.string());
    }
    void TearDown() override {
        toolkit::SetMessageBoxLog("");
        std::filesystem::remove(messageLog_);
    }

    std::string Messages() const {
        std::ifstream in(messageLog_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // One key on whatever has the focus (the window itself when nothing has), then the
    // turns that follow it.
    void Press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) {
            target = ProgramDriver::WindowOf(Id(ControlId::DryBulbField));
        }
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
        program.RunTurnsFor(250);
    }

    void Type(const QString& text) {
        QWidget* const target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClicks(target, text);
        program.RunTurnsFor(150);
    }

    ProgramDriver program;
    std::filesystem::path messageLog_;
};

TEST_F(KeyboardOnly, EveryFieldAndButtonCarriesANameAndItsTooltipAsDescription) {
    QSet<QString> names;
    for (const int id : {1, 2, 3, 4, 5, 6, 7, 8, kCalculate, kClear}) {
        SCOPED_TRACE(id);
        QWidget* const control = ProgramDriver::Control(id);
        ASSERT_NE(control, nullptr);
        QAccessibleInterface* const face = Accessible(control);
        ASSERT_NE(face, nullptr);
        const QString name = face->text(QAccessible::Name).trimmed();
        EXPECT_FALSE(name.isEmpty());
        names.insert(name);
        EXPECT_FALSE(control->toolTip().isEmpty());
        EXPECT_EQ(face->text(QAccessible::Description), control->toolTip());
        const bool output = id >= 4 && id <= 8;
        if (id <= 8) {
            EXPECT_EQ(face->role(), QAccessible::EditableText);
            EXPECT_EQ(face->state().readOnly, output) << "only the results are read-only";
        } else {
            EXPECT_EQ(face->role(), QAccessible::Button);
        }
        EXPECT_TRUE(face->state().focusable) << "reachable with Tab";
    }
    EXPECT_EQ(names.size(), 10) << "a listener must tell every control from the others";
    EXPECT_EQ(Read(kCalculate, QAccessible::Name), "Изчисли");
    EXPECT_EQ(Read(kClear, QAccessible::Name), "Изчисти");
}

TEST_F(KeyboardOnly, WholeCalculationWithTabTypingAndSpace) {
    toolkit::ActivateWindow(Id(WindowId::MainWindow));
    program.RunTurnsFor(150);
    const char* const readings[] = {"20.5", "18.3", "981.1"};
    // The window may give the first field the focus by itself; otherwise Tab finds it.
    for (int tabs = 0; toolkit::FocusedControl() != 1 && tabs < 15; ++tabs) {
        Press(Qt::Key_Tab);
    }
    for (int field = 1; field <= 3; ++field) {
        SCOPED_TRACE(field);
        if (field > 1) {
            Press(Qt::Key_Tab);
        }
        ASSERT_EQ(toolkit::FocusedControl(), field);
        // Entering the field empties it, so the typed reading stands alone.
        EXPECT_EQ(ValueOf(field), "");
        Type(readings[field - 1]);
        EXPECT_EQ(ValueOf(field), readings[field - 1]);
    }
    // On to the button; every stop on the way is a named control.
    int tabs = 0;
    while (toolkit::FocusedControl() != kCalculate && tabs < 12) {
        Press(Qt::Key_Tab);
        ++tabs;
        const int focused = toolkit::FocusedControl();
        ASSERT_NE(focused, -1) << "Tab left the program's controls";
        EXPECT_FALSE(Read(focused, QAccessible::Name).trimmed().isEmpty()) << focused;
    }
    ASSERT_EQ(toolkit::FocusedControl(), kCalculate);
    EXPECT_EQ(Read(kCalculate, QAccessible::Name), "Изчисли");
    Press(Qt::Key_Space);

    EXPECT_EQ(Messages(), "");
    EXPECT_EQ(ValueOf(1), "20.5   [°C]");
    EXPECT_EQ(ValueOf(2), "18.3   [°C]");
    EXPECT_EQ(ValueOf(3), "981.1  [hPa]");
    EXPECT_EQ(ValueOf(4), "14.3 [g/m3]");
    EXPECT_EQ(ValueOf(5), "81.0 [%]");
    EXPECT_EQ(ValueOf(6), "17.1  [°C]");
    EXPECT_EQ(ValueOf(7), "24.2 [hPa]");
    EXPECT_EQ(ValueOf(8), "19.6 [hPa]");

    // Shift+Tab walks back the same way.
    Press(Qt::Key_Backtab);
    EXPECT_NE(toolkit::FocusedControl(), kCalculate);
    EXPECT_NE(toolkit::FocusedControl(), -1);
}

TEST_F(KeyboardOnly, StatusBarFieldsAreReadable) {
    program.RunTurnsFor(300); // the clock has ticked
    QWidget* const window = ProgramDriver::WindowOf(Id(ControlId::DryBulbField));
    ASSERT_NE(window, nullptr);
    QWidget* const bar = window->findChild<QWidget*>(QStringLiteral("statusbar-0"));
    ASSERT_NE(bar, nullptr);
    QAccessibleInterface* const barFace = Accessible(bar);
    ASSERT_NE(barFace, nullptr);

    // What a screen reader finds walking the status bar's children.
    QStringList heard;
    for (int i = 0; i < barFace->childCount(); ++i) {
        QAccessibleInterface* const child = barFace->child(i);
        if (child != nullptr && child->role() != QAccessible::Grip) {
            heard << child->text(QAccessible::Name).trimmed();
        }
    }
    EXPECT_TRUE(heard.contains("Работите с налягане в [hPa]")) << heard.join('|').toStdString();
    EXPECT_TRUE(heard.contains("Използвате психрометър с аспирация"))
        << heard.join('|').toStdString();
    const QRegularExpression clock(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    bool clockHeard = false;
    for (const QString& text : heard) {
        clockHeard = clockHeard || clock.match(text).hasMatch();
    }
    EXPECT_TRUE(clockHeard) << heard.join('|').toStdString();
}

} // namespace
