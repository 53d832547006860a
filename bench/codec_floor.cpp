#include "bench/codec_floor.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

struct JumpingErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
};

void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr) {}

jpeg_error_mgr* Install(JumpingErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpBack;
    errors.manager.output_message = Quiet;
    return &errors.manager;
}

} // namespace

std::vector<unsigned char> BareJpegDecode(std::span<const unsigned char> file) {
    jpeg_decompress_struct info{};
    JumpingErrors errors;
    info.err = Install(errors);
    std::vector<unsigned char> pixels;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    const std::size_t rowSize = (info.output_width * 3 + 3) / 4 * 4;
    pixels.resize(rowSize * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + rowSize * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return pixels;
}

bool BareJpegEncode(const unsigned char* bottomUpBgr, int width, int height, int rowSize,
                    const std::string& path) {
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    jpeg_compress_struct info{};
    JumpingErrors errors;
    info.err = Install(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    // libjpeg-turbo takes B,G,R rows as they are; the rows are handed over top first.
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 70, FALSE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const std::size_t stored = static_cast<std::size_t>(height - 1) - info.next_scanline;
        JSAMPROW row = const_cast<unsigned char*>(bottomUpBgr + stored * rowSize);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fflush(file.get()) == 0;
}
