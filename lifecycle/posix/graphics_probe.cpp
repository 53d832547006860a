#include "lifecycle/graphics_probe.h"

#include "toolkit/toolkit.h"

int DefaultScreenDepth() {
    return toolkit::PrimaryScreenDepth();
}

void ReleaseGraphicsProbe() {
    // The toolkit's answer holds nothing.
}
