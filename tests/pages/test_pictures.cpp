#include "tests/pages/test_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace testpics {

namespace {

constexpr std::array<int, 64> kZigzagToNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

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

int Be16(std::span<const unsigned char> bytes, std::size_t at) {
    return bytes[at] << 8 | bytes[at + 1];
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

std::optional<JpegMarkers> ReadMarkers(std::span<const unsigned char> file) {
    JpegMarkers markers;
    if (file.size() < 4) {
        return std::nullopt;
    }
    markers.startsWithSoi = file[0] == 0xFF && file[1] == 0xD8;
    markers.endsWithEoi = file[file.size() - 2] == 0xFF && file[file.size() - 1] == 0xD9;
    std::size_t at = 2;
    while (at + 4 <= file.size()) {
        if (file[at] != 0xFF) {
            return std::nullopt;
        }
        const int marker = file[at + 1];
        if (marker == 0xD9) {
            break;
        }
        const std::size_t length = static_cast<std::size_t>(Be16(file, at + 2));
        if (length < 2 || at + 2 + length > file.size()) {
            return std::nullopt;
        }
        const std::span<const unsigned char> body = file.subspan(at + 4, length - 2);
        if (marker == 0xE0 && body.size() >= 14 &&
            std::equal(body.begin(), body.begin() + 5, "JFIF")) {
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
                    return std::nullopt; // 16-bit tables are not expected anywhere here
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
        }
        at += 2 + length;
        if (marker == 0xDA) {
            ++markers.scans;
            // Skip the entropy-coded data: stuffed zeros and restart markers belong to it.
            while (at + 1 < file.size() && !(file[at] == 0xFF && file[at + 1] != 0 &&
                                             !(file[at + 1] >= 0xD0 && file[at + 1] <= 0xD7))) {
                ++at;
            }
        }
    }
    return markers;
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

ScratchFolder::ScratchFolder() {
    std::string pattern = "/tmp/zorvel-pages-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& entry : Entries()) {
        const std::string path = File(entry);
        if (unlink(path.c_str()) != 0) {
            rmdir(path.c_str());
        }
    }
    rmdir(path_.c_str());
}

std::vector<std::string> ScratchFolder::Entries() const {
    std::vector<std::string> names;
    DIR* folder = opendir(path_.c_str());
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testpics
