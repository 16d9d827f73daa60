// Which pixels of the input are coloured (not line work), one bit a pixel:
// the pass asks this of every pixel and of every candidate its searches
// examine, and a bit is cheaper to find than the planes of a pixel far away.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "FlattenImage.h"
#include "LineTest.h"

class ColouredBits {
public:
    // Tests every pixel of the input once.
    ColouredBits(const FlattenJob& job, const LineTest& lineTest)
        : rowWords((job.width + 63u) / 64u) {
        words.assign(size_t(rowWords) * job.height, 0);
        uint64_t anyBit = 0;
        for (uint32_t y = 0; y < job.height; ++y) {
            const uint8_t* pixel = job.input.base + intptr_t(y) * job.input.rowBytes;
            uint64_t* row = &words[size_t(y) * rowWords];
            for (uint32_t from = 0; from < job.width; from += 64) {
                const uint32_t count = std::min<uint32_t>(64, job.width - from);
                uint64_t word = 0;
                for (uint32_t bit = 0; bit < count; ++bit, pixel += job.input.columnStep) {
                    word |= uint64_t(lineTest.IsLinePixel(pixel) ? 0 : 1) << bit;
                }
                row[from >> 6] = word;
                anyBit |= word;
            }
        }
        any = anyBit != 0;
    }

    bool Coloured(uint32_t y, uint32_t x) const {
        return (words[size_t(y) * rowWords + (x >> 6)] >> (x & 63) & 1) != 0;
    }

    // Whether the image has a coloured pixel at all.
    bool Any() const { return any; }

    // The bits of row y: bit x % 64 of word x / 64.
    const uint64_t* Row(uint32_t y) const { return &words[size_t(y) * rowWords]; }

private:
    uint32_t rowWords;
    std::vector<uint64_t> words;
    bool any = false;
};
