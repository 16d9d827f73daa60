// Fill colours: the palette's colours in file order first, then random light
// colours from a fixed generator.
#include "ImageModes.h"
#include "TintfloodPlugin.h"

namespace {

// The generator keeps its state for as long as the module stays loaded, so
// successive runs in one host continue the same sequence.
thread_local uint32_t randomState = 1;

uint32_t NextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return (randomState >> 16) & 0x7FFF;
}

constexpr int kPaletteAttempts = 10;
constexpr int kAllAttempts = 100;
constexpr uint8_t kDarkest = 90;
constexpr uint8_t kCmykDarkest = 39;  // 255 is no ink: low K bytes are heavy black

}  // namespace

ColorRange TooDarkRange(bool cmyk) {
    ColorRange dark;
    for (int k = 0; k < 4; ++k) {
        dark.high[k] = cmyk ? (k == 3 ? kCmykDarkest : 255) : kDarkest;
    }
    return dark;
}

bool TintfloodPlugin::IsUsableFillColor() const {
    if (range.Contains(areaColor, channelCount, 1)) {
        return false;
    }
    const bool cmyk = filterRecord->imageMode == plugInModeCMYKColor;
    return !TooDarkRange(cmyk).Contains(areaColor, cmyk ? 4 : channelCount, 1);
}

void TintfloodPlugin::ChooseFillColor() {
    int attempts = 0;
    if (swatchPalette && swatchPalette->SwatchCount() > 0) {
        for (int i = 0; i < kPaletteAttempts; ++i) {
            SwatchEntry entry{};
            swatchPalette->NextSwatch(entry);
            SwatchToDocumentColor(entry, areaColor);
            ++attempts;
            if (IsUsableFillColor()) {
                return;
            }
        }
    }
    // Successive bytes alternate between a high band (63..254) and a low
    // band (0..191), which keeps most colours light and varied.
    uint8_t previous = uint8_t(NextRandom() % 255);
    do {
        ++attempts;
        for (int i = 0; i < 4; ++i) {
            const uint32_t value = NextRandom();
            areaColor[i] = previous < 128 ? uint8_t(value % 192 + 63) : uint8_t(value % 192);
            previous = areaColor[i];
        }
        if (IsUsableFillColor()) {
            return;
        }
    } while (attempts < kAllAttempts);
}

bool TintfloodPlugin::SwatchToDocumentColor(const SwatchEntry& entry, uint8_t color[4]) {
    const int16_t space = SwatchSpaceToHost(entry.space);
    if (space < 0) {
        return false;
    }
    int16_t components[4];
    SwatchRequestComponents(entry, components);
    return ConvertToDocumentColor(space, components, color);
}
