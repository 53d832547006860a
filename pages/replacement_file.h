// A file written beside its target and moved over it only once it is complete, so that
// a failed write never destroys what the target held.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class ReplacementFile {
  public:
    // Creates the temporary file in the target's folder. Check IsOpen before writing.
    explicit ReplacementFile(std::string_view targetPath);
    // Removes the temporary file unless Commit succeeded.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool IsOpen() const { return stream_ != nullptr; }
    // Where to write; valid while IsOpen.
    std::FILE* Stream() const { return stream_; }

    // Flushes the written bytes to the disk, closes the file and renames it over the
    // target. True only when every step succeeded; otherwise the target is untouched.
    bool Commit();

  private:
    void Discard();

    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};
