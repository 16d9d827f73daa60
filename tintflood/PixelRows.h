// The rows of the delivered buffer as the fill sees them: whether a pixel
// lies in a colour range, sixteen pixels at a time, and painting a run of
// pixels with one colour. One class per layout, all with the same members:
// pixels of 3 or 4 packed channels (SSE2 compares 48 or 64 bytes at once),
// channels in planes apart (16 bytes of each plane), and any other layout
// one pixel at a time. Without SSE2 every layout goes pixel by pixel.
//
// A block's answer is a bit mask: bit kBitsPerPixel * i is set when pixel
// x + i is in range, so the first pixel of a kind is a count of trailing
// zero bits divided by kBitsPerPixel.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ColorRange.h"

// The buffer as delivered: channel k of pixel (row, column) lies at
// base + row * rowBytes + column * columnStep + k * planeStep.
struct PixelBuffer {
    uint8_t* base = nullptr;
    int32_t rowBytes = 0;
    int32_t columnStep = 0;
    int32_t planeStep = 1;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t channelCount = 3;
    // The request starts at row 0, column 0 (the whole image). When it does
    // not, only the plain fill's own bounds test knows which pixels to touch.
    bool fromOrigin = true;

    uint8_t* Row(int32_t row) const { return base + intptr_t(row) * rowBytes; }
};

enum class RowLayout {
    Packed3,      // 3 channels, each pixel's 3 bytes side by side
    Packed4,      // the same with 4
    Planar,       // a column step of 1, the channels in planes that do not meet
    Stepped,      // any other layout in which no two pixels share a byte
    PixelByPixel  // pixels that share bytes: only the plain fill's order is right
};

// Pixels in a block: what one call of BlockBits answers for.
constexpr int32_t kBlockPixels = 16;

RowLayout LayoutOf(const PixelBuffer& buffer);

struct FilterRecord;
// The output buffer delivered for the record's request, `channelCount`
// channels of each pixel.
PixelBuffer DeliveredOutput(const FilterRecord* record, uint8_t channelCount);

// A block's bits found one pixel at a time: what every block search comes
// to without SSE2, and what the stepped rows always do.
template <typename Rows>
uint64_t BlockBitsPixelByPixel(const Rows& rows, const uint8_t* row, int32_t x) {
    uint64_t bits = 0;
    for (int32_t i = 0; i < kBlockPixels; ++i) {
        bits |= uint64_t(rows.Contains(row, x + i)) << (i * Rows::kBitsPerPixel);
    }
    return bits;
}

// What the rows of every layout hold: the buffer and the range.
class BufferRows {
public:
    BufferRows(const PixelBuffer& buffer, const ColorRange& range) : buffer(buffer), range(range) {}

    int32_t Width() const { return buffer.width; }
    int32_t Height() const { return buffer.height; }
    uint8_t* Row(int32_t row) const { return buffer.Row(row); }

protected:
    PixelBuffer buffer;
    ColorRange range;
};

// Any layout, one pixel at a time.
class SteppedRows : public BufferRows {
public:
    static constexpr int kBitsPerPixel = 1;
    static constexpr uint64_t kPixelBits = 0xFFFF;

    SteppedRows(const PixelBuffer& buffer, const ColorRange& range, const uint8_t color[4])
        : BufferRows(buffer, range), color{color[0], color[1], color[2], color[3]} {}

    bool Contains(const uint8_t* row, int32_t x) const {
        return range.Contains(row + intptr_t(x) * buffer.columnStep, buffer.channelCount,
                              buffer.planeStep);
    }
    // Pixels x to x + 15, which lie in the row.
    uint64_t BlockBits(const uint8_t* row, int32_t x) const {
        return BlockBitsPixelByPixel(*this, row, x);
    }
    // Paints columns left to end - 1.
    void Paint(uint8_t* row, int32_t left, int32_t end) const {
        for (int32_t x = left; x < end; ++x) {
            uint8_t* pixel = row + intptr_t(x) * buffer.columnStep;
            for (uint8_t k = 0; k < buffer.channelCount; ++k) {
                pixel[k * buffer.planeStep] = color[k];
            }
        }
    }

private:
    uint8_t color[4];
};

// kChannels (3 or 4) channels per pixel, side by side, nothing between pixels.
template <int kChannels>
class PackedRows : public BufferRows {
public:
    static constexpr int kBitsPerPixel = kChannels;
    static constexpr uint64_t kPixelBits =
        kChannels == 3 ? 0x249249249249ull : 0x1111111111111111ull;
    static constexpr int kBlockBytes = kBlockPixels * kChannels;

