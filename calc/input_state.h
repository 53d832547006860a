// What the calculator remembers about its three input fields between presses.
#pragma once

#include <array>

// Index 0, 1, 2 stand for the input fields 1 (Tdry), 2 (Twet) and 3 (P/h).
struct InputState {
    std::array<bool, 3> emptiedOnEntry{};
    std::array<unsigned, 3> pressCount{};
    bool resultsCurrent = false;
};
