// The menu commands, the clock and the ends of the loop, driven through the real menus,
// buttons and close boxes one loop turn at a time.
#include "calc/main_window_texts.h"
#include "lifecycle/fault_location.h"
#include "tests/support/loop_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/toolkit.h"
#include "ui/commands.h"
#include "ui/program_ids.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <array>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using main_window_texts::AboutText;

constexpr common::Date At(int hours, int minutes, int seconds) {
    // 8 December 2026, local calendar.
    return common::Date{20'795} * 86'400 + hours * 3'600 + minutes * 60 + seconds;
}

const std::string PressureMessage = "Проблем!|Има грешка при стойността на налягането";
const QString DefaultUnitText = "  Работите с налягане в [hPa]   ";
const QString DefaultTypeText = "Използвате психрометър с аспирация";

class LoopCommandsTest : public LoopTest {
  protected:
    void EnterAndType(int fieldId, const char* text) {
        QLineEdit* const field = FieldOfWindow(fieldId);
        ASSERT_NE(field, nullptr);
        QTest::mouseClick(field, Qt::LeftButton);
        // The next clock tick comes after the click's events: by then a turn has seen
        // the newly entered field.
        ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
        ASSERT_EQ(toolkit::FocusedControl(), fieldId);
        QTest::keyClicks(field, text);
        QCoreApplication::processEvents();
    }

    void TypeSampleReadings() {
        EnterAndType(1, "20.5");
        EnterAndType(2, "18.3");
        EnterAndType(3, "981.1");
    }

    static std::array<std::string, 8> Fields() {
        std::array<std::string, 8> texts;
        for (int id = 1; id <= 8; ++id) {
            texts[static_cast<std::size_t>(id - 1)] = toolkit::GetControlText(id);
        }
        return texts;
    }

    static void ExpectStatusField(int index, const QString& text, Qt::Alignment alignment) {
        QLabel* const field = StatusField(index);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), text);
        EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, alignment);
    }

    static void ExpectDefaultSelections() {
        EXPECT_EQ(State().barometerUnit, BarometerUnit::Hpa);
        EXPECT_EQ(State().psychrometerType, PsychrometerType::Aspirated);
        ExpectStatusField(Id(StatusFieldId::PressureUnitField), DefaultUnitText, Qt::AlignRight);
        ExpectStatusField(Id(StatusFieldId::PsychrometerTypeField), DefaultTypeText,
                          Qt::AlignHCenter);
    }

    std::string MessageLogText() const {
        std::string all;
        for (const std::string& line : Messages()) {
            all += line + "\n";
        }
        return all;
    }
};

const std::array<std::string, 8> Placeholders = {"Tdry=",  "Twet=",    "P/h=",    "F [g/m3]",
                                                 "RH [%]", "Td  [°C]", "E [hPa]", "е [hPa]"};

