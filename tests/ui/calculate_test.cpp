// The Calculate command on the real main window, driven as a user drives it: click or Tab
// into a field, type, press; between user actions the loop's turn empties a freshly
// entered field.
#include "internal/qt_state.h"
#include "tests/support/main_window_fixture.h"
#include "toolkit/toolkit.h"
#include "ui/calculate_command.h"
#include "ui/field_entry.h"
#include "ui/program_ids.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <array>
#include <string>

namespace {

using Texts = std::array<std::string, 3>;
using Results = std::array<std::string, 5>;

const Results SampleResults = {"14.3 [g/m3]", "81.0 [%]", "17.1  [°C]", "24.2 [hPa]", "19.6 [hPa]"};
const Results Placeholders = {"F [g/m3]", "RH [%]", "Td  [°C]", "E [hPa]", "е [hPa]"};
const std::string PressureMessage = "Проблем!|Има грешка при стойността на налягането";

class CalculateTest : public MainWindowTest {
  protected:
    // One turn of the loop as far as this command is concerned.
    void Turn() {
        QCoreApplication::processEvents();
        EmptyFieldOnEntry(State().input);
    }

    void EnterByMouse(int id) {
        ASSERT_NE(Field(id), nullptr);
        QTest::mouseClick(Field(id), Qt::LeftButton);
        Turn();
        ASSERT_EQ(toolkit::FocusedControl(), id);
    }

    void EnterByTab(int expectedId) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Turn();
        ASSERT_EQ(toolkit::FocusedControl(), expectedId);
    }

    void Type(const char* text) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), text);
        Turn();
    }

    void Retype(const char* text) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Type(text);
    }

    bool Press() {
        return CalculatePressed(State().input, State().barometerUnit, State().psychrometerType)
            .has_value();
    }

    void TypeIntoFreshFields(const char* dry, const char* wet, const char* pressure) {
        EnterByMouse(1);
        Type(dry);
        EnterByTab(2);
        Type(wet);
        EnterByTab(3);
        Type(pressure);
    }

    static Texts Inputs() {
        return {toolkit::GetControlText(Id(ControlId::DryBulbField)),
                toolkit::GetControlText(Id(ControlId::WetBulbField)),
                toolkit::GetControlText(Id(ControlId::PressureField))};
    }

    static Results Outputs() {
        Results texts;
        for (int id = 4; id <= 8; ++id) {
            texts[id - 4] = toolkit::GetControlText(id);
        }
        return texts;
    }
};

