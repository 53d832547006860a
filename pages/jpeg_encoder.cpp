#include "pages/jpeg_encoder.h"

#include "pages/jpeg_errors.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

namespace {

struct Compressor {
    jpeg_compress_struct info{};
    ReturningErrorManager errors{};

    Compressor() {
        // Warnings still go to the standard error stream; traces never do.
        info.err = InstallReturningErrors(errors, /*silent=*/false);
        info.err->trace_level = -1;
    }
    ~Compressor() { jpeg_destroy_compress(&info); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

bool Encode(Compressor& encoder, const toolkit::PixelView& picture, int quality, std::FILE* file,
            std::vector<unsigned char>& rgbRow) {
    jpeg_compress_struct& info = encoder.info;
    if (setjmp(encoder.errors.jump)) {
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, FALSE);
    jpeg_start_compress(&info, TRUE);
    for (int row = 0; row < picture.height; ++row) {
        const unsigned char* bgr =
            picture.bottomUpBgr + static_cast<std::size_t>(picture.height - 1 - row) *
                                      static_cast<std::size_t>(picture.rowSize);
        unsigned char* rgb = rgbRow.data();
        for (int x = 0; x < picture.width; ++x, bgr += 3, rgb += 3) {
            rgb[0] = bgr[2];
            rgb[1] = bgr[1];
            rgb[2] = bgr[0];
        }
        JSAMPROW line = rgbRow.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

bool WriteJpeg(const toolkit::PixelView& picture, int qualityStep, std::FILE* file) {
    if (picture.empty() || file == nullptr || picture.rowSize < picture.width * 3) {
        return false;
    }
    std::vector<unsigned char> rgbRow;
    try {
        rgbRow.resize(static_cast<std::size_t>(picture.width) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    Compressor encoder;
    return Encode(encoder, picture, std::clamp(qualityStep, 0, 10) * 10, file, rgbRow);
}
