#include "ColouredDistance.h"

#include <algorithm>

namespace {

constexpr uint16_t kNoColumnColour = 0xFFFF;

// floor(numerator / denominator) for a positive denominator.
int64_t FloorDivide(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

}  // namespace

ColouredDistance::ColouredDistance(const FlattenJob& job, const LineTest& lineTest)
    : width(job.width), height(job.height) {
    ComputeColumnDistances(job, lineTest);
    envelopeColumns.resize(width);
    envelopeStarts.resize(width);
}

void ColouredDistance::ComputeColumnDistances(const FlattenJob& job, const LineTest& lineTest) {
    columnDistances.assign(size_t(width) * height, kNoColumnColour);
    // Downwards: distance to the nearest coloured pixel above or here.
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* pixel = job.input.base + intptr_t(y) * job.input.rowBytes;
        uint16_t* row = &columnDistances[size_t(y) * width];
        const uint16_t* above = y > 0 ? row - width : nullptr;
        for (uint32_t x = 0; x < width; ++x, pixel += job.input.columnStep) {
            if (!lineTest.IsLinePixel(pixel)) {
                row[x] = 0;
            } else if (above != nullptr && above[x] != kNoColumnColour) {
                row[x] = uint16_t(above[x] + 1);
            }
        }
    }
    // Upwards: the nearer of that and the nearest coloured pixel below.
    for (int32_t y = int32_t(height) - 2; y >= 0; --y) {
        uint16_t* row = &columnDistances[size_t(y) * width];
        const uint16_t* below = row + width;
        for (uint32_t x = 0; x < width; ++x) {
            if (below[x] != kNoColumnColour && uint32_t(below[x]) + 1 < row[x]) {
                row[x] = uint16_t(below[x] + 1);
            }
        }
    }
}

void ColouredDistance::PrepareRows(uint16_t firstRow, uint16_t rows) {
    preparedFirstRow = firstRow;
    rowDistances.resize(size_t(rows) * width);
    for (uint32_t r = 0; r < rows; ++r) {
        ComputeRow(&columnDistances[size_t(firstRow + r) * width],
                   &rowDistances[size_t(r) * width]);
    }
}

// Lower envelope of the parabolas (x - i)^2 + g(i)^2 over the columns i that
// have a coloured pixel, evaluated at every x of the row.
void ColouredDistance::ComputeRow(const uint16_t* g, uint32_t* out) {
    auto reach = [g](int64_t x, int64_t i) { return (x - i) * (x - i) + int64_t(g[i]) * g[i]; };
    // First x from which column u's parabola lies below column i's (i < u).
    auto separation = [g](int64_t i, int64_t u) {
        return FloorDivide(u * u - i * i + int64_t(g[u]) * g[u] - int64_t(g[i]) * g[i],
                           2 * (u - i));
    };

    int32_t count = 0;
    for (int32_t u = 0; u < width; ++u) {
        if (g[u] == kNoColumnColour) {
            continue;
        }
        while (count > 0 && reach(envelopeStarts[count - 1], envelopeColumns[count - 1]) >
                                reach(envelopeStarts[count - 1], u)) {
            --count;
        }
        if (count == 0) {
            envelopeColumns[0] = u;
            envelopeStarts[0] = 0;
            count = 1;
        } else {
            const int64_t start = 1 + separation(envelopeColumns[count - 1], u);
            if (start < width) {
                envelopeColumns[count] = u;
                envelopeStarts[count] = int32_t(start);
                ++count;
            }
        }
    }
    if (count == 0) {
        std::fill(out, out + width, kUnknown);
        return;
    }
    for (int32_t x = width - 1; x >= 0; --x) {
        const int64_t distance = reach(x, envelopeColumns[count - 1]);
        out[x] = uint32_t(std::min<int64_t>(distance, kUnknown));
        if (x == envelopeStarts[count - 1] && count > 1) {
            --count;
        }
    }
}
