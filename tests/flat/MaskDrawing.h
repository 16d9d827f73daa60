// Ink masks for the tests: blank pages with rectangles drawn or cleared, and
// the number of paper areas counted by a plain breadth-first fill.
#pragma once

#include <cstdint>
#include <queue>
#include <utility>
#include <vector>

#include "host/flat/InkMask.h"

namespace flattest {

inline oxhost::InkMask BlankMask(int width, int height) {
    oxhost::InkMask mask;
    mask.width = width;
    mask.height = height;
    mask.ink.assign(size_t(width) * size_t(height), 0);
    return mask;
}

// Sets the pixels of [left, right] x [top, bottom] to `value` (1 = ink).
inline void FillRect(oxhost::InkMask& mask, int left, int top, int right, int bottom,
                     uint8_t value = 1) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            mask.ink[size_t(y) * size_t(mask.width) + size_t(x)] = value;
        }
    }
}

// A one-pixel outline of [left, right] x [top, bottom].
inline void DrawOutline(oxhost::InkMask& mask, int left, int top, int right, int bottom) {
    FillRect(mask, left, top, right, top);
    FillRect(mask, left, bottom, right, bottom);
    FillRect(mask, left, top, left, bottom);
    FillRect(mask, right, top, right, bottom);
}

// Breadth-first oracle: label per pixel (0 = ink, 1.. in scan order of the
// areas' first pixels) of the 4-connected paper areas.
inline std::vector<uint32_t> OracleLabels(const oxhost::InkMask& mask, uint32_t* count) {
    std::vector<uint32_t> label(mask.ink.size(), 0);
    uint32_t areas = 0;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.At(x, y) || label[size_t(y) * size_t(mask.width) + size_t(x)] != 0) {
                continue;
            }
            ++areas;
            std::queue<std::pair<int, int>> open;
            open.push({x, y});
            label[size_t(y) * size_t(mask.width) + size_t(x)] = areas;
            while (!open.empty()) {
                const auto [px, py] = open.front();
                open.pop();
                const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (const auto& step : steps) {
                    const int nx = px + step[0];
                    const int ny = py + step[1];
                    if (nx < 0 || ny < 0 || nx >= mask.width || ny >= mask.height ||
                        mask.At(nx, ny)) {
                        continue;
                    }
                    uint32_t& l = label[size_t(ny) * size_t(mask.width) + size_t(nx)];
                    if (l == 0) {
                        l = areas;
                        open.push({nx, ny});
                    }
                }
            }
        }
    }
    *count = areas;
    return label;
}

inline uint32_t CountAreas(const oxhost::InkMask& mask) {
    uint32_t count = 0;
    OracleLabels(mask, &count);
    return count;
}

}  // namespace flattest
