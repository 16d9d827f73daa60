#include "host/image/PngRowFilters.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace oxhost {
namespace {

enum FilterType : uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

uint8_t PaethPredictor(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) {
        return uint8_t(left);
    }
    return uint8_t(toUp <= toUpLeft ? up : upLeft);
}

// Filters `row` with `type` into out[1..rowBytes] and sets out[0]; returns
// the sum of the filtered bytes as signed magnitudes.
uint64_t FilterRow(FilterType type, const uint8_t* row, const uint8_t* above, size_t rowBytes,
                   size_t pixelBytes, uint8_t* out) {
    out[0] = type;
    uint8_t* filtered = out + 1;
    uint64_t sum = 0;
    for (size_t index = 0; index < rowBytes; ++index) {
        const int left = index >= pixelBytes ? row[index - pixelBytes] : 0;
        const int up = above != nullptr ? above[index] : 0;
        const int upLeft = above != nullptr && index >= pixelBytes ? above[index - pixelBytes] : 0;
        int predicted = 0;
        switch (type) {
            case kNone:
                break;
            case kSub:
                predicted = left;
                break;
            case kUp:
                predicted = up;
                break;
            case kAverage:
                predicted = (left + up) / 2;
                break;
            case kPaeth:
                predicted = PaethPredictor(left, up, upLeft);
                break;
        }
        const uint8_t value = uint8_t(row[index] - predicted);
        filtered[index] = value;
        sum += value < 128 ? value : 256 - value;
    }
    return sum;
}

}  // namespace

void FilterRowUp(const uint8_t* row, const uint8_t* above, size_t rowBytes, uint8_t* out) {
    if (above == nullptr) {
        out[0] = kNone;
        std::memcpy(out + 1, row, rowBytes);
        return;
    }
    out[0] = kUp;
    for (size_t index = 0; index < rowBytes; ++index) {
        out[index + 1] = uint8_t(row[index] - above[index]);
    }
}

void FilterRowSmallest(const uint8_t* row, const uint8_t* above, size_t rowBytes, size_t pixelBytes,
                       uint8_t* out, uint8_t* trial) {
    uint64_t best = FilterRow(kNone, row, above, rowBytes, pixelBytes, out);
    for (FilterType type : {kSub, kUp, kAverage, kPaeth}) {
        const uint64_t sum = FilterRow(type, row, above, rowBytes, pixelBytes, trial);
        if (sum < best) {
            best = sum;
            std::memcpy(out, trial, rowBytes + 1);
        }
    }
}

}  // namespace oxhost