TEST_F(LoopCommandsTest, BarometerMenuSetsTheUnitAndItsRaisedRightAlignedStatusText) {
    struct Case {
        int id;
        QString item;
        BarometerUnit unit;
        QString status;
    };
    const std::array cases{
        Case{18, "Данни от барометър в [mBar]", BarometerUnit::Mbar,
             "  Работите с налягане в [mBar]   "},
        Case{2, "Данни от барометър в [mmHg]", BarometerUnit::Mmhg,
             "  Работите с налягане в [mmHg]   "},
        Case{3, "По надморска височина в [m]", BarometerUnit::Altitude,
             "  Работите с надморска височина в [m]   "},
        Case{1, "Данни от барометър в [hPa]", BarometerUnit::Hpa, DefaultUnitText},
        // The selected unit again: the same state and text, nothing else.
        Case{1, "Данни от барометър в [hPa]", BarometerUnit::Hpa, DefaultUnitText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Choose(c.id, c.item);
        EXPECT_EQ(State().barometerUnit, c.unit);
        ExpectStatusField(Id(StatusFieldId::PressureUnitField), c.status, Qt::AlignRight);
        ASSERT_NE(StatusField(Id(StatusFieldId::PressureUnitField)), nullptr);
        EXPECT_EQ(StatusField(Id(StatusFieldId::PressureUnitField))->frameShadow(), QFrame::Raised);
        EXPECT_EQ(State().psychrometerType, PsychrometerType::Aspirated);
        ExpectStatusField(Id(StatusFieldId::PsychrometerTypeField), DefaultTypeText,
                          Qt::AlignHCenter);
    }
    EXPECT_EQ(Fields(), Placeholders);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LoopCommandsTest, PsychrometerMenuSetsTheTypeAndItsCentredStatusText) {
    Choose(CommandId::NonAspiratedCommand, "Без аспирация");
    EXPECT_EQ(State().psychrometerType, PsychrometerType::NonAspirated);
    ExpectStatusField(Id(StatusFieldId::PsychrometerTypeField),
                      "Използвате психрометър без аспирация", Qt::AlignHCenter);
    EXPECT_EQ(State().barometerUnit, BarometerUnit::Hpa);
    ExpectStatusField(Id(StatusFieldId::PressureUnitField), DefaultUnitText, Qt::AlignRight);

    Choose(CommandId::AspiratedCommand, "С аспирация");
    EXPECT_EQ(State().psychrometerType, PsychrometerType::Aspirated);
    ExpectStatusField(Id(StatusFieldId::PsychrometerTypeField), DefaultTypeText, Qt::AlignHCenter);
    EXPECT_EQ(Fields(), Placeholders);
}

TEST_F(LoopCommandsTest, IceBulbItemSetsTheRouteItsMarkAndStatusTextUntilClear) {
    const QString iceItem = "Заледен мокър термометър";
    auto* const item = Window(WindowId::MainWindow)
                           ->findChild<QAction*>(CommandName(Id(CommandId::IceBulbCommand)));
    ASSERT_NE(item, nullptr);
    const auto expectIced = [&](bool iced) {
        EXPECT_EQ(item->isChecked(), iced);
        EXPECT_EQ(State().wetBulbCover, iced ? WetBulbCover::Ice : WetBulbCover::Water);
        ExpectStatusField(Id(StatusFieldId::IceBulbField),
                          iced ? "Мокрият термометър е заледен" : "", Qt::AlignHCenter);
    };
    Choose(CommandId::IceBulbCommand, iceItem);
    expectIced(true);
    EnterAndType(1, "-10");
    EnterAndType(2, "-11");
    EnterAndType(3, "1013.25");
    Click(ControlId::CalculateButton);
    EXPECT_EQ(Fields()[4], "61.7 [%]"); // 68.6 over water

    EnterAndType(1, "5");
    EnterAndType(2, "0.1");
    Click(ControlId::CalculateButton);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Проблем!|При заледен мокър термометър "
                                                   "показанието му не може да е над 0 °C"});
    Choose(CommandId::IceBulbCommand, iceItem);
    expectIced(false);
    Click(ControlId::CalculateButton);
    EXPECT_EQ(Fields()[4], "31.8 [%]");

    Choose(CommandId::IceBulbCommand, iceItem);
    Click(ControlId::ClearButton);
    expectIced(false);
}

TEST_F(LoopCommandsTest, UnitChangeKeepsTheFieldsAndTakesEffectAtTheNextCalculate) {
    TypeSampleReadings();
    Click(ControlId::CalculateButton);
    const auto afterFirst = Fields();
    EXPECT_EQ(afterFirst[2], "981.1  [hPa]");
    EXPECT_EQ(afterFirst[3], "14.3 [g/m3]");

    Choose(CommandId::MmhgCommand, "Данни от барометър в [mmHg]");
    EXPECT_EQ(Fields(), afterFirst);

    // Entering the dry bulb again wakes Calculate up; field 3 is now read as mmHg, and
    // 981.1 mmHg is no pressure on Earth.
    EnterAndType(1, "20.5");
    Click(ControlId::CalculateButton);
    EXPECT_EQ(Messages(), std::vector<std::string>{PressureMessage});
    auto expected = afterFirst;
    expected[0] = "20.5";
    EXPECT_EQ(Fields(), expected);
}

