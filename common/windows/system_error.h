// The errno a Win32 error stands for, so that the file functions of both platforms report
// one set of errors (FailureOfError reads them). Only the Windows files include this header.
#pragma once

namespace common {

// EIO when the error has no closer match.
int ErrnoOfSystemError(unsigned long error);

} // namespace common
