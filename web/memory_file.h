// Streams over memory, so that code written for files (the conversion, the SVG writer)
// runs unchanged in the page.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Bytes written to Stream() end up in Take().
class MemoryOutput {
  public:
    MemoryOutput();
    ~MemoryOutput();
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;

    bool IsOpen() const { return stream_ != nullptr; }
    std::FILE* Stream() const { return stream_; }
    // Closes the stream and hands over what was written.
    std::string Take();

  private:
    std::FILE* stream_ = nullptr;
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
};

// Reads `size` bytes at `data`, which must outlive it.
class MemoryInput {
  public:
    MemoryInput(const unsigned char* data, std::size_t size);
    ~MemoryInput();
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    std::FILE* Stream() const { return stream_; }

  private:
    std::FILE* stream_ = nullptr;
};
