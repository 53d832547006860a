#include "lifecycle/fatal_error_trap.h"

#include "toolkit/toolkit.h"

#include <cstdio>
#include <string>
#include <string_view>

int RunFatalReportIfAsked(int argc, char** argv) {
    if (argc != 4 || std::string_view(argv[1]) != FatalReportMarker) {
        return -1;
    }
    const std::string text = std::string("Грешката е: ") + argv[2] + " в " + argv[3];
    int toolkitArgc = 1; // the report's own arguments are not the toolkit's
    if (!toolkit::InitToolkit(toolkitArgc, argv)) {
        std::fprintf(stderr, "%s\n%s\n", std::string(FatalReportTitle).c_str(), text.c_str());
        return 0;
    }
    toolkit::MessageBox(FatalReportTitle, text, 0);
    toolkit::ShutDownToolkit();
    return 0;
}
