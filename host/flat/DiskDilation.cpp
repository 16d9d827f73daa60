#include "host/flat/DiskDilation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace oxhost {

namespace {

uint64_t IntegerSqrt(uint64_t value) {
    uint64_t root = uint64_t(std::sqrt(double(value)));
    while (root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return root;
}

// The disk as seen from the rows: a pixel `rows` rows from a set pixel lies
// within the distance when at most halfWidth[rows] columns from it.
struct DiskRows {
    uint16_t tooFar;             // radius + 1: rows beyond the disk
    std::vector<int> halfWidth;  // tooFar entries
};

DiskRows DiskRowsFor(uint64_t maxSquaredDistance, int width, int height) {
    // No two pixels of the page lie farther apart than the page's diagonal
    // (under 46342 for the largest page); capping there keeps the table small
    // and changes no answer.
    const uint64_t side = uint64_t(std::max(width, height));
    const uint64_t cappedSquare = std::min(maxSquaredDistance, 2 * side * side);
    const int radius = int(IntegerSqrt(cappedSquare));
    DiskRows disk;
    disk.tooFar = uint16_t(radius + 1);
    disk.halfWidth.resize(size_t(disk.tooFar));
    for (int rows = 0; rows <= radius; ++rows) {
        disk.halfWidth[size_t(rows)] = int(IntegerSqrt(cappedSquare - uint64_t(rows) * rows));
    }
    return disk;
}

// Counts one more row since the nearest set pixel of each column, 0 on a set
// pixel, up to tooFar. One branch-free loop the compiler can vectorise.
template <bool kSetIsNonzero>
void CountRows(const uint8_t* row, int width, uint16_t tooFar, uint16_t* rowsAway) {
    for (int x = 0; x < width; ++x) {
        const bool isSet = kSetIsNonzero ? row[x] != 0 : row[x] == 0;
        const uint16_t next = std::min(uint16_t(rowsAway[x] + 1), tooFar);
        rowsAway[x] = isSet ? uint16_t(0) : next;
    }
}

// Marks the span of pixels each near enough column reaches in one row.
// Overlapping spans are merged before they are written, and four columns at
// a time are passed when all are too far or all set, so the work is about a
// step per four pixels on most of a page plus the pixels marked, whatever the
// radius.
void MarkRow(const uint16_t* rowsAway, const DiskRows& disk, int width, uint8_t* within) {
    const uint64_t fourTooFar = uint64_t(disk.tooFar) * 0x0001000100010001u;
    const int setReach = disk.halfWidth[0];
    int spanBegin = 0;
    int spanEnd = -2;  // inclusive; no span yet
    const auto addSpan = [&](int begin, int end) {
        begin = std::max(begin, 0);
        end = std::min(end, width - 1);
        if (begin > spanEnd + 1) {
            if (spanEnd >= spanBegin) {
                std::memset(within + spanBegin, 1, size_t(spanEnd - spanBegin + 1));
            }
            spanBegin = begin;
            spanEnd = end;
        } else {
            // A wider span can reach back past the start of the current one.
            spanBegin = std::min(spanBegin, begin);
            spanEnd = std::max(spanEnd, end);
        }
    };
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        uint64_t four;
        std::memcpy(&four, rowsAway + x, sizeof four);
        if (four == fourTooFar) {
            continue;
        }
        if (four == 0) {
            addSpan(x - setReach, x + 3 + setReach);
            continue;
        }
        for (int column = x; column < x + 4; ++column) {
            const int rows = rowsAway[column];
            if (rows != disk.tooFar) {
                const int halfWidth = disk.halfWidth[size_t(rows)];
                addSpan(column - halfWidth, column + halfWidth);
            }
        }
    }
    for (; x < width; ++x) {
        const int rows = rowsAway[x];
        if (rows != disk.tooFar) {
            const int halfWidth = disk.halfWidth[size_t(rows)];
            addSpan(x - halfWidth, x + halfWidth);
        }
    }
    if (spanEnd >= spanBegin) {
        std::memset(within + spanBegin, 1, size_t(spanEnd - spanBegin + 1));
    }
}

}  // namespace

std::vector<uint8_t> WithinDistance(const std::vector<uint8_t>& bytes, DistanceTo set, int width,
                                    int height, uint64_t maxSquaredDistance) {
    std::vector<uint8_t> within(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0);
    if (within.empty()) {
        return within;
    }
    const DiskRows disk = DiskRowsFor(maxSquaredDistance, width, height);
    const auto countRows = set == DistanceTo::NonzeroPixels ? CountRows<true> : CountRows<false>;
    std::vector<uint16_t> rowsAway(size_t(width), disk.tooFar);
    for (int y = 0; y < height; ++y) {
        const size_t offset = size_t(y) * size_t(width);
        countRows(bytes.data() + offset, width, disk.tooFar, rowsAway.data());
        MarkRow(rowsAway.data(), disk, width, within.data() + offset);
    }
    std::fill(rowsAway.begin(), rowsAway.end(), disk.tooFar);
    for (int y = height - 1; y >= 0; --y) {
        const size_t offset = size_t(y) * size_t(width);
        countRows(bytes.data() + offset, width, disk.tooFar, rowsAway.data());
        MarkRow(rowsAway.data(), disk, width, within.data() + offset);
    }
    return within;
}

}  // namespace oxhost
