#include "host/flat/LineExtraction.h"

#include <array>

#include "host/HostError.h"
#include "host/flat/DocumentPixels.h"

namespace oxhost {

namespace {

// One loop per pixel layout, so that the per-pixel work has no branches on
// the layout.
template <ColorModel kModel, bool kHasAlpha>
void DarknessOfPixels(const uint8_t* pixels, size_t count, uint8_t* darkness) {
    constexpr size_t kPlanes = (kModel == ColorModel::CMYK ? 4 : 3) + (kHasAlpha ? 1 : 0);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* pixel = pixels + i * kPlanes;
        uint8_t rgb[3];
        PixelRgb(pixel, kModel, rgb);
        const unsigned luminance = (77u * rgb[0] + 150u * rgb[1] + 29u * rgb[2] + 128u) >> 8;
        unsigned value = 255u - luminance;
        if (kHasAlpha) {
            value = (value * pixel[kPlanes - 1] + 127u) / 255u;
        }
        darkness[i] = uint8_t(value);
    }
}

}  // namespace

std::vector<uint8_t> PixelDarkness(const Document& page) {
    RequireWholeDocument(page, "line art");
    const size_t count = size_t(page.width) * size_t(page.height);
    std::vector<uint8_t> darkness(count);
    const uint8_t* pixels = page.pixels.data();
    if (page.model == ColorModel::CMYK) {
        page.hasAlpha ? DarknessOfPixels<ColorModel::CMYK, true>(pixels, count, darkness.data())
                      : DarknessOfPixels<ColorModel::CMYK, false>(pixels, count, darkness.data());
    } else {
        page.hasAlpha ? DarknessOfPixels<ColorModel::RGB, true>(pixels, count, darkness.data())
                      : DarknessOfPixels<ColorModel::RGB, false>(pixels, count, darkness.data());
    }
    return darkness;
}

int OtsuThreshold(const std::vector<uint8_t>& darkness) {
    std::array<uint64_t, 256> histogram{};
    for (uint8_t value : darkness) {
        ++histogram[value];
    }
    double total = 0;
    double totalSum = 0;
    for (int v = 0; v < 256; ++v) {
        total += double(histogram[v]);
        totalSum += double(v) * double(histogram[v]);
    }
    double below = 0;
    double belowSum = 0;
    double best = -1;
    int firstBest = 0;
    int lastBest = 0;
    for (int t = 1; t < 256; ++t) {
        below += double(histogram[t - 1]);
        belowSum += double(t - 1) * double(histogram[t - 1]);
        const double above = total - below;
        if (below == 0 || above == 0) {
            continue;
        }
        const double meanGap = belowSum / below - (totalSum - belowSum) / above;
        const double variance = below * above * meanGap * meanGap;
        // Over a run of empty bins the sums do not change, so the variance is
        // bit-for-bit the same and the run is found by equality.
        if (variance > best) {
            best = variance;
            firstBest = t;
            lastBest = t;
        } else if (variance == best && t == lastBest + 1) {
            lastBest = t;
        }
    }
    if (best <= 0) {
        return 128;
    }
    return (firstBest + lastBest) / 2;
}

InkMask ThresholdInk(const std::vector<uint8_t>& darkness, int width, int height, int threshold) {
    if (width < 0 || height < 0 || darkness.size() != size_t(width) * size_t(height)) {
        throw HostError("ink threshold: the darkness values do not match the image size");
    }
    InkMask mask;
    mask.width = width;
    mask.height = height;
    mask.ink.resize(darkness.size());
    for (size_t i = 0; i < darkness.size(); ++i) {
        mask.ink[i] = int(darkness[i]) >= threshold ? 1 : 0;
    }
    return mask;
}

}  // namespace oxhost
