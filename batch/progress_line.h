// The line on standard error that tells a person at a terminal how far a long logbook has
// come. Pipes and log files get nothing: the line rewrites itself with carriage returns.
#pragma once

#include "batch/row_messages.h"

#include <cstdint>
#include <cstdio>

class ProgressLine {
  public:
    // Shown only when `err` is a terminal and `in` a regular file; `in` gives the size.
    ProgressLine(std::FILE* in, std::FILE* err, MessageLanguage language);
    // Ends the line when one was shown.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Update(std::uint64_t rows, std::uint64_t bytes);

  private:
    std::FILE* err_;
    const char* rowsWord_; // a literal, so terminated
    std::uint64_t fileBytes_ = 0;
    bool wanted_ = false;
    bool shown_ = false;
};
