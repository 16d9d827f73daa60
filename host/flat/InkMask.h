// A page reduced to ink and paper: what the preparation steps pass along.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oxhost {

struct InkMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink;  // 1 = ink, 0 = paper, row-major, width * height bytes

    // Whether the pixel is ink; pixels outside the mask are paper.
    bool At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return false;
        }
        return ink[size_t(y) * size_t(width) + size_t(x)] != 0;
    }
};

// Throws HostError naming `what` when the mask's data is not width * height
// bytes, or a side is negative.
void RequireWholeMask(const InkMask& mask, const char* what);

}  // namespace oxhost