TEST_F(LoopCommandsTest, AltitudeIsReadFromTheSameTextAfterTheMenuChoice) {
    Choose(CommandId::AltitudeCommand, "По надморска височина в [m]");
    EnterAndType(1, "20.5");
    EnterAndType(2, "18.3");
    EnterAndType(3, "300");
    Click(ControlId::CalculateButton);
    EXPECT_TRUE(Messages().empty());
    // Written back with the altitude's unit: the text was read as metres.
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::PressureField)), "300  [m]");
}

TEST_F(LoopCommandsTest, AltitudeFirstPressWithoutEnteringAnyFieldRefusesThePlaceholders) {
    Choose(CommandId::AltitudeCommand, "По надморска височина в [m]");
    // A few clock ticks: no field is entered by itself in the meantime.
    ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
    Click(ControlId::CalculateButton);
    // "P/h=" is no number: the altitude message, and every field as it was.
    EXPECT_EQ(Messages(), std::vector<std::string>{"Проблем!|Има грешка при надморската височина"});
    EXPECT_EQ(Fields(), Placeholders);
    EXPECT_FALSE(State().input.resultsCurrent);
}

TEST_F(LoopCommandsTest, ClearAfterMmhgAndNonAspiratedRestoresTheDefaults) {
    Choose(CommandId::MmhgCommand, "Данни от барометър в [mmHg]");
    Choose(CommandId::NonAspiratedCommand, "Без аспирация");
    Click(ControlId::ClearButton);
    ExpectDefaultSelections();
    EXPECT_EQ(Fields(), Placeholders);
    ExpectStatusField(Id(StatusFieldId::TemperatureUnitField), " Работите с температура в  [°C]",
                      Qt::AlignLeft);
    // The clock stays empty until the next tick.
    ExpectStatusField(Id(StatusFieldId::ClockField), "", Qt::AlignLeft);
}

TEST_F(LoopCommandsTest, ClearAfterACalculateEmptiesTheResults) {
    TypeSampleReadings();
    Click(ControlId::CalculateButton);
    ASSERT_EQ(toolkit::GetControlText(Id(ControlId::RelativeHumidityField)), "81.0 [%]");
    ASSERT_TRUE(State().input.resultsCurrent);

    Click(ControlId::ClearButton);
    EXPECT_EQ(Fields(), Placeholders);
    EXPECT_FALSE(State().input.resultsCurrent);
    ExpectDefaultSelections();
    // The focus went with the old fields: later turns empty nothing by themselves.
    ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
    EXPECT_EQ(Fields(), Placeholders);

    // The rebuilt window calculates again from fresh fields.
    TypeSampleReadings();
    Click(ControlId::CalculateButton);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::VapourPressureField)), "19.6 [hPa]");
}

