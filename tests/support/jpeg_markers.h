// The one marker reader of the tests: a marker-level walk of a JPEG file (every segment,
// the entropy-coded data up to the end-of-image marker) and what its segments say.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
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

// What the markers of a JPEG file say, as read from its segments.
struct JpegMarkers {
    bool startsWithSoi = false;
    bool endsWithEoi = false;
    int frameMarker = 0; // 0xC0 for baseline
    int precision = 0;
    int width = 0;
    int height = 0;
    struct Component {
        int id = 0;
        int horizontal = 0;
        int vertical = 0;
        int table = 0;
    };
    std::vector<Component> components;
    bool hasJfif = false;
    int jfifMajor = 0;
    int jfifMinor = 0;
    int densityUnit = -1;
    int densityX = 0;
    int densityY = 0;
    // Quantisation tables by slot, in natural (row by row) order.
    std::array<std::optional<std::array<int, 64>>, 4> quantisation;
    int huffmanTables = 0;
    int scans = 0;
    bool hasRestartInterval = false;
    bool hasComment = false;
    std::vector<int> otherAppMarkers;
};
// Nothing when the walk fails or a segment cannot be followed.
std::optional<JpegMarkers> ReadMarkers(std::span<const unsigned char> file);
