// The calculator of one open page: what the window keeps between presses, and the texts
// and chart a press gives, for the page's script.
#pragma once

#include "calc/calculate_press.h"

#include <optional>
#include <string>
#include <string_view>

class CalculatorSession {
  public:
    // Whether the field the user entered is to be emptied first.
    bool Enter(InputField field) { return EnterField(input_, field); }

    // The press as JSON: {"kind":"none"}, {"kind":"refused","message":…,"field":n} or
    // {"kind":"accepted","inputs":[3 texts],"results":[5 texts]}; `field` and the inputs
    // follow InputField's order.
    std::string Press(std::string_view pressureText, std::string_view dryBulbText,
                      std::string_view wetBulbText, BarometerUnit unit, PsychrometerType type,
                      WetBulbCover cover);

    // What Clear does to the window's state: the fields start afresh, the chart keeps the
    // last calculation.
    void Clear() { input_ = InputState{}; }

    // The chart of the last accepted calculation (the empty one for `cover` before any), as
    // zorvel-batch writes its SVG.
    std::string ChartSvg() const;

  private:
    InputState input_;
    std::optional<AcceptedCalculation> last_;
};