TEST_F(LoopCommandsTest, ClearAfterAMessageBringsThePlaceholdersBack) {
    EnterAndType(1, "18.3");
    EnterAndType(2, "20.5");
    EnterAndType(3, "981.1");
    Click(ControlId::CalculateButton);
    ASSERT_EQ(Messages().size(), 1u);
    Click(ControlId::ClearButton);
    EXPECT_EQ(Fields(), Placeholders);
    ExpectDefaultSelections();
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(LoopCommandsTest, AboutBoxNamesTheProgramItsVersionAndLicence) {
    Choose(CommandId::AboutCommand, "За софтуера");
    EXPECT_EQ(MessageLogText(), "За софтуера|" + std::string(AboutText) + "\n");
    const std::string text(AboutText);
    for (const char* expected : {"Зорвел", "1.1", "сух", "мокър", "налягане", "височина",
                                 "безплатна", "лицензионното споразумение"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(Fields(), Placeholders);
}

TEST_F(LoopCommandsTest, CommandsNotInTheTableAndOtherControlsDoNothing) {
    Choose(CommandId::MmhgCommand, "Данни от барометър в [mmHg]");
    for (const int id : {0, 6, 10, 22, 31, 1000, 1003}) {
        RunTurn(State(), context, toolkit::MenuEvent, id, 0);
    }
    for (const int id : {1, 4, 9, 44, 46, 65, 67, 111}) {
        RunTurn(State(), context, toolkit::ControlEvent, id, 0);
    }
    RunTurn(State(), context, toolkit::CloseEvent, 0, 5);
    RunTurn(State(), context, toolkit::NoEvent, 0, 0);
    EXPECT_EQ(State().barometerUnit, BarometerUnit::Mmhg);
    ExpectStatusField(Id(StatusFieldId::PressureUnitField), "  Работите с налягане в [mmHg]   ",
                      Qt::AlignRight);
    EXPECT_EQ(Fields(), Placeholders);
    EXPECT_FALSE(State().quitRequested);
    EXPECT_EQ(LoopTest::Window(WindowId::PageViewerWindow), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LoopCommandsTest, ClockShowsTheTimeWithLeadingZerosRightAligned) {
    clockDate = At(9, 5, 7);
    RunTurn(State(), context, toolkit::TimerEvent, Id(TimerId::ClockTimer), 0);
    ExpectStatusField(Id(StatusFieldId::ClockField), "09:05:07", Qt::AlignRight);

    // The real timer of the main window drives it too.
    clockDate = At(23, 59, 59);
    ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
    ExpectStatusField(Id(StatusFieldId::ClockField), "23:59:59", Qt::AlignRight);
}

TEST_F(LoopCommandsTest, TimerOfAnotherIdLeavesTheClockAlone) {
    clockDate = At(9, 5, 7);
    RunTurn(State(), context, toolkit::TimerEvent, Id(TimerId::ClockTimer), 0);
    clockDate = At(12, 0, 0);
    RunTurn(State(), context, toolkit::TimerEvent, 124, 0);
    RunTurn(State(), context, toolkit::TimerEvent, 0, 0);
    ExpectStatusField(Id(StatusFieldId::ClockField), "09:05:07", Qt::AlignRight);
}

TEST_F(LoopCommandsTest, EveryTurnStartsInTheAutoLocation) {
    SetFaultLocation(FaultLocation::Main);
    ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
    EXPECT_EQ(CurrentFaultLocation(), FaultLocation::Auto);
}

TEST_F(LoopCommandsTest, QuitCommandStillRunsTheFocusStepOfItsTurn) {
    // Focus lands in field 1 but no turn has looked at it yet.
    Field(ControlId::DryBulbField)->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(toolkit::FocusedControl(), 1);
    ASSERT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "Tdry=");

    RunTurn(State(), context, toolkit::MenuEvent, 30, 0);
    EXPECT_TRUE(State().quitRequested);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "");
}

TEST_F(LoopCommandsTest, LoopEndsAfterTheTurnOfTheExitMenu) {
    Choose(CommandId::MmhgCommand, "Данни от барометър в [mmHg]");
    QWidget* const window = Window(WindowId::MainWindow);
    ASSERT_NE(window, nullptr);
    QAction* exit = nullptr;
    for (QAction* action : window->findChildren<QAction*>()) {
        if (QString(action->text()).remove('&') == "Изход от програмата") {
            exit = action;
        }
    }
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    RunEventLoop(State(), context);
    EXPECT_TRUE(State().quitRequested);
    // Nothing else was undone on the way out.
    EXPECT_EQ(State().barometerUnit, BarometerUnit::Mmhg);
}

TEST_F(LoopCommandsTest, CloseBoxOfTheMainWindowEndsTheLoopButLeavesTheWindowToShutDown) {
    QWidget* const window = Window(WindowId::MainWindow);
    ASSERT_NE(window, nullptr);
    window->close();
    RunEventLoop(State(), context);
    EXPECT_TRUE(State().quitRequested);
    EXPECT_EQ(Window(WindowId::MainWindow), window);
}

} // namespace