    PackedRows(const PixelBuffer& buffer, const ColorRange& range, const uint8_t color[4])
        : BufferRows(buffer, range) {
        for (int i = 0; i < kBlockBytes; ++i) {
            lowBytes[i] = range.low[i % kChannels];
            highBytes[i] = range.high[i % kChannels];
            pattern[i] = color[i % kChannels];
        }
    }

    bool Contains(const uint8_t* row, int32_t x) const {
        return range.Contains(row + intptr_t(x) * kChannels, kChannels, 1);
    }
    uint64_t BlockBits(const uint8_t* row, int32_t x) const {
#if defined(__SSE2__)
        const uint8_t* bytes = row + intptr_t(x) * kChannels;
        // A byte is in its bounds when neither saturated difference is above 0.
        uint64_t inside = 0;
        const __m128i zero = _mm_setzero_si128();
        for (int i = 0; i < kChannels; ++i) {
            const __m128i value = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
            const __m128i low =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(lowBytes + 16 * i));
            const __m128i high =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(highBytes + 16 * i));
            const __m128i outside =
                _mm_or_si128(_mm_subs_epu8(low, value), _mm_subs_epu8(value, high));
            inside |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(outside, zero))))
                      << (16 * i);
        }
        // A pixel is in range when all its bytes are.
        uint64_t all = inside;
        for (int k = 1; k < kChannels; ++k) {
            all &= inside >> k;
        }
        return all & kPixelBits;
#else
        return BlockBitsPixelByPixel(*this, row, x);
#endif
    }
    void Paint(uint8_t* row, int32_t left, int32_t end) const {
        uint8_t* bytes = row + intptr_t(left) * kChannels;
        int32_t count = end - left;
        for (; count >= kBlockPixels; count -= kBlockPixels, bytes += kBlockBytes) {
            std::memcpy(bytes, pattern, kBlockBytes);
        }
        std::memcpy(bytes, pattern, size_t(count) * kChannels);
    }

private:
    // The bounds and the colour repeated over a block.
    uint8_t lowBytes[kBlockBytes];
    uint8_t highBytes[kBlockBytes];
    uint8_t pattern[kBlockBytes];
};

// A column step of 1: channel k of a row lies in a plane of its own.
class PlanarRows : public BufferRows {
public:
    static constexpr int kBitsPerPixel = 1;
    static constexpr uint64_t kPixelBits = 0xFFFF;

    PlanarRows(const PixelBuffer& buffer, const ColorRange& range, const uint8_t color[4])
        : BufferRows(buffer, range), color{color[0], color[1], color[2], color[3]} {}

    bool Contains(const uint8_t* row, int32_t x) const {
        return range.Contains(row + x, buffer.channelCount, buffer.planeStep);
    }
    uint64_t BlockBits(const uint8_t* row, int32_t x) const {
#if defined(__SSE2__)
        uint32_t inside = 0xFFFF;
        const __m128i zero = _mm_setzero_si128();
        for (uint8_t k = 0; k < buffer.channelCount; ++k) {
            const __m128i value = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(row + intptr_t(k) * buffer.planeStep + x));
            const __m128i outside =
                _mm_or_si128(_mm_subs_epu8(_mm_set1_epi8(char(range.low[k])), value),
                             _mm_subs_epu8(value, _mm_set1_epi8(char(range.high[k]))));
            inside &= uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(outside, zero)));
        }
        return inside;
#else
        return BlockBitsPixelByPixel(*this, row, x);
#endif
    }
    void Paint(uint8_t* row, int32_t left, int32_t end) const {
        for (uint8_t k = 0; k < buffer.channelCount; ++k) {
            std::memset(row + intptr_t(k) * buffer.planeStep + left, color[k], size_t(end - left));
        }
    }

private:
    uint8_t color[4];
};

// Calls action(rows) with the rows object of the layout and returns what it
// returns. PixelByPixel gets the stepped rows, right for reading; painting
// such a buffer is for the plain fill alone.
template <typename Action>
auto WithPixelRows(const PixelBuffer& buffer, RowLayout layout, const ColorRange& range,
                   const uint8_t color[4], Action&& action) {
    switch (layout) {
        case RowLayout::Packed3:
            return action(PackedRows<3>(buffer, range, color));
        case RowLayout::Packed4:
            return action(PackedRows<4>(buffer, range, color));
        case RowLayout::Planar:
            return action(PlanarRows(buffer, range, color));
        default:
            return action(SteppedRows(buffer, range, color));
    }
}
