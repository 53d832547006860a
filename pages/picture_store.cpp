#include "pages/picture_store.h"

#include "common/replacement_file.h"
#include "pages/bmp_reader.h"
#include "pages/jpeg_decoder.h"
#include "pages/jpeg_encoder.h"

#include <optional>
#include <utility>

namespace {

std::optional<LoadedImage> Decode(std::span<const unsigned char> data) {
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
        return ReadBmp(data);
    }
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
        return DecodeJpeg(data);
    }
    return std::nullopt;
}

} // namespace

ImageRef PictureStore::Load(int imageId, std::span<const unsigned char> data) {
    // The old picture goes first, so that two copies of a page never share the memory,
    // and a failed load leaves the id empty.
    pictures_.erase(imageId);
    std::optional<LoadedImage> decoded = Decode(data);
    if (!decoded) {
        return nullptr;
    }
    return Hold(imageId, std::move(*decoded));
}

ImageRef PictureStore::Hold(int imageId, LoadedImage picture) {
    auto held = std::make_unique<const LoadedImage>(std::move(picture));
    ImageRef reference = held.get();
    pictures_[imageId] = std::move(held);
    return reference;
}

ImageRef PictureStore::Find(int imageId) const {
    const auto found = pictures_.find(imageId);
    return found == pictures_.end() ? nullptr : found->second.get();
}

int PictureStore::SaveAsJpeg(int imageId, std::string_view path, SaveFailure* why) const {
    SaveFailure ignored = SaveFailure::None;
    SaveFailure& failure = why != nullptr ? *why : ignored;
    failure = SaveFailure::Other;
    const ImageRef picture = Find(imageId);
    if (path.empty() || picture == nullptr) {
        return 0;
    }
    ReplacementFile file(path);
    const bool saved = file.IsOpen() &&
                       WriteJpeg(picture->View(), kSavedPageQualityStep, file.Stream()) &&
                       file.Commit();
    failure = saved ? SaveFailure::None : file.Why();
    if (!saved && failure == SaveFailure::None) {
        failure = SaveFailure::Other; // the encoder itself gave up
    }
    return saved ? 1 : 0;
}

PictureStore& ProgramPictureStore() {
    static PictureStore store;
    return store;
}

ImageRef LoadEmbeddedImage(int imageId, std::span<const unsigned char> data) {
    return ProgramPictureStore().Load(imageId, data);
}

ImageRef HoldPicture(int imageId, LoadedImage picture) {
    return ProgramPictureStore().Hold(imageId, std::move(picture));
}

ImageRef ImageHandleOf(int imageId) {
    return ProgramPictureStore().Find(imageId);
}

int SaveImageAsJpeg(int imageId, std::string_view path, SaveFailure* why) {
    return ProgramPictureStore().SaveAsJpeg(imageId, path, why);
}

void ReleaseAllImages() {
    ProgramPictureStore().ReleaseAll();
}
