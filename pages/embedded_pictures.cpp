#include "pages/embedded_pictures.h"

#include <array>
#include <cstddef>

// The picture files lie end to end in read-only data, in catalogue order, assembled by the
// platform's own file (posix/picture_data.cpp for ELF, windows/picture_data.cpp for PE).
// Each label marks where one file starts; the next label (or the end label) marks where it
// ends.
extern "C" {
#define ZORVEL_PICTURE(imageId, file) extern const unsigned char zorvel_picture_##imageId[];
#include "pages/embedded_picture_list.inc"
#undef ZORVEL_PICTURE
extern const unsigned char zorvel_pictures_end[];
}

namespace {

struct CatalogueEntry {
    int imageId;
    const unsigned char* start;
};

// In the order the files lie in the data, closed by the end of the last one.
constexpr auto kCatalogue = std::to_array<CatalogueEntry>({
#define ZORVEL_PICTURE(imageId, file) {Id(ImageId::imageId), zorvel_picture_##imageId},
#include "pages/embedded_picture_list.inc"
#undef ZORVEL_PICTURE
    {0, zorvel_pictures_end},
});

// The list names the pictures in the order of their ids, each once.
constexpr bool IdsAscend() {
    for (std::size_t i = 1; i + 1 < kCatalogue.size(); ++i) {
        if (kCatalogue[i - 1].imageId >= kCatalogue[i].imageId) {
            return false;
        }
    }
    return true;
}
static_assert(IdsAscend(), "ZORVEL_PICTURES in pages/CMakeLists.txt must follow the image ids");

} // namespace

std::span<const unsigned char> EmbeddedImage(int imageId) {
    for (std::size_t i = 0; i + 1 < kCatalogue.size(); ++i) {
        if (kCatalogue[i].imageId == imageId) {
            return {kCatalogue[i].start, kCatalogue[i + 1].start};
        }
    }
    return {};
}
