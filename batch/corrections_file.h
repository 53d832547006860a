// The --corrections file: the calibration certificates of a station's thermometers as a
// small table, in any encoding and with any delimiter a logbook may have.
#pragma once

#include "batch/row_messages.h"
#include "batch/thermometer_corrections.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>

struct CorrectionsFileProblem {
    std::uint64_t line = 0;
    std::string text; // in the language asked for
};

// Columns thermometer/термометър (dry/сух or wet/мокър), reading/показание and
// correction/поправка in °C, and optionally from/от (the date from which that certificate
// holds). The file is taken whole or not at all: the first thing wrong in it is the answer.
std::variant<ThermometerCorrections, CorrectionsFileProblem>
ReadCorrectionsFile(std::FILE* in, MessageLanguage language);
