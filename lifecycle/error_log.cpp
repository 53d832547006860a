#include "lifecycle/error_log.h"

void AppendLogDate(common::Date date, LogEntryText& out) {
    const common::CivilTime t = common::SplitDate(date);
    out.AppendNumber(t.day, 2);
    out.Append('/');
    out.AppendNumber(t.month, 2);
    out.Append('/');
    out.AppendNumber(t.year, 4);
    out.Append(" / ");
    out.AppendNumber(t.hour, 2);
    out.Append(':');
    out.AppendNumber(t.minute, 2);
}

void ComposeLogEntry(common::Date date, std::string_view message, std::string_view location,
                     LogEntryText& entry) {
    AppendLogDate(date, entry);
    entry.Append('\n');
    entry.Append(message);
    entry.Append("  в ");
    entry.Append(location);
    entry.Append('\n');
}
