#include "lifecycle/graphics_probe.h"

#include "toolkit/toolkit.h"

int DefaultScreenDepth() {
    return toolkit::PrimaryScreenDepth();
}

bool DefaultProbeRunsOnAnyThread() {
    return false;
}

void ReleaseGraphicsProbe() {
    // The toolkit's answer holds nothing.
}
