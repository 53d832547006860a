// A small program that starts like Зорвел, installs the fault trap and then faults on
// purpose, so the tests can watch the trap from outside.
//
//   fault_probe <fault> <place> [remove-working-directory]
//
// place: main (while the window is built), auto (in a loop turn), child (after the page
// viewer opened in that turn). fault "none" ends normally through ShutDown; "mid-save"
// faults while a save into "page.jpg" is half written.
#include "lifecycle/fatal_error_trap.h"
#include "lifecycle/fault_location.h"
#include "lifecycle/shutdown.h"
#include "pages/replacement_file.h"
#include "tests/support/message_box_hook.h"
#include "ui/toolkit/toolkit.h"

#include <cfenv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Keeps the compiler from seeing through the faulting operations.
volatile int zero = 0;
volatile int one = 1;
volatile int* volatile nowhere = nullptr;
volatile int recursionLimit = 1 << 30;

int Recurse(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (depth >= recursionLimit) {
        return frame[0];
    }
    return Recurse(depth + 1) + frame[0];
}

void ReadBeyondMappedFile() {
    const int fd = memfd_create("empty", 0);
    void* mapped = mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) {
        std::exit(4);
    }
    std::printf("%d\n", *static_cast<volatile int*>(mapped));
}

bool Fault(const std::string& kind) {
    if (kind == "null-write") {
        *nowhere = 1;
    } else if (kind == "int-divide") {
        std::printf("%d\n", one / zero);
    } else if (kind == "float-divide") {
        feenableexcept(FE_DIVBYZERO);
        volatile double divisor = zero;
        std::printf("%f\n", 1.0 / divisor);
    } else if (kind == "stack-overflow") {
        std::printf("%d\n", Recurse(0));
    } else if (kind == "illegal") {
        __builtin_trap();
    } else if (kind == "bus") {
        ReadBeyondMappedFile();
#if defined(__x86_64__)
    } else if (kind == "breakpoint") {
        asm volatile("int3");
    } else if (kind == "single-step") {
        asm volatile("pushfq; orq $0x100, (%%rsp); popfq; nop" ::: "memory", "cc");
#endif
    } else if (kind == "mid-save") {
        // Half a page written to the temporary file of a save, then the fault.
        ReplacementFile page("page.jpg");
        if (!page.IsOpen() || std::fputs("half a page", page.Stream()) < 0 ||
            std::fflush(page.Stream()) != 0) {
            std::exit(4);
        }
        *nowhere = 1;
    } else if (kind == "abort") {
        std::abort();
    } else if (kind == "kill-segv") {
        kill(getpid(), SIGSEGV);
    } else if (kind != "none") {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    UseMessageBoxLogFromEnvironment();
    if (const int status = RunFatalReportIfAsked(argc, argv); status >= 0) {
        return status;
    }
    if (argc < 3) {
        std::fputs("usage: fault_probe <fault> <main|auto|child> [remove-working-directory]\n",
                   stderr);
        return 2;
    }
    const std::string fault = argv[1];
    const std::string place = argv[2];
    const bool removeWorkingDirectory = argc > 3;
    int toolkitArgc = 1;
    if (!toolkit::InitToolkit(toolkitArgc, argv)) {
        return 3;
    }
    if (!InstallFatalErrorTrap()) {
        return 5;
    }
    toolkit::OpenWindow(0, 0, 0, 300, 200, "Зорвел", toolkit::TitleBar);
    if (place == "auto" || place == "child") {
        toolkit::PostEvent(toolkit::TimerEvent, 123, 0);
        toolkit::WaitEvent();
        SetFaultLocation(FaultLocation::Auto);
    }
    if (place == "child") {
        toolkit::OpenWindow(199, 0, 0, 200, 150, "Помагало", toolkit::TitleBar, 0);
        SetFaultLocation(FaultLocation::Child);
    }
    if (removeWorkingDirectory) {
        std::filesystem::remove(std::filesystem::current_path());
    }
    if (!Fault(fault)) {
        return 2;
    }
    ShutDown({.releaseImages = [] {
        // Leaves proof that the end ran, and in which state the trap was by then.
        if (std::FILE* file = std::fopen("shutdown.txt", "w")) {
            std::fputs(FatalErrorTrapInstalled() ? "trap still installed\n" : "trap removed\n",
                       file);
            std::fclose(file);
        }
    }});
}
