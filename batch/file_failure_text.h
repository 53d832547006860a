// Why a logbook could not be read or a table written, in the words zorvel-batch tells its
// user.
#pragma once

#include "batch/row_messages.h"
#include "common/replacement_file.h"

#include <string>

// "не може да се запише: <reason>" (or its English), the reason told by `why`, or by the
// system's error number when the failure has no plain words of its own.
std::string WriteFailureText(ReplacementFile::Failure why, int error, MessageLanguage language);

// The same for a table whose temporary file could not be made beside it: a full disk
// there means no room for one more file (no inode or quota left).
std::string CreateFailureText(ReplacementFile::Failure why, int error, MessageLanguage language);

// The same for a file that could not be opened for reading.
std::string OpenFailureText(int error, MessageLanguage language);

// "входът не може да бъде прочетен" (or its English), with the reason when one is known.
std::string ReadFailureText(int error, MessageLanguage language);
