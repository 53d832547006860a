// Pictures and files made inside the tests, and a reader of a JPEG file's markers.
#pragma once

#include "pages/picture_store.h"
#include "tests/support/jpeg_markers.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <cstdio>
#include <jpeglib.h>

namespace testpics {

// One pixel of a source picture, components in the colour space being written.
using PixelSource = std::function<std::vector<unsigned char>(int x, int y)>;

struct JpegRecipe {
    int width = 16;
    int height = 16;
    J_COLOR_SPACE input = JCS_RGB;    // what PixelSource gives
    J_COLOR_SPACE stored = JCS_YCbCr; // what the file holds
    int quality = 100;
};

// A JPEG file in memory, written by libjpeg from `pixels`, rows top first.
std::vector<unsigned char> MakeJpeg(const JpegRecipe& recipe, const PixelSource& pixels);

// An uncompressed 24-bit BMP file; `pixel` gives R, G, B of (x, y) with y = 0 the top row.
// A negative height writes the rows top first.
std::vector<unsigned char>
MakeBmp(int width, int height, const std::function<std::array<unsigned char, 3>(int, int)>& pixel);

// A decoded file as plain rows top first, components as libjpeg gives them.
struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<unsigned char> samples;

    const unsigned char* Row(int y) const { return samples.data() + y * width * components; }
};
std::optional<Decoded> DecodeWithLibjpeg(std::span<const unsigned char> file);

// R, G, B of pixel (x, y), y = 0 the top row, of a held picture.
std::array<int, 3> HeldRgb(const LoadedImage& picture, int x, int y);

// The marker reading is shared with the other picture tests.
using ::JpegMarkers;
using ::ReadMarkers;

std::vector<unsigned char> ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::span<const unsigned char> bytes);

// A fresh empty folder, removed with its contents at the end of the scope.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of everything in the folder, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::string path_;
};

} // namespace testpics
