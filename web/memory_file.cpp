#include "web/memory_file.h"

#include <cstdlib>

MemoryOutput::MemoryOutput() : stream_(open_memstream(&buffer_, &size_)) {}

MemoryOutput::~MemoryOutput() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    std::free(buffer_);
}

std::string MemoryOutput::Take() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    std::string bytes(buffer_ != nullptr ? buffer_ : "", size_);
    std::free(buffer_);
    buffer_ = nullptr;
    size_ = 0;
    return bytes;
}

MemoryInput::MemoryInput(const unsigned char* data, std::size_t size) {
    // fmemopen refuses an empty buffer; an empty logbook is read from an empty file.
    static char nothing = 0;
    stream_ = size > 0 ? fmemopen(const_cast<unsigned char*>(data), size, "rb")
                       : fmemopen(&nothing, 1, "rb");
    if (size == 0 && stream_ != nullptr) {
        std::fgetc(stream_); // past the one byte, at the end
    }
}

MemoryInput::~MemoryInput() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
}
