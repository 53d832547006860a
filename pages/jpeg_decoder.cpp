#include "pages/jpeg_decoder.h"

#include "pages/blank_picture.h"
#include "pages/jpeg_errors.h"

#include <cstddef>
#include <new>
#include <vector>

namespace {

struct Decompressor {
    jpeg_decompress_struct info{};
    ReturningErrorManager errors{};

    Decompressor() { info.err = InstallReturningErrors(errors, /*silent=*/true); }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

bool ChooseOutputColourSpace(jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        // The same colours as RGB output, delivered in the held B, G, R order, so the
        // rows need no reordering of our own.
        info.out_color_space = JCS_EXT_BGR;
        return true;
    case JCS_YCCK:
    case JCS_CMYK:
        info.out_color_space = JCS_CMYK;
        return true;
    default:
        return false;
    }
}

// Reads the header and starts decompression. False on any fatal libjpeg error or a
// file this program does not hold.
bool Start(Decompressor& decoder, std::span<const unsigned char> file) {
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !ChooseOutputColourSpace(info)) {
        return false;
    }
    info.dct_method = JDCT_ISLOW;
    info.scale_num = 1;
    info.scale_denom = 1;
    jpeg_calc_output_dimensions(&info);
    if (info.output_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        info.output_height > static_cast<JDIMENSION>(kMaxPictureSide)) {
        return false;
    }
    jpeg_start_decompress(&info);
    return true;
}

// Adobe applications store CMYK inverted, so each ink times the key over 255 is the
// colour channel itself.
void StoreCmykRow(const unsigned char* cmyk, unsigned char* bgr, int width) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int key = cmyk[3];
        bgr[0] = static_cast<unsigned char>(cmyk[2] * key / 255);
        bgr[1] = static_cast<unsigned char>(cmyk[1] * key / 255);
        bgr[2] = static_cast<unsigned char>(cmyk[0] * key / 255);
    }
}

// Streams the scanlines, top first, into the bottom-up picture and finishes.
bool ReadRows(Decompressor& decoder, LoadedImage& picture, std::vector<unsigned char>& scanline) {
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump)) {
        return false;
    }
    const bool cmyk = info.out_color_space == JCS_CMYK;
    while (info.output_scanline < info.output_height) {
        const int row = static_cast<int>(info.output_scanline);
        unsigned char* held = picture.pixels.data() +
                              static_cast<std::size_t>(picture.height - 1 - row) * picture.rowSize;
        // Colour rows land in the picture directly; CMYK rows go through the scanline
        // buffer to be converted.
        JSAMPROW target = cmyk ? scanline.data() : held;
        if (jpeg_read_scanlines(&info, &target, 1) != 1) {
            return false; // only a suspending source returns no line, and ours never does
        }
        if (cmyk) {
            StoreCmykRow(scanline.data(), held, picture.width);
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

std::optional<LoadedImage> DecodeJpeg(std::span<const unsigned char> file) {
    if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xD8) {
        return std::nullopt;
    }
    Decompressor decoder;
    if (!Start(decoder, file)) {
        return std::nullopt;
    }
    const int width = static_cast<int>(decoder.info.output_width);
    const int height = static_cast<int>(decoder.info.output_height);
    const int components = decoder.info.out_color_components;
    if ((components != 3 && components != 4) || decoder.info.output_components != components) {
        return std::nullopt;
    }
    std::optional<LoadedImage> picture = MakeBlankPicture(width, height);
    if (!picture) {
        return std::nullopt;
    }
    std::vector<unsigned char> scanline; // only CMYK rows need converting
    try {
        if (components == 4) {
            scanline.resize(static_cast<std::size_t>(width * components + 3) / 4 * 4);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!ReadRows(decoder, *picture, scanline)) {
        return std::nullopt;
    }
    return picture;
}