TEST_F(CalculateTest, SampleReadingsAreWrittenBackWithUnitsAndGiveTheWorkedExample) {
    EnterByMouse(1);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "");
    Type("20.5");
    EnterByTab(2);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::WetBulbField)), "");
    Type("18.3");
    EnterByTab(3);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::PressureField)), "");
    Type("981.1");
    EXPECT_EQ(State().input.pressCount, (std::array<unsigned, 3>{0, 0, 0}));

    EXPECT_TRUE(Press());
    EXPECT_EQ(Inputs(), (Texts{"20.5   [°C]", "18.3   [°C]", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), SampleResults);
    EXPECT_TRUE(State().input.resultsCurrent);
    EXPECT_EQ(State().input.emptiedOnEntry, (std::array<bool, 3>{false, false, false}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CalculateTest, EnterInTheLastFieldCalculatesAndKeepsWhatWasTyped) {
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    QTest::keyClick(Field(ControlId::PressureField), Qt::Key_Return);
    QCoreApplication::processEvents();
    bool pressed = false;
    while (!toolkit::State().events.Empty()) {
        if (toolkit::WaitEvent() == toolkit::ControlEvent && toolkit::EventObject() == 45) {
            pressed = true;
            EXPECT_TRUE(Press());
        }
        Turn();
    }
    EXPECT_TRUE(pressed);
    // The turns after the press leave the inputs as written back, as after a click.
    EXPECT_EQ(Inputs(), (Texts{"20.5   [°C]", "18.3   [°C]", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), SampleResults);
    EXPECT_TRUE(State().input.resultsCurrent);
}

TEST_F(CalculateTest, NonAspiratedPsychrometerLowersTheVapourPressure) {
    State().psychrometerType = PsychrometerType::NonAspirated;
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    EXPECT_TRUE(Press());
    EXPECT_EQ(Outputs(),
              (Results{"13.2 [g/m3]", "75.2 [%]", "15.9  [°C]", "24.2 [hPa]", "18.2 [hPa]"}));
}

TEST_F(CalculateTest, SecondPressWithoutEnteringAFieldChangesNothing) {
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    ASSERT_TRUE(Press());
    const Texts inputs = Inputs();
    const Results outputs = Outputs();

    // Not even another unit or type wakes it up: only entering a field or Clear does.
    State().barometerUnit = BarometerUnit::Mmhg;
    EXPECT_FALSE(Press());
    State().barometerUnit = BarometerUnit::Hpa;
    EXPECT_FALSE(Press());
    EXPECT_EQ(Inputs(), inputs);
    EXPECT_EQ(Outputs(), outputs);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(State().input.pressCount, (std::array<unsigned, 3>{3, 3, 3}));
}

TEST_F(CalculateTest, ReEnteringOnlyTheDryBulbAddsItsUnitOnceAndKeepsTheOthers) {
    TypeIntoFreshFields("22", "18.3", "981.1");
    ASSERT_TRUE(Press());
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "22   [°C]");

    EnterByMouse(1);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "");
    EXPECT_FALSE(State().input.resultsCurrent);
    Type("20.5");
    EXPECT_TRUE(Press());
    EXPECT_EQ(Inputs(), (Texts{"20.5   [°C]", "18.3   [°C]", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), SampleResults);
}

TEST_F(CalculateTest, CorrectionsAfterAMessageAreWrittenBackWithoutUnits) {
    TypeIntoFreshFields("18.3", "20.5", "981.1");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Проблем!|Има грешка при въвеждането на стойностите на сухия и "
                              "мокрия термометър"}));
    EXPECT_EQ(Inputs(), (Texts{"18.3", "20.5", "981.1"}));
    EXPECT_EQ(Outputs(), Placeholders);
    EXPECT_FALSE(State().input.resultsCurrent);

    // Already emptied since the last success: entering keeps what the user typed.
    EnterByMouse(1);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "18.3");
    Retype("20.5");
    EnterByTab(2);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::WetBulbField)), "20.5");
    Retype("18.3");

    EXPECT_TRUE(Press());
    EXPECT_EQ(Inputs(), (Texts{"20.5", "18.3", "981.1"}));
    EXPECT_EQ(Outputs(), SampleResults);
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(CalculateTest, AltitudeFirstPressRefusesThePlaceholders) {
    // "P/h=" holds no number; it once read as 0 m and gave a full set of results.
    State().barometerUnit = BarometerUnit::Altitude;
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Проблем!|Има грешка при надморската височина"}));
    EXPECT_EQ(Inputs(), (Texts{"Tdry=", "Twet=", "P/h="}));
    EXPECT_EQ(Outputs(), Placeholders);
    EXPECT_FALSE(State().input.resultsCurrent);
}

TEST_F(CalculateTest, DecimalCommasAreRefusedAndNotWrittenBack) {
    TypeIntoFreshFields("20,5", "18,3", "981.1");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Проблем!|Има грешка при стойността на сухия термометър"}));
    EXPECT_EQ(Inputs(), (Texts{"20,5", "18,3", "981.1"}));
    EXPECT_EQ(Outputs(), Placeholders);

    EnterByMouse(1);
    Retype("20.5");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages().back(), "Проблем!|Има грешка при стойността на мокрия термометър");
    EnterByMouse(2);
    Retype("18.3");
    EXPECT_TRUE(Press());
    EXPECT_EQ(Outputs(), SampleResults);
}

