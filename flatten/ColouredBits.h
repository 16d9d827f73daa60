// Which pixels of the input are coloured (not line work), one bit a pixel:
// the pass asks this of every pixel and of every candidate its searches
// examine, and a bit is cheaper to find than the planes of a pixel far away.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "FlattenImage.h"
#include "ImageModes.h"
#include "LineTest.h"

class ColouredBits {
public:
    // Tests every pixel of the input once.
    ColouredBits(const FlattenJob& job, const LineTest& lineTest)
        : rowWords((job.width + 63u) / 64u) {
        words.assign(size_t(rowWords) * job.height, 0);
        // RGB with the planes side by side, the usual layout, has a loop of its own.
        const bool packedRgb = job.imageMode != plugInModeCMYKColor && job.colorPlanes == 3 &&
                               job.input.planeStep == 1;
        uint64_t anyBit = 0;
        for (uint32_t y = 0; y < job.height; ++y) {
            const uint8_t* pixel = job.input.base + intptr_t(y) * job.input.rowBytes;
            uint64_t* row = &words[size_t(y) * rowWords];
            for (uint32_t from = 0; from < job.width; from += 64) {
                const uint32_t count = std::min<uint32_t>(64, job.width - from);
                uint64_t word = 0;
                if (packedRgb && count == 64 && job.input.columnStep == 3) {
                    word = PackedRgbWord(pixel);
                    pixel += 64 * 3;
                } else if (packedRgb) {
                    const intptr_t step = job.input.columnStep;
                    for (uint32_t bit = 0; bit < count; ++bit, pixel += step) {
                        const bool dark = (pixel[0] <= LineTest::kDarkLimit) &
                                          (pixel[1] <= LineTest::kDarkLimit) &
                                          (pixel[2] <= LineTest::kDarkLimit);
                        word |= uint64_t(!dark) << bit;
                    }
                } else {
                    for (uint32_t bit = 0; bit < count; ++bit, pixel += job.input.columnStep) {
                        word |= uint64_t(lineTest.IsColoured(pixel)) << bit;
                    }
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
    // Bits from one row to the next (rows start at whole words).
    int64_t RowBits() const { return int64_t(rowWords) * 64; }

    // For rows firstRow .. firstRow + rows - 1 (at most 64), per column: bit
    // k set when the pixel of row firstRow + k is line work. Work in
    // proportion to the line pixels.
    void LineColumns(uint32_t firstRow, uint32_t rows, uint32_t width,
                     std::vector<uint64_t>& columns) const {
        columns.assign(width, 0);
        for (uint32_t k = 0; k < rows; ++k) {
            const uint64_t* row = Row(firstRow + k);
            for (uint32_t word = 0; word < rowWords; ++word) {
                uint64_t line = ~row[word];
                if (word == rowWords - 1 && width % 64 != 0) {
                    line &= (uint64_t(1) << (width % 64)) - 1;
                }
                while (line != 0) {
                    const int bit = __builtin_ctzll(line);
                    line &= line - 1;
                    columns[word * 64 + uint32_t(bit)] |= uint64_t(1) << k;
                }
            }
        }
    }

private:
#if defined(__SSE2__)
    // 64 RGB pixels of 3 bytes, sixteen bytes at a time: a bit per byte
    // that is dark, then per pixel whether all three of its bytes are.
    static uint64_t PackedRgbWord(const uint8_t* pixel) {
        const __m128i limit = _mm_set1_epi8(char(LineTest::kDarkLimit));
        uint64_t dark[3];
        for (int word = 0; word < 3; ++word) {
            uint64_t bits = 0;
            for (int part = 0; part < 4; ++part) {
                const __m128i bytes = _mm_loadu_si128(
                    reinterpret_cast<const __m128i*>(pixel + 64 * word + 16 * part));
                // A byte at most the limit is left 0 by subtracting the limit.
                const __m128i isDark =
                    _mm_cmpeq_epi8(_mm_subs_epu8(bytes, limit), _mm_setzero_si128());
                bits |= uint64_t(uint32_t(_mm_movemask_epi8(isDark))) << (16 * part);
            }
            dark[word] = bits;
        }
        // Eight pixels (24 bits) at a time: bit 3k of `all` says whether
        // pixel k's three bytes are dark; then every third bit gathered.
        uint64_t coloured = 0;
        for (int group = 0; group < 8; ++group) {
            const int first = 24 * group;
            const auto bitsFrom = [&dark](int at) {
                const int word = at / 64;
                const int shift = at % 64;
                uint64_t value = dark[word] >> shift;
                if (shift > 64 - 26 && word < 2) {
                    value |= dark[word + 1] << (64 - shift);
                }
                return value;
            };
            const uint64_t bytes = bitsFrom(first);
            uint64_t all = bytes & (bytes >> 1) & (bytes >> 2) & 0x249249u;
            all = (all | (all >> 2)) & 0x0C30C3u;
            all = (all | (all >> 4)) & 0x00F00Fu;
            all = (all | (all >> 8)) & 0x0000FFu;
            coloured |= (~all & 0xFFu) << (8 * group);
        }
        return coloured;
    }
#else
    // 64 RGB pixels of 3 bytes: one byte per pixel first (a loop the
    // compiler makes wide), then eight bytes at a time into eight bits.
    static uint64_t PackedRgbWord(const uint8_t* pixel) {
        uint8_t colouredByte[64];
        for (int k = 0; k < 64; ++k) {
            const uint8_t most =
                std::max(std::max(pixel[3 * k], pixel[3 * k + 1]), pixel[3 * k + 2]);
            colouredByte[k] = most > LineTest::kDarkLimit ? 1 : 0;
        }
        uint64_t word = 0;
        for (int group = 0; group < 8; ++group) {
            uint64_t bytes = 0;
            std::memcpy(&bytes, colouredByte + 8 * group, 8);
            // Byte k (0 or 1) lands in bit 56 + k; little-endian bytes.
            word |= (bytes * 0x0102040810204080ull) >> 56 << (8 * group);
        }
        return word;
    }
#endif

    uint32_t rowWords;
    std::vector<uint64_t> words;
    bool any = false;
};
