// The temporary file a table is written to before it replaces its target: named after the
// target, so that one left behind by a killed run is found by the user and by the next run.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

// ".zorvel-batch-<name of the target>-"; the six random characters follow it.
std::string TemporaryPrefixFor(std::string_view target);

// Removes the files in `folder` named `prefix` and six more characters whose last change
// came before `runStart`, except `keep`: what a run killed beyond any cleanup (kill -9) left.
void RemoveStaleTemporaries(const std::string& folder, std::string_view prefix,
                            const timespec& runStart, const std::string& keep);
