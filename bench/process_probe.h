// Measuring whole programs: how long until their first window is on the X server, how
// much processor time they use, how much memory they peaked at.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A started program; killed and reaped when the object goes.
class ChildProgram {
  public:
    ChildProgram() = default;
    explicit ChildProgram(const std::vector<std::string>& command);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t pid() const { return pid_; }
    bool running() const { return pid_ > 0; }
    // Waits for the program to end by itself; returns its standard output.
    std::string WaitForOutput();

  private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Watches the X server named by DISPLAY for top-level windows being mapped.
class MapWatcher {
  public:
    MapWatcher();
    ~MapWatcher();
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool connected() const { return display_ != nullptr; }
    // Forgets windows mapped so far.
    void Drain();
    // Seconds until the next top-level window is mapped, or a negative value after
    // timeoutSeconds.
    double SecondsUntilMapped(double timeoutSeconds);

  private:
    struct _XDisplay* display_ = nullptr;
};

// Seconds since an arbitrary fixed point, monotonic.
double NowSeconds();
// Processor seconds a process has used so far, to the nanosecond, from the scheduler's
// account of every thread: fine enough for a start-up of a few tens of milliseconds and an
// idle program's few milliseconds a second. Negative when unknown.
double ProcessRunSeconds(pid_t pid);
// A "VmXXX:" value of /proc/<pid>/status in kB (e.g. "VmHWM", "VmRSS"); -1 when unknown.
long ProcessMemoryKb(pid_t pid, const std::string& field);
