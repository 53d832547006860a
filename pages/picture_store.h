// The picture store: decoded pictures held under small image ids, and saving one as
// a JPEG file. Qt-free; pictures reach the screen and the printer as PixelViews.
#pragma once

#include "common/pixel_view.h"
#include "common/replacement_file.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

// What the store holds for one image id.
struct LoadedImage {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint8_t depth = 24;
    int rowSize = 0;                   // width * 3 rounded up to a multiple of 4
    std::vector<unsigned char> pixels; // bottom row first, B, G, R

    common::PixelView View() const { return {width, height, rowSize, pixels.data()}; }
};

// Non-zero while an id holds a picture; valid until the id is loaded again or the
// store is cleared.
using ImageRef = const LoadedImage*;

// Decodes the BMP or JPEG file in `data` and holds it under imageId, replacing what the
// id held. Returns the new picture's reference, or nullptr when the data could not be
// decoded (the id then holds nothing). No decoder reads past data.size().
ImageRef LoadEmbeddedImage(int imageId, std::span<const unsigned char> data);

// Holds a picture the program made itself (a drawn chart) under imageId, replacing what the
// id held, so that it is shown, saved and printed as a page is.
ImageRef HoldPicture(int imageId, LoadedImage picture);

// The picture held under imageId, nullptr when none.
ImageRef ImageHandleOf(int imageId);

// Writes the picture held under imageId to path as a JPEG file (libjpeg quality 70).
// Returns 1 when the whole file was written, 0 otherwise; an existing file at path is
// replaced only by a complete new one. When `why` is given it receives the reason of a
// failure (Other for a missing path or picture), None on success.
using SaveFailure = ReplacementFile::Failure;
int SaveImageAsJpeg(int imageId, std::string_view path, SaveFailure* why = nullptr);

// Releases every held picture.
void ReleaseAllImages();

// The pictures held under their image ids, at most one per id. The functions above work
// on the program's store; tests may keep stores of their own.
class PictureStore {
  public:
    ImageRef Load(int imageId, std::span<const unsigned char> data);
    ImageRef Hold(int imageId, LoadedImage picture);
    ImageRef Find(int imageId) const;
    int SaveAsJpeg(int imageId, std::string_view path, SaveFailure* why = nullptr) const;
    void ReleaseAll() { pictures_.clear(); }
    std::size_t HeldCount() const { return pictures_.size(); }

  private:
    // Held behind pointers so that a reference stays put while other ids change.
    std::map<int, std::unique_ptr<const LoadedImage>> pictures_;
};

// The store the program's pictures live in from start-up to shutdown.
PictureStore& ProgramPictureStore();
