#include "calc/humidity_model.h"
#include "calc/humidity_route.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

constexpr auto Aspirated = PsychrometerType::Aspirated;
constexpr auto NonAspirated = PsychrometerType::NonAspirated;

using Values = std::array<float, 5>; // F, RH, Td, E, е

Values ValuesOf(const HumidityResult& r) {
    return {r.absoluteHumidity, r.relativeHumidity, r.dewPoint, r.saturationPressure,
            r.vapourPressure};
}

// Bit-exact values of humidity_reference.py with `ice`. Over water the first reading gives
// RH 68.6, the third 40.5 (aspirated); E is the same on both routes.
TEST(IceBulbModel, MatchesTheReference) {
    struct Case {
        struct {
            float dryBulb, wetBulb, pressure;
            PsychrometerType type;
        } in;
        Values expected;
    };
    const Case cases[] = {
        {{-10, -11, 1013.25f, Aspirated},
         {1.44517207f, 61.6571274f, -15.9477663f, 2.88385439f, 1.7781018f}},
        {{-10, -11, 1013.25f, NonAspirated},
         {0.978168607f, 41.7327957f, -20.5263252f, 2.88385439f, 1.20351303f}},
        {{-3.3f, -6.2f, 973, Aspirated},
         {1.53851652f, 40.2882195f, -14.866662f, 4.81808043f, 1.94111884f}},
        {{-3.3f, -6.2f, 973, NonAspirated},
         {0.270276725f, 7.07757664f, -34.0873795f, 4.81808043f, 0.341003329f}},
        // At exactly 0 °C ice and water saturate alike; only the smaller coefficient acts.
        {{2, 0, 1000, Aspirated},
         {3.83690882f, 69.6189651f, -2.96330166f, 7.09000111f, 4.93598557f}},
        // Equal readings: air saturated over ice is not saturated over water.
        {{-10, -10, 1013.25f, Aspirated},
         {2.12212014f, 90.5385895f, -11.248395f, 2.88385439f, 2.61100101f}},
        {{-30, -30, 640, NonAspirated},
         {0.335627586f, 74.3126373f, -33.0735893f, 0.51347971f, 0.381580323f}},
    };
    for (const auto& [in, expected] : cases) {
        EXPECT_EQ(ValuesOf(ComputeHumidityIceBulb(in.dryBulb, in.wetBulb, in.pressure, in.type)),
                  expected)
            << in.dryBulb << " / " << in.wetBulb << " / " << in.pressure;
        // The type's A0 given as a station's own coefficient gives the same bits.
        const float a0 = in.type == Aspirated ? 0.000684f : 0.001328f;
        EXPECT_EQ(ValuesOf(ComputeHumidityIceBulbWithCoefficient(in.dryBulb, in.wetBulb,
                                                                 in.pressure, a0)),
                  expected);
    }
}

// The message that refuses the reading on the ice route, empty when it is accepted.
std::string_view Refusal(float dryBulb, float wetBulb, float pressure, PsychrometerType type) {
    InputReadings in;
    in.dryBulb = dryBulb;
    in.wetBulb = wetBulb;
    in.pressure = pressure;
    const HumidityOutcome outcome = ComputeCheckedHumidity(in, type, WetBulbCover::Ice);
    const auto* message = std::get_if<std::string_view>(&outcome);
    return message == nullptr ? std::string_view() : *message;
}

TEST(IceBulbRoute, RefusesImpossibleReadingsFirstThenAnIcedBulbAboveZero) {
    // The nearest single-precision wet bulbs on either side of е = 0 over ice.
    EXPECT_EQ(Refusal(0, -6.04602003f, 1013.25f, Aspirated), ImpossibleReadingsMessage);
    EXPECT_EQ(Refusal(0, -6.04601955f, 1013.25f, Aspirated), "");

    const float justAboveZero = std::numeric_limits<float>::denorm_min();
    EXPECT_EQ(Refusal(1, justAboveZero, 1000, Aspirated), IceBulbAboveZeroMessage);
    EXPECT_EQ(Refusal(1, 0, 1000, Aspirated), "");
    EXPECT_EQ(Refusal(1, -0.0f, 1000, Aspirated), "");
    EXPECT_EQ(Refusal(50, 5, 1150, NonAspirated), ImpossibleReadingsMessage);
}

} // namespace
