// A plain Tintflood pass over RGB pixels with every rule of the settings
// that a palette run uses: the target range from the colour to replace and
// the tolerance, palette colours that are in range or too dark skipped,
// flagging and joining by area or by height and width, a flag colour that
// may be anything (in the target range, too dark, a palette colour), and the
// scan meeting again an area repainted into the range. Breadth-first fills
// with a plain predicate, the joining walk through the plain nearest-first
// search. Fails the calling test when the palette gives no usable colour in
// ten tries (the engine would then turn to random colours).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../bridge/NearestSearchOracle.h"
#include "BreadthFirstFill.h"
#include "TintfloodSettings.h"
#include "TintfloodTestHost.h"

using Rgb = std::array<uint8_t, 3>;

struct PassSettings {
    Rgb fillColor{{255, 255, 255}};
    uint16_t tolerance = 0;
    std::vector<Rgb> palette;
    Rgb flagColor{{255, 0, 255}};
    bool flagAreas = false;
    uint32_t flagSize = 20;
    bool joinAreas = false;
    uint32_t joinSize = 10;
    bool measureArea = false;
};

// Writes the palette of the settings as a swatch file.
inline void WritePassPalette(const std::string& path, const std::vector<Rgb>& palette) {
    std::vector<std::vector<uint16_t>> swatches;
    for (const Rgb& colour : palette) {
        swatches.push_back({0, uint16_t(colour[0] * 257), uint16_t(colour[1] * 257),
                            uint16_t(colour[2] * 257), 0});
    }
    tintfloodtest::WriteSwatchFile(path, swatches);
}

// The same settings as the engine takes them, its palette read from `paletteFile`.
inline TintfloodSettings EngineSettings(const PassSettings& pass, const char* paletteFile) {
    const auto color16 = [](const Rgb& colour) {
        return RGBColor16{uint16_t(colour[0] * 257), uint16_t(colour[1] * 257),
                          uint16_t(colour[2] * 257)};
    };
    TintfloodSettings settings;
    std::snprintf(settings.paletteFile, sizeof(settings.paletteFile), "%s", paletteFile);
    settings.fillColor = color16(pass.fillColor);
    settings.tolerance = pass.tolerance;
    settings.flagColor = color16(pass.flagColor);
    settings.flagAreas = pass.flagAreas;
    settings.flagSize = pass.flagSize;
    settings.joinAreas = pass.joinAreas;
    settings.joinSize = pass.joinSize;
    settings.measureArea = pass.measureArea;
    return settings;
}

class PassOracle {
public:
    PassOracle(int height, int width, std::vector<Rgb> pixels)
        : height(height), width(width), pixels(std::move(pixels)) {}

    const std::vector<Rgb>& Run(const PassSettings& settings) {
        const Range target = Around(settings.fillColor, settings.tolerance);
        const Range flagRange = Around(settings.flagColor, 0);
        size_t cursor = 0;
        std::vector<std::pair<int, int>> seeds;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!target.Holds(At(y, x))) {
                    continue;
                }
                Rgb colour{};
                bool usable = false;
                for (int attempt = 0; attempt < 10 && !usable; ++attempt) {
                    colour = settings.palette[cursor++ % settings.palette.size()];
                    usable = Usable(colour, target);
                }
                if (!usable) {
                    ADD_FAILURE() << "no usable palette colour in ten tries";
                    return pixels;
                }
                const Area area = Fill(y, x, target, colour);
                const auto small = [&](uint32_t limit) {
                    return settings.measureArea ? area.pixels <= limit
                                                : uint32_t(area.right - area.left) < limit &&
                                                      uint32_t(area.bottom - area.top) < limit;
                };
                const bool flag = settings.flagAreas && small(settings.flagSize);
                const bool join = settings.joinAreas && small(settings.joinSize);
                if (join) {
                    seeds.push_back({y, x});
                }
                const Range painted = Around(colour, 0);
                if ((flag || join) && Usable(settings.flagColor, painted)) {
                    Fill(y, x, painted, settings.flagColor);
                }
            }
        }
        for (const auto& seed : seeds) {
            Join(seed.first, seed.second, flagRange);
        }
        return pixels;
    }

private:
    struct Range {
        Rgb low;
        Rgb high;
        bool Holds(const Rgb& colour) const {
            for (int k = 0; k < 3; ++k) {
                if (colour[k] < low[k] || colour[k] > high[k]) {
                    return false;
                }
            }
            return true;
        }
    };
    using Area = OracleArea;

    static Range Around(const Rgb& colour, int tolerance) {
        Range range;
        for (int k = 0; k < 3; ++k) {
            range.low[k] = uint8_t(std::max(0, colour[k] - tolerance));
            range.high[k] = uint8_t(std::min(255, colour[k] + tolerance));
        }
        return range;
    }

    // Out of the range in force and not too dark (some channel above 90).
    static bool Usable(const Rgb& colour, const Range& inForce) {
        return !inForce.Holds(colour) && (colour[0] > 90 || colour[1] > 90 || colour[2] > 90);
    }

    Rgb& At(int y, int x) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }

    // The joining walk from a seed: the nearest pixel that is neither black
    // nor flag-coloured and is a usable colour gives the area its colour.
    void Join(int y, int x, const Range& flagRange) {
        NearestSearchOracle search;
        search.boundTop = -y;
        search.boundLeft = -x;
        search.boundBottom = height - 1 - y;
        search.boundRight = width - 1 - x;
        int dx = 0, dy = 0;
        for (bool more = search.Begin(dx, dy, 0); more; more = search.Next(dx, dy)) {
            const Rgb candidate = At(y + dy, x + dx);
            const bool black = candidate[0] == 0 && candidate[1] == 0 && candidate[2] == 0;
            if (black || flagRange.Holds(candidate)) {
                continue;
            }
            if (Usable(candidate, flagRange)) {
                Fill(y, x, flagRange, candidate);
                return;
            }
        }
    }

    // Paints the 4-connected pixels in `from` around (y, x) with `to`.
    Area Fill(int y, int x, const Range& from, const Rgb& to) {
        return BreadthFirstFill(
            width, height, y, x, [this, &from](int py, int px) { return from.Holds(At(py, px)); },
            [this, &to](int py, int px) { At(py, px) = to; });
    }

    int height;
    int width;
    std::vector<Rgb> pixels;
};
