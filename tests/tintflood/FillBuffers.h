// Buffers of every layout the fill serves, filled with stretches of pixels
// in and out of a random colour range, for the tests of the rows classes and
// of the fill by runs.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ColorRange.h"
#include "PixelRows.h"

namespace fillbuffers {

struct Shape {
    std::string name;
    int32_t columnStep;
    int32_t planeStep;  // 0: planes apart, one after the other (planar)
    int32_t padding;    // bytes after each row
    uint8_t channelCount;
    RowLayout layout;  // what LayoutOf must say
};

inline std::vector<Shape> Shapes() {
    return {
        {"packed 3", 3, 1, 0, 3, RowLayout::Packed3},
        {"packed 3, padded", 3, 1, 13, 3, RowLayout::Packed3},
        {"packed 4", 4, 1, 0, 4, RowLayout::Packed4},
        {"planar 3", 1, 0, 0, 3, RowLayout::Planar},
        {"planar 4, padded", 1, 0, 7, 4, RowLayout::Planar},
        {"3 of 4 interleaved", 4, 1, 0, 3, RowLayout::Stepped},
        {"4 of 5 interleaved", 5, 1, 3, 4, RowLayout::Stepped},
        {"planes of every second byte", 2, 0, 1, 3, RowLayout::Stepped},
    };
}

// A buffer of `shape` with its own bytes.
class Buffer {
public:
    Buffer(const Shape& shape, int32_t width, int32_t height) {
        view.width = width;
        view.height = height;
        view.channelCount = shape.channelCount;
        view.columnStep = shape.columnStep;
        const int32_t pixelBytes = shape.planeStep == 0 ? 1 : shape.columnStep;
        view.rowBytes = (width - 1) * shape.columnStep + pixelBytes + shape.padding;
        const int32_t planeBytes = view.rowBytes * height;
        view.planeStep = shape.planeStep == 0 ? planeBytes : shape.planeStep;
        bytes.assign(size_t(shape.planeStep == 0 ? planeBytes * shape.channelCount : planeBytes),
                     0xEE);
        view.base = bytes.data();
    }
    Buffer(const Buffer& other) : view(other.view), bytes(other.bytes) { view.base = bytes.data(); }
    Buffer& operator=(const Buffer&) = delete;

    uint8_t* Channel(int32_t row, int32_t column, int k) {
        return view.base + intptr_t(row) * view.rowBytes + intptr_t(column) * view.columnStep +
               intptr_t(k) * view.planeStep;
    }

    PixelBuffer view;
    std::vector<uint8_t> bytes;
};

// A range with some room in every channel, so in and out both happen.
inline ColorRange RandomRange(std::mt19937& random) {
    ColorRange range;
    for (int k = 0; k < 4; ++k) {
        range.low[k] = uint8_t(random() % 200);
        range.high[k] = uint8_t(range.low[k] + random() % 56);
    }
    return range;
}

// A colour in the range, or just outside it in one channel (a bound's
// neighbour, the hardest case for the byte compares).
inline void PutColour(Buffer& buffer, int32_t row, int32_t column, const ColorRange& range,
                      bool inside, std::mt19937& random) {
    const int channels = buffer.view.channelCount;
    const int wrong = inside ? -1 : int(random() % uint32_t(channels));
    for (int k = 0; k < channels; ++k) {
        uint8_t value = uint8_t(range.low[k] + random() % (range.high[k] - range.low[k] + 1u));
        if (k == wrong) {
            const bool below = range.low[k] > 0 && (range.high[k] == 255 || random() % 2 == 0);
            value = below ? uint8_t(range.low[k] - 1 - random() % 2 * (range.low[k] > 1))
                          : uint8_t(range.high[k] + 1);
        }
        *buffer.Channel(row, column, k) = value;
    }
}

// Stretches of 1 to `longest` pixels in and out of range; `inShare` of
// 100 stretches are in.
inline void FillStretches(Buffer& buffer, const ColorRange& range, std::mt19937& random,
                          uint32_t longest, uint32_t inShare) {
    for (int32_t row = 0; row < buffer.view.height; ++row) {
        for (int32_t column = 0; column < buffer.view.width;) {
            const bool inside = random() % 100 < inShare;
            const int32_t length = 1 + int32_t(random() % longest);
            for (int32_t i = 0; i < length && column < buffer.view.width; ++i, ++column) {
                PutColour(buffer, row, column, range, inside, random);
            }
        }
    }
}

}  // namespace fillbuffers