TEST_F(CalculateTest, ImpossibleReadingsEndInTheBoxWithNothingWritten) {
    // No air gives a wet bulb 20 degrees below a dry bulb of 30 at sea level: е would be
    // -1.7 hPa, RH -3.9 % and the dew point no number.
    TypeIntoFreshFields("30", "10", "1013.25");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Проблем!|Има грешка при въвеждането на стойностите на сухия и "
                              "мокрия термометър"}));
    EXPECT_EQ(Inputs(), (Texts{"30", "10", "1013.25"}));
    EXPECT_EQ(Outputs(), Placeholders);
    EXPECT_FALSE(State().input.resultsCurrent);
    EXPECT_EQ(State().input.emptiedOnEntry, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(State().input.pressCount, (std::array<unsigned, 3>{1, 1, 1}));

    // Corrected, the next press calculates; the fields are written back without units
    // (their counts are at 2), as after any failed check.
    EnterByMouse(2);
    Retype("20");
    EXPECT_TRUE(Press());
    EXPECT_EQ(Inputs(), (Texts{"30", "20", "1013.25"}));
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(CalculateTest, ImpossibleReadingsAfterResultsKeepTheOldResults) {
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    ASSERT_TRUE(Press());
    EnterByMouse(2);
    Type("-30");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Inputs(), (Texts{"20.5   [°C]", "-30", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), SampleResults);
    EXPECT_EQ(Messages().size(), 1u);
}

// At a dry bulb of 30 °C and 1013.25 hPa, the nearest readings on either side of е = 0:
// typed with one decimal, and as adjacent single-precision values.
TEST_F(CalculateTest, TheNearestReadingsOnEitherSideOfNoVapour) {
    struct Case {
        PsychrometerType type;
        const char* impossible;
        const char* possible;
    };
    const Case cases[] = {
        {PsychrometerType::Aspirated, "11", "11.1"},
        {PsychrometerType::Aspirated, "11.0885668", "11.0885677"},
        {PsychrometerType::NonAspirated, "16.3", "16.4"},
        {PsychrometerType::NonAspirated, "16.3547134", "16.3547153"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.possible);
        Rebuild();
        State().psychrometerType = c.type;
        const std::size_t before = Messages().size();

        TypeIntoFreshFields("30", c.impossible, "1013.25");
        EXPECT_FALSE(Press());
        ASSERT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(Messages().back(), "Проблем!|Има грешка при въвеждането на стойностите на "
                                     "сухия и мокрия термометър");
        EXPECT_EQ(Outputs(), Placeholders);

        EnterByMouse(2);
        Retype(c.possible);
        EXPECT_TRUE(Press());
        EXPECT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(toolkit::GetControlText(Id(ControlId::SaturationPressureField)), "42.5 [hPa]");
        EXPECT_NE(toolkit::GetControlText(Id(ControlId::DewPointField)), "NaN  [°C]");
    }
}

TEST_F(CalculateTest, HpaFirstPressWithoutEnteringAnyFieldIsRejected) {
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(), (std::vector<std::string>{PressureMessage}));
    EXPECT_EQ(Inputs(), (Texts{"Tdry=", "Twet=", "P/h="}));
    EXPECT_EQ(Outputs(), Placeholders);
}

TEST_F(CalculateTest, PressureUnitTextFollowsTheSelectedUnit) {
    State().barometerUnit = BarometerUnit::Mbar;
    TypeIntoFreshFields("20.5", "18.3", "1000");
    ASSERT_TRUE(Press());
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::PressureField)), "1000  [mB]");

    State().barometerUnit = BarometerUnit::Altitude;
    EnterByMouse(3);
    Type("1500");
    ASSERT_TRUE(Press());
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::PressureField)), "1500  [m]");

    State().barometerUnit = BarometerUnit::Mmhg;
    EnterByMouse(3);
    Type("736");
    ASSERT_TRUE(Press());
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::PressureField)), "736  [mmHg]");
    // Fields left alone keep the unit they got once.
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "20.5   [°C]");
}

