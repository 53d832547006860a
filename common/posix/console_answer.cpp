#include "common/console_answer.h"

#include <cstdio>

bool WriteAnswer(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}
