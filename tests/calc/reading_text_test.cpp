// The well-formedness rule ReadInputs applies to each input text.
#include "calc/reading_text.h"

#include "calc/input_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enum ReadingTextForm;

struct Case {
    std::string text;
    ReadingTextForm form;
};

void ExpectForms(const std::initializer_list<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyReadingText(c.text), c.form) << '"' << c.text << '"';
    }
}

TEST(ClassifyReadingText, PlainNumbersAsParseDecimalReadsThem) {
    ExpectForms({
        {"20.5", WellFormed},
        {"0", WellFormed},
        {"-18.3", WellFormed},
        {"+5", WellFormed},
        {".5", WellFormed},
        {"5.", WellFormed},
        {"-.5", WellFormed},
        {"007.50", WellFormed},
        {"1e1", WellFormed},
        {"1E-2", WellFormed},
        {"1e+2", WellFormed},
        {"0.1e5", WellFormed},
        {"1e999", WellFormed}, // reads as infinity and fails its range check
    });
}

TEST(ClassifyReadingText, WhiteSpaceAroundTheNumber) {
    ExpectForms({
        {" 20.5", WellFormed},
        {"\t\n\v\f\r20.5", WellFormed},
        {"20.5 ", WellFormed},
        {"  20.5\t", WellFormed},
        {"\xC2\xA0"
         "20.5",
         NotWellFormed}, // a no-break space is not white space to ParseDecimal
    });
}

TEST(ClassifyReadingText, EveryUnitTextTheCalculatorWritesBack) {
    ExpectForms({
        {"20.5   [°C]", WellFormed},
        {"981.1  [hPa]", WellFormed},
        {"1000  [mB]", WellFormed},
        {"736  [mmHg]", WellFormed},
        {"1500  [m]", WellFormed},
        // No space is needed before the unit, and space may follow it.
        {"20.5[°C]", WellFormed},
        {" 20.5 [°C] ", WellFormed},
        // Units are not checked against the field: the unit may have been switched since.
        {"20.5  [hPa]", WellFormed},
        {"981.1   [°C]", WellFormed},
    });
}

TEST(ClassifyReadingText, AnythingElseAfterTheNumber) {
    ExpectForms({
        {"20.5 abc", NotWellFormed},
        {"20.5°C", NotWellFormed},
        {"20.5 °C", NotWellFormed},
        {"20.5 [mBar]", NotWellFormed},
        {"20.5 [hpa]", NotWellFormed},
        {"20.5 [°C", NotWellFormed},
        {"20.5 [°C] [°C]", NotWellFormed},
        {"20.5 [°C]x", NotWellFormed},
        {"20.5 [m] [°C]", NotWellFormed},
        {"1.2.3", NotWellFormed},
        {"5e2.5", NotWellFormed},
        {"1e", NotWellFormed},
        {"1e+", NotWellFormed},
        {"2.5e [m]", NotWellFormed},
        {"1e+2x", NotWellFormed},
        {"20 5", NotWellFormed},
        {std::string("20.5\0", 5), NotWellFormed},
    });
}

TEST(ClassifyReadingText, DecimalCommasLettersAndPlaceholders) {
    ExpectForms({
        {"20,5", NotWellFormed},
        {"981,1", NotWellFormed},
        {"1,500", NotWellFormed},
        {"abc", NotWellFormed},
        {"xyz", NotWellFormed},
        {"Tdry=", NotWellFormed},
        {"Twet=", NotWellFormed},
        {"P/h=", NotWellFormed},
        {"[°C]", NotWellFormed},
        {"  [hPa]", NotWellFormed},
        {".", NotWellFormed},
        {"-", NotWellFormed},
        {"+-1", NotWellFormed},
        {"- 1", NotWellFormed},
        {".e5", NotWellFormed},
        {"0x10", NotWellFormed},
        {"$BB8", NotWellFormed},
        {"%101", NotWellFormed},
    });
}

TEST(ClassifyReadingText, EmptyOrWhiteSpaceOnlyIsBlank) {
    ExpectForms({
        {"", Blank},
        {" ", Blank},
        {"   ", Blank},
        {"\t\r\n", Blank},
        {"\xC2\xA0", NotWellFormed},
    });
}

TEST(ClassifyReadingText, SpecialWordsOnlyAloneInAnyCase) {
    ExpectForms({
        {"+Infinity", WellFormed},
        {"-Infinity", WellFormed},
        {"NaN", WellFormed},
        {"+iNFINITY", WellFormed},
        {"nan", WellFormed},
        {" NaN", NotWellFormed},
        {"NaN ", NotWellFormed},
        {"+Infinity  [hPa]", NotWellFormed},
        {"Infinity", NotWellFormed},
        {"inf", NotWellFormed},
        {"-inf", NotWellFormed},
    });
}

// A well-formed text reads as its number alone: what follows it changes nothing.
TEST(ClassifyReadingText, AWellFormedTextReadsAsItsNumber) {
    for (const char* number : {"20.5", "-3", ".5", "1e1", "5."}) {
        for (const char* rest : {"", " ", "   [°C]", "  [hPa]", "  [mB]", "  [mmHg]", "  [m]"}) {
            const std::string text = std::string(" ") + number + rest;
            ASSERT_EQ(ClassifyReadingText(text), WellFormed) << text;
            EXPECT_EQ(ParseDecimal(text), ParseDecimal(number)) << text;
        }
    }
}

} // namespace
