#include "tests/support/jpeg_markers.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kEoi = 0xD9;

bool IsRestart(std::uint8_t marker) {
    return marker >= 0xD0 && marker <= 0xD7;
}

constexpr std::array<int, 64> kZigzagToNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

int Be16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] << 8 | bytes[at + 1];
}

// Reads one segment into markers; false when its contents cannot be followed.
bool ReadSegment(const JpegSegment& segment, JpegMarkers& markers) {
    const int marker = segment.marker;
    const std::span<const std::uint8_t> body = segment.body;
    if (marker == 0xE0 && body.size() >= 14 && std::equal(body.begin(), body.begin() + 5, "JFIF")) {
        markers.hasJfif = true;
        markers.jfifMajor = body[5];
        markers.jfifMinor = body[6];
        markers.densityUnit = body[7];
        markers.densityX = Be16(body, 8);
        markers.densityY = Be16(body, 10);
    } else if (marker >= 0xE0 && marker <= 0xEF) {
        markers.otherAppMarkers.push_back(marker);
    } else if (marker == 0xDB) {
        for (std::size_t t = 0; t + 65 <= body.size(); t += 65) {
            if ((body[t] >> 4) != 0) {
                return false; // 16-bit tables are not expected anywhere here
            }
            std::array<int, 64> natural{};
            for (int k = 0; k < 64; ++k) {
                natural[kZigzagToNatural[k]] = body[t + 1 + k];
            }
            markers.quantisation[body[t] & 3] = natural;
        }
    } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC) {
        markers.frameMarker = marker;
        markers.precision = body[0];
        markers.height = Be16(body, 1);
        markers.width = Be16(body, 3);
        for (int c = 0; c < body[5]; ++c) {
            const std::size_t p = 6 + 3 * static_cast<std::size_t>(c);
            markers.components.push_back(
                {body[p], body[p + 1] >> 4, body[p + 1] & 15, body[p + 2]});
        }
    } else if (marker == 0xC4) {
        std::size_t t = 0;
        while (t + 17 <= body.size()) {
            int count = 0;
            for (int i = 1; i <= 16; ++i) {
                count += body[t + i];
            }
            t += 17 + static_cast<std::size_t>(count);
            ++markers.huffmanTables;
        }
    } else if (marker == 0xDD) {
        markers.hasRestartInterval = true;
    } else if (marker == 0xFE) {
        markers.hasComment = true;
    } else if (marker == kSos) {
        ++markers.scans;
    }
    return true;
}

} // namespace

std::optional<std::string> WalkJpeg(const std::vector<std::uint8_t>& file, JpegLayout& layout) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
        return "no start-of-image marker";
    }
    std::size_t at = 2;
    while (true) {
        if (at + 4 > file.size()) {
            return "file ends inside the headers";
        }
        if (file[at] != 0xFF) {
            return "expected a marker at offset " + std::to_string(at);
        }
        const std::uint8_t marker = file[at + 1];
        if (marker == kEoi) {
            return "end-of-image before any scan";
        }
        const std::size_t length = (std::size_t{file[at + 2]} << 8) | file[at + 3];
        if (length < 2 || at + 2 + length > file.size()) {
            return "segment length runs past the file at offset " + std::to_string(at);
        }
        layout.segments.push_back(
            {marker, std::vector<std::uint8_t>(file.begin() + static_cast<long>(at + 4),
                                               file.begin() + static_cast<long>(at + 2 + length))});
        at += 2 + length;
        if (marker != kSos) {
            continue;
        }
        // Entropy-coded data: FF 00 is a stuffed byte, RSTn may appear, anything else ends it.
        while (at + 1 < file.size()) {
            if (file[at] != 0xFF) {
                ++at;
                continue;
            }
            const std::uint8_t next = file[at + 1];
            if (next == 0x00 || next == 0xFF) {
                at += next == 0x00 ? 2 : 1;
                continue;
            }
            if (IsRestart(next)) {
                ++layout.restartMarkers;
                at += 2;
                continue;
            }
            break;
        }
        if (at + 1 >= file.size()) {
            return "entropy-coded data runs to the end of the file";
        }
        if (file[at + 1] == kEoi) {
            layout.eoiOffset = at;
            layout.endsWithEoi = at + 2 == file.size();
            return std::nullopt;
        }
        layout.stray.push_back(file[at + 1]);
    }
}

std::optional<JpegMarkers> ReadMarkers(std::span<const unsigned char> file) {
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    JpegLayout layout;
    if (WalkJpeg(bytes, layout)) {
        return std::nullopt;
    }
    JpegMarkers markers;
    markers.startsWithSoi = true; // the walk insists on it
    markers.endsWithEoi = layout.endsWithEoi;
    for (const JpegSegment& segment : layout.segments) {
        if (!ReadSegment(segment, markers)) {
            return std::nullopt;
        }
    }
    return markers;
}
