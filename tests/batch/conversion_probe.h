// Runs a logbook held in a string through ConvertLogbook and keeps what came out.
#pragma once

#include "batch/logbook_conversion.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

struct ConvertedText {
    ConversionReport report;
    std::string output;
};

// A scratch file in the temporary folder holding `content`, read from its start and
// removed at the end of the scope: fmemopen and open_memstream exist only on POSIX.
class ScratchStream {
  public:
    explicit ScratchStream(std::string_view content = {}) {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("zorvel-batch-probe-" + std::to_string(random()) + std::to_string(random()));
        file_ = std::fopen(path_.string().c_str(), "w+b");
        // An empty view may hold no pointer at all, which fwrite must never be given.
        if (file_ != nullptr && !content.empty()) {
            std::fwrite(content.data(), 1, content.size(), file_);
        }
        if (file_ != nullptr) {
            std::rewind(file_);
        }
    }
    ~ScratchStream() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchStream(const ScratchStream&) = delete;
    ScratchStream& operator=(const ScratchStream&) = delete;

    std::FILE* get() const { return file_; }
    // Everything written so far.
    std::string Contents() const {
        std::string bytes;
        if (file_ == nullptr || std::fflush(file_) != 0) {
            return bytes;
        }
        std::rewind(file_);
        char buffer[4096];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, file_)) > 0) {
            bytes.append(buffer, read);
        }
        return bytes;
    }

  private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

inline ConvertedText ConvertText(const std::string& input,
                                 const ConversionSettings& settings = {}) {
    const ScratchStream in(input);
    const ScratchStream out;
    ConvertedText converted;
    converted.report = ConvertLogbook(in.get(), out.get(), settings);
    converted.output = out.Contents();
    return converted;
}
