#include "tests/support/main_window_fixture.h"

#include "toolkit/testing/test_hooks.h"
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/program_ids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <fstream>
#include <map>
#include <unistd.h>

namespace {

ProgramState& SharedState() {
    static ProgramState state;
    return state;
}

QString ShownText(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

// The fields are told apart by their placeholders right after a build; afterwards the user
// types over them.
std::map<int, QPointer<QLineEdit>>& FieldsOfLastBuild() {
    static std::map<int, QPointer<QLineEdit>> fields;
    return fields;
}

} // namespace

QString PlaceholderOf(int fieldId) {
    using enum ControlId;
    switch (ControlId{fieldId}) {
    case DryBulbField:
        return "Tdry=";
    case WetBulbField:
        return "Twet=";
    case PressureField:
        return "P/h=";
    case AbsoluteHumidityField:
        return "F [g/m3]";
    case RelativeHumidityField:
        return "RH [%]";
    case DewPointField:
        return "Td  [°C]";
    case SaturationPressureField:
        return "E [hPa]";
    case VapourPressureField:
        return "е [hPa]";
    default:
        return {};
    }
}

std::vector<QWidget*> LiveWidgets() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<QWidget*> widgets;
    for (QWidget* widget : QApplication::allWidgets()) {
        widgets.push_back(widget);
    }
    return widgets;
}

void MainWindowTest::SetUpTestSuite() {
    static bool built = false;
    if (!built) {
        BuildMainWindowFrame(SharedState());
        built = true;
    }
}

ProgramState& MainWindowTest::State() {
    return SharedState();
}

void MainWindowTest::Rebuild() {
    BuildMainWindowContents(SharedState());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    FieldsOfLastBuild().clear();
    for (int id = Id(ControlId::DryBulbField); id <= Id(ControlId::VapourPressureField); ++id) {
        FieldsOfLastBuild()[id] = qobject_cast<QLineEdit*>(Showing(PlaceholderOf(id)));
    }
}

void MainWindowTest::SetUp() {
    messageLog_ = std::filesystem::temp_directory_path() /
                  ("zorvel-messages-" + std::to_string(getpid()) + ".log");
    std::filesystem::remove(messageLog_);
    toolkit::SetMessageBoxLog(messageLog_.string());
    SharedState().input = InputState{};
    Rebuild();
}

void MainWindowTest::TearDown() {
    toolkit::SetMessageBoxLog("");
    std::filesystem::remove(messageLog_);
}

QWidget* MainWindowTest::Showing(const QString& text) {
    QWidget* found = nullptr;
    for (QWidget* widget : LiveWidgets()) {
        if (ShownText(widget) == text) {
            EXPECT_EQ(found, nullptr) << "two widgets show " << text.toStdString();
            found = widget;
        }
    }
    return found;
}

QLineEdit* MainWindowTest::Field(int id) {
    const auto found = FieldsOfLastBuild().find(id);
    return found == FieldsOfLastBuild().end() ? nullptr : found->second.data();
}

std::vector<std::string> MainWindowTest::Messages() const {
    std::vector<std::string> lines;
    std::ifstream in(messageLog_);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}
