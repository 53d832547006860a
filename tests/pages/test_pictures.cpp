#include "tests/pages/test_pictures.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace testpics {

namespace {

int Components(J_COLOR_SPACE space) {
    switch (space) {
    case JCS_GRAYSCALE:
        return 1;
    case JCS_CMYK:
    case JCS_YCCK:
        return 4;
    default:
        return 3;
    }
}

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

} // namespace

std::vector<unsigned char> MakeJpeg(const JpegRecipe& recipe, const PixelSource& pixels) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(recipe.width);
    info.image_height = static_cast<JDIMENSION>(recipe.height);
    info.input_components = Components(recipe.input);
    info.in_color_space = recipe.input;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, recipe.stored);
    jpeg_set_quality(&info, recipe.quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(recipe.width) *
                                   static_cast<std::size_t>(info.input_components));
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            const std::vector<unsigned char> pixel = pixels(x, y);
            std::copy(pixel.begin(), pixel.end(), row.begin() + x * info.input_components);
        }
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

std::vector<unsigned char>
MakeBmp(int width, int height, const std::function<std::array<unsigned char, 3>(int, int)>& pixel) {
    const int rows = std::abs(height);
    const std::uint32_t rowSize = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(rows);
    std::vector<unsigned char> out = {'B', 'M'};
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageSize, 4);
    out.insert(out.end(), 16, 0); // resolution and colour-table fields
    for (int stored = 0; stored < rows; ++stored) {
        const int y = height > 0 ? rows - 1 - stored : stored;
        for (int x = 0; x < width; ++x) {
            const std::array<unsigned char, 3> rgb = pixel(x, y);
            out.insert(out.end(), {rgb[2], rgb[1], rgb[0]});
        }
        out.insert(out.end(), rowSize - static_cast<std::uint32_t>(width) * 3, 0xEE);
    }
    return out;
}

std::optional<Decoded> DecodeWithLibjpeg(std::span<const unsigned char> file) {
    if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xD8) {
        return std::nullopt;
    }
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    Decoded decoded;
    decoded.width = static_cast<int>(info.output_width);
    decoded.height = static_cast<int>(info.output_height);
    decoded.components = info.output_components;
    decoded.samples.resize(static_cast<std::size_t>(decoded.width) * decoded.height *
                           decoded.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW line = decoded.samples.data() + static_cast<std::size_t>(info.output_scanline) *
                                                     decoded.width * decoded.components;
        jpeg_read_scanlines(&info, &line, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return decoded;
}

std::array<int, 3> HeldRgb(const LoadedImage& picture, int x, int y) {
    const unsigned char* bgr = picture.pixels.data() +
                               static_cast<std::size_t>(picture.height - 1 - y) * picture.rowSize +
                               static_cast<std::size_t>(x) * 3;
    return {bgr[2], bgr[1], bgr[0]};
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::span<const unsigned char> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

// std::filesystem rather than the system's calls, so that the folder works on every
// platform the tests are built for.
ScratchFolder::ScratchFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder =
            base / ("zorvel-pages-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) {
            path_ = folder.string();
            return;
        }
    }
    throw std::runtime_error("no scratch folder could be made in " + base.string());
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::Entries() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testpics
