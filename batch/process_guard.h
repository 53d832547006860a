// What zorvel-batch sets up before it opens anything: the three standard descriptors, and
// the signals that must not leave a temporary file (or a half progress line) behind.
#pragma once

// Opens /dev/null on each of descriptors 0 to 2 that is closed, so that no file the
// program opens later takes its number; true when standard input was closed.
bool OpenClosedStandardStreams();

// SIGXFSZ is ignored (a write past the size limit then fails with EFBIG and is reported);
// SIGINT, SIGTERM and SIGHUP remove the files registered with RemovedOnFault, end an open
// progress line and end the process by the same signal, so its status says what ended it.
void InstallInterruptHandlers();

// Whether a progress line without its line end stands on standard error now.
void SetProgressLineOpen(bool open);
