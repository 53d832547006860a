// A marker-level reading of a JPEG file: every segment up to the scan, then the
// entropy-coded data up to the end-of-image marker.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct JpegSegment {
    std::uint8_t marker = 0;        // the byte after FF
    std::vector<std::uint8_t> body; // without the marker and the length field
};

struct JpegLayout {
    std::vector<JpegSegment> segments; // SOI excluded, up to and including each SOS
    std::vector<std::uint8_t> stray;   // markers met inside entropy-coded data (not RSTn)
    int restartMarkers = 0;            // RST0..RST7 met inside entropy-coded data
    bool endsWithEoi = false;          // FF D9 is the last two bytes of the file
    std::size_t eoiOffset = 0;
};

// Walks the file; an error text when its structure cannot be followed.
std::optional<std::string> WalkJpeg(const std::vector<std::uint8_t>& file, JpegLayout& layout);