TEST_F(CalculateTest, SwitchingToMmhgReReadsTheHpaTextAndRejectsIt) {
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    ASSERT_TRUE(Press());
    const Results outputs = Outputs();

    State().barometerUnit = BarometerUnit::Mmhg;
    EnterByMouse(1);
    Type("20.5");
    EXPECT_FALSE(Press());
    EXPECT_EQ(Messages(), (std::vector<std::string>{PressureMessage}));
    EXPECT_EQ(Inputs(), (Texts{"20.5", "18.3   [°C]", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), outputs);
}

TEST_F(CalculateTest, FocusOutsideTheInputFieldsEmptiesNothing) {
    QTest::mouseClick(Field(ControlId::AbsoluteHumidityField), Qt::LeftButton);
    Turn();
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::AbsoluteHumidityField)), "F [g/m3]");
    EXPECT_EQ(Inputs(), (Texts{"Tdry=", "Twet=", "P/h="}));
    EXPECT_EQ(State().input.emptiedOnEntry, (std::array<bool, 3>{false, false, false}));

    // A field is emptied once; staying in it for more turns keeps the typing.
    EnterByMouse(2);
    Type("1");
    Turn();
    Turn();
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::WetBulbField)), "1");
}

TEST_F(CalculateTest, ClearAfterAMessageLeavesFieldsThatEmptyOnEntryAsAtTheStart) {
    EnterByMouse(1);
    Type("20,5");
    EXPECT_FALSE(Press());
    Rebuild();
    EXPECT_EQ(Inputs(), (Texts{"Tdry=", "Twet=", "P/h="}));
    EXPECT_EQ(State().input.pressCount, (std::array<unsigned, 3>{0, 0, 0}));
    // Emptied on entry although it had been before the press, so "20.5" stands alone.
    EnterByMouse(1);
    Type("20.5");
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::DryBulbField)), "20.5");
}

TEST_F(CalculateTest, AfterARefusalTheFieldItIsAboutHasTheFocusAndItsTextSelected) {
    // Pressure blank and out of range, Tdry, Twet blank, their order, no air gives them.
    const Texts typed[] = {{"20.5", "18.3", " "},     {"20.5", "18.3", "500"},
                           {"20,5", "18.3", "981.1"}, {"20.5", " ", "981.1"},
                           {"18.3", "20.5", "981.1"}, {"30", "10", "1013.25"}};
    const int about[] = {3, 3, 1, 2, 2, 2};
    for (int i = 0; i < 6; ++i) {
        Rebuild();
        TypeIntoFreshFields(typed[i][0].c_str(), typed[i][1].c_str(), typed[i][2].c_str());
        Showing("Изчисли")->setFocus(); // as a click on it does
        EXPECT_FALSE(Press());
        ASSERT_EQ(toolkit::FocusedControl(), about[i]) << i;
        Turn();
        Type("7"); // over the whole text
        EXPECT_EQ(Field(about[i])->text(), "7") << i;
    }
}

TEST_F(CalculateTest, ClearAfterACalculationRestoresPlaceholdersAndAllowsANewPress) {
    TypeIntoFreshFields("20.5", "18.3", "981.1");
    ASSERT_TRUE(Press());
    Rebuild();
    EXPECT_FALSE(State().input.resultsCurrent);
    EXPECT_EQ(Inputs(), (Texts{"Tdry=", "Twet=", "P/h="}));
    EXPECT_EQ(Outputs(), Placeholders);

    TypeIntoFreshFields("20.5", "18.3", "981.1");
    EXPECT_TRUE(Press());
    EXPECT_EQ(Inputs(), (Texts{"20.5   [°C]", "18.3   [°C]", "981.1  [hPa]"}));
    EXPECT_EQ(Outputs(), SampleResults);
}

} // namespace
