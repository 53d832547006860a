// Runs a logbook held in a string through ConvertLogbook and keeps what came out.
#pragma once

#include "batch/logbook_conversion.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

struct ConvertedText {
    ConversionReport report;
    std::string output;
};

// `input` must not be empty (fmemopen wants a buffer).
inline ConvertedText ConvertText(std::string input, const ConversionSettings& settings = {}) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    char* bytes = nullptr;
    std::size_t size = 0;
    ConvertedText converted;
    {
        const std::unique_ptr<std::FILE, Closer> in(fmemopen(input.data(), input.size(), "rb"));
        const std::unique_ptr<std::FILE, Closer> out(open_memstream(&bytes, &size));
        converted.report = ConvertLogbook(in.get(), out.get(), settings);
    }
    converted.output.assign(bytes, size);
    std::free(bytes);
    return converted;
}
