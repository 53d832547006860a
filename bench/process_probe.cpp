#include "bench/process_probe.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

ChildProgram::ChildProgram(const std::vector<std::string>& command) {
    int pipeEnds[2];
    if (command.empty() || pipe(pipeEnds) != 0) {
        return;
    }
    std::vector<char*> arguments;
    for (const std::string& word : command) {
        arguments.push_back(const_cast<char*>(word.c_str()));
    }
    arguments.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid_ < 0) {
        close(pipeEnds[0]);
        return;
    }
    output_ = pipeEnds[0];
}

ChildProgram::~ChildProgram() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) {
        close(output_);
    }
}

std::string ChildProgram::WaitForOutput() {
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while (output_ >= 0 &&
           ((got = read(output_, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    if (pid_ > 0) {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    return text;
}

MapWatcher::MapWatcher() : display_(XOpenDisplay(nullptr)) {
    if (display_ != nullptr) {
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, False);
    }
}

MapWatcher::~MapWatcher() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

void MapWatcher::Drain() {
    if (display_ == nullptr) {
        return;
    }
    XSync(display_, False);
    XEvent event;
    while (XPending(display_) > 0) {
        XNextEvent(display_, &event);
    }
}

double MapWatcher::SecondsUntilMapped(double timeoutSeconds) {
    if (display_ == nullptr) {
        return -1;
    }
    const double start = NowSeconds();
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                return NowSeconds() - start;
            }
        }
        const double left = timeoutSeconds - (NowSeconds() - start);
        if (left <= 0) {
            return -1;
        }
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left * 1000) + 1);
    }
}

double NowSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double ProcessRunSeconds(pid_t pid) {
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    long long nanoseconds = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu) {
            nanoseconds += onCpu;
        }
    }
    return error ? -1 : static_cast<double>(nanoseconds) * 1e-9;
}

long ProcessMemoryKb(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}
