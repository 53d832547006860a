// Arbitrary bytes through the picture store's decoders: no read outside the data, no
// crash, and a loaded picture always has the shape the store promises.
#include "pages/picture_store.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// A frame header may announce up to 32767 x 32767 pixels (3 GB held); the store then
// allocates the whole picture, which is fine for the pictures the program carries but
// only measures the machine's memory here. Skip inputs that announce more than this.
constexpr std::uint64_t kMaxAnnouncedPixels = 40'000'000;

std::uint64_t BigEndian16(const std::uint8_t* at) {
    return (std::uint64_t{at[0]} << 8) | at[1];
}

std::uint64_t LittleEndian32(const std::uint8_t* at) {
    return std::uint64_t{at[0]} | (std::uint64_t{at[1]} << 8) | (std::uint64_t{at[2]} << 16) |
           (std::uint64_t{at[3]} << 24);
}

bool AnnouncesHugePicture(const std::uint8_t* bytes, std::size_t size) {
    if (size >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
        const std::uint64_t width = LittleEndian32(bytes + 18) & 0x7fffffff;
        std::uint64_t height = LittleEndian32(bytes + 22);
        height = (height & 0x80000000) ? (~height + 1) & 0xffffffff : height;
        if (width * height > kMaxAnnouncedPixels) {
            return true;
        }
    }
    // Any start-of-frame marker anywhere, whether or not the decoder would reach it.
    for (std::size_t at = 0; at + 9 <= size; ++at) {
        const std::uint8_t marker = bytes[at + 1];
        const bool frame = bytes[at] == 0xFF && marker >= 0xC0 && marker <= 0xCF &&
                           marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame &&
            BigEndian16(bytes + at + 5) * BigEndian16(bytes + at + 7) > kMaxAnnouncedPixels) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (AnnouncesHugePicture(bytes, size)) {
        return -1; // not worth keeping in the corpus
    }
    PictureStore store;
    constexpr int kId = 174;
    const ImageRef picture = store.Load(kId, std::span<const unsigned char>(bytes, size));
    Require(store.Find(kId) == picture, "the id holds exactly what the load returned");
    if (picture == nullptr) {
        Require(store.HeldCount() == 0, "a failed load leaves nothing held");
        return 0;
    }
    Require(picture->width > 0 && picture->height > 0, "a held picture has a size");
    Require(picture->depth == 24, "a held picture is 24-bit");
    Require(picture->rowSize == (picture->width * 3 + 3) / 4 * 4, "rows are padded to 4 bytes");
    const std::size_t expected = std::size_t(picture->rowSize) * std::size_t(picture->height);
    Require(picture->pixels.size() >= expected, "the pixel buffer covers every row");
    // Touch every byte so that the sanitizer sees any row left unallocated.
    unsigned checksum = 0;
    for (std::size_t i = 0; i < expected; ++i) {
        checksum += picture->pixels[i];
    }
    static volatile unsigned sink = 0;
    sink = sink + checksum;
    // Loading again under the same id replaces the picture; a failed load empties the id.
    const std::uint8_t notAPicture[2] = {'X', 'Y'};
    Require(store.Load(kId, std::span<const unsigned char>(notAPicture, 2)) == nullptr,
            "bytes that are neither BMP nor JPEG fail");
    Require(store.Find(kId) == nullptr && store.HeldCount() == 0, "a failed reload empties the id");
    return 0;
}
