// A mark that other programs can see while this one runs: the Windows installer and
// uninstaller look for it and leave the files of a running program alone. On Windows a
// named mutex (windows/running_mark.cpp); the Linux package has no such installer, and
// there the mark holds nothing (posix/running_mark.cpp).
#pragma once

class RunningMark {
  public:
    explicit RunningMark(const char* name);
    ~RunningMark();
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    void* handle_ = nullptr;
};
