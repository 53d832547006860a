// Files that a trapped fault must not leave behind, such as the temporary file of a save
// in progress. Their paths live in fixed buffers, since the fault handler may only read
// memory that needs no allocation or lock.
#pragma once

#include <string_view>

// Keeps one path registered while it lives. A path that does not fit a buffer, or more
// files at once than there are buffers, stay unregistered: the save still works, only a
// fault in its middle would leave the file behind.
class RemovedOnFault {
  public:
    RemovedOnFault() = default;
    ~RemovedOnFault() { Forget(); }
    RemovedOnFault(const RemovedOnFault&) = delete;
    RemovedOnFault& operator=(const RemovedOnFault&) = delete;

    // Registers path (and forgets the one registered before).
    void Register(std::string_view path);
    // The file is wanted after all (or already gone): a fault leaves it alone.
    void Forget();

  private:
    int slot_ = -1;
};

// Removes every registered file. Async-signal-safe: only unlink is called.
void RemoveRegisteredFilesAfterFault();
