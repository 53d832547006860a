// Builds the real main window once per test program (stage one runs once per run, as in
// the program) and finds its widgets through Qt by what they show right after a build.
#pragma once

#include "ui/program_ids.h"
#include "ui/program_state.h"

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

class QWidget;
class QLineEdit;

class MainWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite();

    // Every test starts as a fresh run would after stage two: counts and flags at their
    // initial values, the contents rebuilt, no message shown yet.
    void SetUp() override;
    void TearDown() override;

    static ProgramState& State();

    // Runs stage two again as Clear does and lets Qt finish deleting the old widgets.
    static void Rebuild();

    // The widget that showed `text` right after the last build (fields, labels, buttons).
    static QWidget* Showing(const QString& text);
    static QLineEdit* Field(int id);
    static QLineEdit* Field(ControlId id) { return Field(Id(id)); }

    // Lines "<caption>|<text>" of the message boxes shown since SetUp.
    std::vector<std::string> Messages() const;

  private:
    std::filesystem::path messageLog_;
};

// The placeholder each field shows after a build.
QString PlaceholderOf(int fieldId);

// Widgets of the main window that Qt still knows of (deleted ones excluded).
std::vector<QWidget*> LiveWidgets();
