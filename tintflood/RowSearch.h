// Searches along one row of any of the rows classes of PixelRows.h: whole
// blocks where the row has them, single pixels at its ends.
#pragma once

#include <algorithm>
#include <cstdint>

#include "PixelRows.h"

namespace rowsearch {

inline int LowestBit(uint64_t bits) {
    return __builtin_ctzll(bits);
}
inline int HighestBit(uint64_t bits) {
    return 63 - __builtin_clzll(bits);
}

// The first column in [x, limit) whose pixel is in range when `inside`, out
// of range otherwise; limit when there is none. limit <= the row's width.
template <typename Rows>
int32_t FirstOfKind(const Rows& rows, const uint8_t* row, int32_t x, int32_t limit, bool inside) {
    const uint64_t flip = inside ? 0 : Rows::kPixelBits;
    // A block may reach past limit, never past the row.
    for (; x < limit && x + kBlockPixels <= rows.Width(); x += kBlockPixels) {
        const uint64_t bits = rows.BlockBits(row, x) ^ flip;
        if (bits != 0) {
            return std::min(limit, x + LowestBit(bits) / Rows::kBitsPerPixel);
        }
    }
    for (; x < limit; ++x) {
        if (rows.Contains(row, x) == inside) {
            return x;
        }
    }
    return limit;
}

}  // namespace rowsearch

// The first column from x on whose pixel is in range; limit when none is
// before it.
template <typename Rows>
int32_t NextInside(const Rows& rows, const uint8_t* row, int32_t x, int32_t limit) {
    return rowsearch::FirstOfKind(rows, row, x, limit, true);
}

// The first column from x on whose pixel is out of range; limit when none is
// before it.
template <typename Rows>
int32_t NextOutside(const Rows& rows, const uint8_t* row, int32_t x, int32_t limit) {
    return rowsearch::FirstOfKind(rows, row, x, limit, false);
}

// The first column of the unbroken run of in-range pixels that ends at
// column x - 1: x itself when that pixel is out of range or x is 0.
template <typename Rows>
int32_t RunStartBefore(const Rows& rows, const uint8_t* row, int32_t x) {
    for (; x >= kBlockPixels; x -= kBlockPixels) {
        const uint64_t outside = ~rows.BlockBits(row, x - kBlockPixels) & Rows::kPixelBits;
        if (outside != 0) {
            return x - kBlockPixels + rowsearch::HighestBit(outside) / Rows::kBitsPerPixel + 1;
        }
    }
    while (x > 0 && rows.Contains(row, x - 1)) {
        --x;
    }
    return x;
}
