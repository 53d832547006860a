#include "tests/shipping/command_runner.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sys/wait.h>

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    const std::string withErrors = command + " 2>&1";
    struct PipeCloser {
        int* status;
        void operator()(FILE* pipe) const { *status = pclose(pipe); }
    };
    int status = -1;
    {
        std::unique_ptr<FILE, PipeCloser> pipe(popen(withErrors.c_str(), "r"), PipeCloser{&status});
        if (!pipe) {
            return result;
        }
        std::array<char, 4096> buffer{};
        std::size_t got = 0;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
            result.output.append(buffer.data(), got);
        }
    }
    if (status != -1 && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}
