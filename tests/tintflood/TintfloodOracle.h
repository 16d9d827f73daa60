// A plain Tintflood pass over an RGB image for comparison: areas of white
// filled one by one with palette colours in turn (every palette colour must
// be usable), small areas flagged or queued by the rules, then every queued
// area joined by walking the plain ordered-multimap search from its seed.
// Breadth-first fills, no shortcuts.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "../bridge/NearestSearchOracle.h"
#include "BreadthFirstFill.h"

struct TintfloodOracleSettings {
    std::vector<std::array<uint8_t, 3>> palette;
    std::array<uint8_t, 3> flagColor{{255, 0, 255}};
    bool flagAreas = false;
    uint32_t flagSize = 20;
    bool joinAreas = false;
    uint32_t joinSize = 10;
    bool measureArea = false;
};

class TintfloodOracle {
public:
    TintfloodOracle(int height, int width, std::vector<uint8_t> pixels)
        : height(height), width(width), pixels(std::move(pixels)) {}

    std::vector<uint8_t> Run(const TintfloodOracleSettings& settings) {
        size_t nextColour = 0;
        std::vector<std::pair<int, int>> seeds;
        const std::array<uint8_t, 3> white{{255, 255, 255}};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (Colour(y, x) != white) {
                    continue;
                }
                const auto colour = settings.palette[nextColour++ % settings.palette.size()];
                const Area area = Fill(y, x, white, colour);
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
                if ((flag || join) && settings.flagColor != colour && Usable(settings.flagColor)) {
                    Fill(y, x, colour, settings.flagColor);
                }
            }
        }
        NearestSearchOracle search;
        for (const auto& seed : seeds) {
            const int y = seed.first;
            const int x = seed.second;
            search.boundTop = -y;
            search.boundLeft = -x;
            search.boundBottom = height - 1 - y;
            search.boundRight = width - 1 - x;
            int dx = 0, dy = 0;
            for (bool more = search.Begin(dx, dy, 0); more; more = search.Next(dx, dy)) {
                const auto candidate = Colour(y + dy, x + dx);
                const bool black = candidate[0] == 0 && candidate[1] == 0 && candidate[2] == 0;
                if (black || candidate == settings.flagColor) {
                    continue;
                }
                if (Usable(candidate)) {
                    Fill(y, x, settings.flagColor, candidate);
                    break;
                }
            }
        }
        return pixels;
    }

private:
    using Area = OracleArea;

    std::array<uint8_t, 3> Colour(int y, int x) const {
        const uint8_t* p = &pixels[size_t((y * width + x) * 3)];
        return {{p[0], p[1], p[2]}};
    }

    // Not too dark: some channel above 90.
    static bool Usable(const std::array<uint8_t, 3>& colour) {
        return colour[0] > 90 || colour[1] > 90 || colour[2] > 90;
    }

    // Paints the 4-connected pixels of colour `from` around (y, x) with `to`.
    Area Fill(int y, int x, const std::array<uint8_t, 3>& from, const std::array<uint8_t, 3>& to) {
        return BreadthFirstFill(
            width, height, y, x, [this, &from](int py, int px) { return Colour(py, px) == from; },
            [this, &to](int py, int px) { Paint(py, px, to); });
    }

    void Paint(int y, int x, const std::array<uint8_t, 3>& colour) {
        uint8_t* p = &pixels[size_t((y * width + x) * 3)];
        p[0] = colour[0];
        p[1] = colour[1];
        p[2] = colour[2];
    }

    int height;
    int width;
    std::vector<uint8_t> pixels;
};
