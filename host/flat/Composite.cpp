#include "host/flat/Composite.h"

#include "host/HostError.h"
#include "host/flat/DocumentPixels.h"

namespace oxhost {

namespace {

constexpr int PlanesOf(ColorModel model, bool hasAlpha) {
    return (model == ColorModel::CMYK ? 4 : 3) + (hasAlpha ? 1 : 0);
}

// One loop per pixel layout, so that the per-pixel work has no branches on
// the layout and the simple layouts vectorise.
template <ColorModel kModel, bool kHasAlpha, int kFlatPlanes>
void MultiplyPixels(const uint8_t* line, const uint8_t* flat, size_t count, uint8_t* out) {
    constexpr int kLinePlanes = PlanesOf(kModel, kHasAlpha);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* linePixel = line + i * kLinePlanes;
        const uint8_t* flatPixel = flat + i * kFlatPlanes;
        uint8_t rgb[3];
        PixelRgb(linePixel, kModel, rgb);
        for (int c = 0; c < 3; ++c) {
            unsigned ink = rgb[c];
            if (kHasAlpha) {
                const unsigned alpha = linePixel[kLinePlanes - 1];
                ink = (ink * alpha + 255u * (255u - alpha) + 127u) / 255u;  // over white
            }
            out[i * 3 + size_t(c)] = uint8_t((ink * flatPixel[c] + 127u) / 255u);
        }
    }
}

using MultiplyLoop = void (*)(const uint8_t*, const uint8_t*, size_t, uint8_t*);

template <ColorModel kModel, bool kHasAlpha>
MultiplyLoop MultiplyLoopFor(bool flatsHaveAlpha) {
    return flatsHaveAlpha ? MultiplyPixels<kModel, kHasAlpha, 4>
                          : MultiplyPixels<kModel, kHasAlpha, 3>;
}

MultiplyLoop MultiplyLoopFor(const Document& lineArt, bool flatsHaveAlpha) {
    if (lineArt.model == ColorModel::CMYK) {
        return lineArt.hasAlpha ? MultiplyLoopFor<ColorModel::CMYK, true>(flatsHaveAlpha)
                                : MultiplyLoopFor<ColorModel::CMYK, false>(flatsHaveAlpha);
    }
    return lineArt.hasAlpha ? MultiplyLoopFor<ColorModel::RGB, true>(flatsHaveAlpha)
                            : MultiplyLoopFor<ColorModel::RGB, false>(flatsHaveAlpha);
}

template <ColorModel kModel, bool kHasAlpha>
void LayerPixels(const uint8_t* pixels, size_t count, uint8_t* out) {
    constexpr int kPlanes = PlanesOf(kModel, kHasAlpha);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* pixel = pixels + i * kPlanes;
        PixelRgb(pixel, kModel, out + i * 4);
        out[i * 4 + 3] = kHasAlpha ? pixel[kPlanes - 1] : 255;
    }
}

}  // namespace

Document MultiplyOver(const Document& lineArt, const Document& flats) {
    RequireWholeDocument(lineArt, "line art");
    RequireWholeDocument(flats, "flats");
    if (lineArt.width != flats.width || lineArt.height != flats.height) {
        throw HostError("composite: the line art and the flats differ in size");
    }
    if (flats.model != ColorModel::RGB) {
        throw HostError("composite: the flats are not an RGB image");
    }
    Document page;
    page.width = flats.width;
    page.height = flats.height;
    const size_t count = size_t(page.width) * size_t(page.height);
    page.pixels.resize(count * 3);
    MultiplyLoopFor(lineArt, flats.hasAlpha)(lineArt.pixels.data(), flats.pixels.data(), count,
                                             page.pixels.data());
    return page;
}

Document LineArtLayer(const Document& original) {
    RequireWholeDocument(original, "line art");
    Document layer;
    layer.width = original.width;
    layer.height = original.height;
    layer.hasAlpha = true;
    const size_t count = size_t(layer.width) * size_t(layer.height);
    layer.pixels.resize(count * 4);
    const uint8_t* pixels = original.pixels.data();
    uint8_t* out = layer.pixels.data();
    if (original.model == ColorModel::CMYK) {
        original.hasAlpha ? LayerPixels<ColorModel::CMYK, true>(pixels, count, out)
                          : LayerPixels<ColorModel::CMYK, false>(pixels, count, out);
    } else {
        original.hasAlpha ? LayerPixels<ColorModel::RGB, true>(pixels, count, out)
                          : LayerPixels<ColorModel::RGB, false>(pixels, count, out);
    }
    return layer;
}

}  // namespace oxhost
