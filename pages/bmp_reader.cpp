#include "pages/bmp_reader.h"

#include "pages/blank_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kNoCompression = 0;

std::uint16_t Read16(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Read32(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t ReadSigned32(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::int32_t>(Read32(bytes, at));
}

} // namespace

std::optional<LoadedImage> ReadBmp(std::span<const unsigned char> file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t fileSize = Read32(file, 2);
    const std::uint32_t pixelOffset = Read32(file, 10);
    const std::uint32_t infoSize = Read32(file, 14);
    const std::int32_t width = ReadSigned32(file, 18);
    const std::int32_t signedHeight = ReadSigned32(file, 22);
    const std::uint16_t planes = Read16(file, 26);
    const std::uint16_t bitsPerPixel = Read16(file, 28);
    const std::uint32_t compression = Read32(file, 30);

    // Later header versions only add fields after the first 40 bytes.
    if (infoSize < kInfoHeaderSize || planes != 1 || bitsPerPixel != 24 ||
        compression != kNoCompression) {
        return std::nullopt;
    }
    if (width < 1 || width > kMaxPictureSide || signedHeight == 0 ||
        signedHeight < -kMaxPictureSide || signedHeight > kMaxPictureSide) {
        return std::nullopt;
    }
    const bool topDown = signedHeight < 0;
    const int height = topDown ? -signedHeight : signedHeight;

    const std::uint64_t headersEnd = kFileHeaderSize + std::uint64_t{infoSize};
    const std::uint64_t rowSize = static_cast<std::uint64_t>(HeldRowSize(width));
    const std::uint64_t pixelsEnd = pixelOffset + rowSize * static_cast<std::uint64_t>(height);
    if (pixelOffset < headersEnd || pixelsEnd > file.size()) {
        return std::nullopt;
    }
    // Some writers leave the size field 0; a non-zero one must cover the rows and lie
    // within the data, or the file is cut short or inconsistent.
    if (fileSize != 0 && (fileSize < pixelsEnd || fileSize > file.size())) {
        return std::nullopt;
    }

    std::optional<LoadedImage> picture = MakeBlankPicture(width, height);
    if (!picture) {
        return std::nullopt;
    }
    const unsigned char* rows = file.data() + pixelOffset;
    if (!topDown) {
        // The held layout is the BMP layout.
        std::copy_n(rows, picture->pixels.size(), picture->pixels.data());
        return picture;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(picture->pixels.data() + (height - 1 - row) * rowSize, rows + row * rowSize,
                    rowSize);
    }
    return picture;
}
