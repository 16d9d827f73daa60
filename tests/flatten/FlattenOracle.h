// A plain flatting pass for comparison: one strip, column and pixel at a
// time, straight from the rules, with the plain ordered-multimap search.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../bridge/NearestSearchOracle.h"

struct OracleImage {
    int height = 0;
    int width = 0;
    int planes = 3;
    std::vector<uint8_t> pixels;  // interleaved, no padding
    uint8_t* At(int y, int x) { return &pixels[size_t((y * width + x) * planes)]; }
    const uint8_t* At(int y, int x) const { return &pixels[size_t((y * width + x) * planes)]; }
};

inline bool OracleIsLine(const uint8_t* pixel, int planes, bool cmyk) {
    if (cmyk) {
        return pixel[3] < 60;
    }
    for (int p = 0; p < planes; ++p) {
        if (pixel[p] > 8) {
            return false;
        }
    }
    return true;
}

inline OracleImage OracleFlatten(const OracleImage& input, bool cmyk) {
    OracleImage output = input;
    NearestSearchOracle search;
    for (int top = 0; top < input.height; top += 42) {
        const int bottom = std::min(top + 42, input.height) - 1;
        int hint = 1;
        for (int x = 0; x < input.width; ++x) {
            for (int k = 0; k <= bottom - top; ++k) {
                const int y = (x % 2 == 0) ? top + k : bottom - k;
                if (!OracleIsLine(input.At(y, x), input.planes, cmyk)) {
                    hint = 1;
                    continue;
                }
                search.boundTop = -y;
                search.boundLeft = -x;
                search.boundBottom = input.height - 1 - y;
                search.boundRight = input.width - 1 - x;
                if (hint > 1) {
                    --hint;
                }
                const uint8_t* source = input.At(y, x);
                int dx = 0, dy = 0;
                bool more = search.Begin(dx, dy, uint16_t(hint));
                while (more) {
                    if (dy == 0) {
                        hint = std::abs(dx);
                    }
                    source = input.At(y + dy, x + dx);
                    const bool coloured = !OracleIsLine(source, input.planes, cmyk);
                    more = search.Next(dx, dy);
                    if (coloured) {
                        break;
                    }
                }
                for (int p = 0; p < input.planes; ++p) {
                    output.At(y, x)[p] = source[p];
                }
            }
        }
    }
    return output;
}
