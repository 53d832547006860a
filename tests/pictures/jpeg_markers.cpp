#include "jpeg_markers.h"

namespace {

constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kEoi = 0xD9;

bool IsRestart(std::uint8_t marker) {
    return marker >= 0xD0 && marker <= 0xD7;
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
