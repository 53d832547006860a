#include "common/console_answer.h"
#include "lifecycle/fatal_error_trap.h"
#include "ui/start_program.h"
#include "zorvel_version.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view Usage =
    "Употреба: zorvel [--help | --version]\n"
    "Зорвел — психрометричен калкулатор: влажност на въздуха, точка на оросяване и\n"
    "налягане на водните пари по показанията на сух и мокър термометър.\n"
    "\n"
    "  --help     показва тази помощ и излиза\n"
    "  --version  показва версията и излиза\n"
    "\n"
    "Без тези две опции програмата отваря прозореца си; други аргументи не чете.\n";

// The two questions every Linux program answers on standard output without opening a
// display (and on Windows in the console it was started from); -1 when the command line
// asks neither. Nothing else on it is read.
int AnswerInformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        std::string answer;
        if (argument == "--version") {
            answer = std::string("zorvel ") + zorvel::FileVersion + "\n";
        } else if (argument == "--help") {
            answer = Usage;
        } else {
            continue;
        }
        // A full disk or a closed pipe is an answer lost, and says so in the status.
        return WriteAnswer(answer) ? 0 : 1;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // A copy of the program started by the fault trap only shows the fault's report.
    if (const int reportStatus = RunFatalReportIfAsked(argc, argv); reportStatus >= 0) {
        return reportStatus;
    }
    if (const int answerStatus = AnswerInformationRequest(argc, argv); answerStatus >= 0) {
        return answerStatus;
    }
    return StartProgram(argc, argv);
}
