// The error log "ErrorLog.dat": one entry of two lines per trapped fault, appended to
// what the file already holds. Everything here except CurrentUtcOffset is safe to call
// from a signal handler: no allocation, no locale, no locks.
#pragma once

#include "lifecycle/fixed_text.h"
#include "ui/toolkit/date.h"

#include <string_view>

using LogEntryText = FixedText<512>;

// The date as "dd/mm/yyyy / hh:ii": two digits with leading zeros, a four-digit year.
void AppendLogDate(toolkit::Date date, LogEntryText& out);

// "<date>\n<message>  в <location>\n".
void ComposeLogEntry(toolkit::Date date, std::string_view message, std::string_view location,
                     LogEntryText& entry);

// The local calendar's seconds (as toolkit::Date counts them) of this moment, from the
// realtime clock and a UTC offset found earlier: the local time zone cannot be asked
// inside a signal handler.
toolkit::Date LocalDateWithOffset(long utcOffsetSeconds);

// Seconds east of UTC now, in the local time zone. Not for a signal handler.
long CurrentUtcOffset();

// Appends the entry to the file with one write (created with mode 0666 less the umask
// when missing). Neither a symbolic link nor anything but a regular file is written, and
// a FIFO never blocks. False when the file could not be opened or the entry not written
// whole; a part written then is cut off again.
bool AppendToFile(const char* path, std::string_view entry);

// Appends the entry to "ErrorLog.dat" in the working directory, however long its path.
bool AppendToErrorLog(std::string_view entry);
