// The orderly end of the program.
#pragma once

#include <functional>

// What the caller owns that the end must release, in the toolkit-independent steps.
struct ShutDownSteps {
    // Releases the decoded pictures (the picture store). May be empty.
    std::function<void()> releaseImages;
};

// Releases everything in this order: the graphics probe's state (the Direct3D interface
// on Windows), the earlier fault handling given back (RemoveFatalErrorTrap), every
// window closed (the page viewer among them), the fonts, the open files flushed, the
// images (steps.releaseImages), then the toolkit itself.
void ReleaseEverything(const ShutDownSteps& steps);

// ReleaseEverything, then ends the process with exit status 0.
[[noreturn]] void ShutDown(const ShutDownSteps& steps);
