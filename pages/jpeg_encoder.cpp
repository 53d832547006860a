#include "pages/jpeg_encoder.h"

#include "pages/jpeg_errors.h"

#include <algorithm>
#include <cstddef>

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

bool Encode(Compressor& encoder, const common::PixelView& picture, int quality, std::FILE* file) {
    jpeg_compress_struct& info = encoder.info;
    if (setjmp(encoder.errors.jump)) {
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = 3;
    // The held B, G, R rows are handed over as they are: libjpeg-turbo reads that order
    // itself and compresses exactly what the same pixels as R, G, B would give.
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, FALSE);
    jpeg_start_compress(&info, TRUE);
    for (int row = 0; row < picture.height; ++row) {
        const unsigned char* bgr =
            picture.bottomUpBgr + static_cast<std::size_t>(picture.height - 1 - row) *
                                      static_cast<std::size_t>(picture.rowSize);
        // libjpeg only reads the rows it is given; its interface just is not const.
        JSAMPROW line = const_cast<unsigned char*>(bgr);
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

bool WriteJpeg(const common::PixelView& picture, int qualityStep, std::FILE* file) {
    if (picture.empty() || file == nullptr || picture.rowSize < picture.width * 3) {
        return false;
    }
    Compressor encoder;
    return Encode(encoder, picture, std::clamp(qualityStep, 0, 10) * 10, file);
}
