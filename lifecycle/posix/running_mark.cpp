#include "lifecycle/running_mark.h"

RunningMark::RunningMark(const char*) {
    // Nothing on Linux looks for it: the package manager does not ask a running program.
}

RunningMark::~RunningMark() = default;
