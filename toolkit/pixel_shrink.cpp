#include "toolkit/pixel_shrink.h"

#include <algorithm>
#include <vector>

namespace toolkit {
namespace {

// The source pixels one target pixel covers along one direction, with their weights.
struct Cover {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Cover> CoversAlong(int sourceLength, int targetLength) {
    const double step = static_cast<double>(sourceLength) / targetLength;
    std::vector<Cover> covers(static_cast<std::size_t>(targetLength));
    for (int index = 0; index < targetLength; ++index) {
        const double begin = index * step;
        const double end = std::min<double>(sourceLength, begin + step);
        Cover& cover = covers[static_cast<std::size_t>(index)];
        cover.first = static_cast<int>(begin);
        for (int pixel = cover.first; pixel < end; ++pixel) {
            const double covered =
                std::min<double>(end, pixel + 1) - std::max<double>(begin, pixel);
            cover.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return covers;
}

} // namespace

void ShrinkPicture(const common::PixelView& source, int width, int height, std::uint32_t* target,
                   std::ptrdiff_t rowWords) {
    if (source.empty() || target == nullptr || width <= 0 || height <= 0 || width > source.width ||
        height > source.height || source.rowSize < source.width * 3) {
        return;
    }
    const std::vector<Cover> across = CoversAlong(source.width, width);
    const std::vector<Cover> down = CoversAlong(source.height, height);
    // One target row at a time: its source rows, each shrunk across, summed by weight.
    std::vector<float> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0.0F);
        const Cover& rows = down[static_cast<std::size_t>(y)];
        for (std::size_t r = 0; r < rows.weights.size(); ++r) {
            const int sourceY = rows.first + static_cast<int>(r);
            const unsigned char* const line =
                source.bottomUpBgr +
                static_cast<std::ptrdiff_t>(source.height - 1 - sourceY) * source.rowSize;
            for (int x = 0; x < width; ++x) {
                const Cover& columns = across[static_cast<std::size_t>(x)];
                float blue = 0;
                float green = 0;
                float red = 0;
                const unsigned char* pixel = line + static_cast<std::ptrdiff_t>(columns.first) * 3;
                for (const float weight : columns.weights) {
                    blue += weight * pixel[0];
                    green += weight * pixel[1];
                    red += weight * pixel[2];
                    pixel += 3;
                }
                float* const sum = &row[static_cast<std::size_t>(x) * 3];
                sum[0] += rows.weights[r] * red;
                sum[1] += rows.weights[r] * green;
                sum[2] += rows.weights[r] * blue;
            }
        }
        std::uint32_t* const out = target + y * rowWords;
        const auto channel = [](float value) {
            return static_cast<std::uint32_t>(std::clamp(value + 0.5F, 0.0F, 255.0F));
        };
        for (int x = 0; x < width; ++x) {
            const float* const sum = &row[static_cast<std::size_t>(x) * 3];
            out[x] = 0xFF000000U | channel(sum[0]) << 16 | channel(sum[1]) << 8 | channel(sum[2]);
        }
    }
}

} // namespace toolkit
