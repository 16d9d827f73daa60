#include "ColouredDistance.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// No coloured pixel in that direction; larger than any real column distance
// (images are at most 32767 pixels high), and its square still fits 32 bits.
constexpr uint16_t kNoColour = 0xFFFF;

// For the eight pixels of a byte of coloured bits: all ones where a pixel is
// line work, 0 where it is coloured.
struct LineMasks {
    uint16_t of[256][8];
    constexpr LineMasks() : of() {
        for (int byte = 0; byte < 256; ++byte) {
            for (int k = 0; k < 8; ++k) {
                of[byte][k] = (byte >> k & 1) != 0 ? 0 : 0xFFFF;
            }
        }
    }
};
constexpr LineMasks kLineMasks;

// Columns farther than this from a pixel make its row be done whole.
constexpr uint32_t kLocalReach = 32;

// Columns a strip's distances are looked for in ahead, eight pixels at a
// time; a pixel whose nearest coloured pixel lies farther is left to the
// search one pixel at a time.
constexpr int32_t kNearReach = 16;
// A square too large for the eight-at-a-time search (16-bit lanes).
constexpr int16_t kFarSquare = 0x7FFF;

// floor(numerator / denominator) for a positive denominator.
int64_t FloorDivide(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

uint64_t Square(uint64_t value) {
    return value * value;
}

}  // namespace

ColouredDistance::ColouredDistance(const ColouredBits& bits, uint16_t width, uint16_t height)
    : bits(bits),
      width(width),
      height(height),
      down(width, kNoColour),
      colouredBelow(width, 0),
      below(width, 0) {}

void ColouredDistance::NextStrip(uint16_t first, uint16_t count) {
    firstRow = first;
    rows = count;
    columnsReady = false;
    nearReady = false;
}

// One step of a column distance along a column: 0 on a coloured pixel,
// else one more than the neighbour's (none stays none), for a row of pixels.
void ColouredDistance::StepColumns(const uint64_t* colouredRow, const uint16_t* neighbour,
                                   uint16_t* out) const {
    for (uint32_t from = 0; from < width; from += 64) {
        const uint32_t count = std::min<uint32_t>(64, width - from);
        const uint64_t word = colouredRow[from >> 6];
        if (word == 0) {
            for (uint32_t x = from; x < from + count; ++x) {
                out[x] = uint16_t(neighbour[x] + (neighbour[x] != kNoColour ? 1 : 0));
            }
        } else if (~word == 0) {
            std::fill(out + from, out + from + count, uint16_t(0));
        } else {
            // Eight columns at a time through a mask per byte of the word,
            // a loop the compiler makes wide.
            for (uint32_t at = 0; at < count; at += 8) {
                const uint16_t* keep = kLineMasks.of[(word >> at) & 0xFF];
                const uint32_t some = std::min<uint32_t>(8, count - at);
                const uint16_t* in = neighbour + from + at;
                uint16_t* to = out + from + at;
                if (some == 8) {
                    for (uint32_t k = 0; k < 8; ++k) {
                        to[k] = uint16_t(in[k] + (in[k] != kNoColour ? 1 : 0)) & keep[k];
                    }
                } else {
                    for (uint32_t k = 0; k < some; ++k) {
                        to[k] = uint16_t(in[k] + (in[k] != kNoColour ? 1 : 0)) & keep[k];
                    }
                }
            }
        }
    }
}

// Brings the carry down to `row`, for strips that asked for no distance.
void ColouredDistance::CarryDownTo(uint32_t row) {
    for (; carriedTo < row; ++carriedTo) {
        StepColumns(bits.Row(carriedTo), down.data(), down.data());
    }
}

// A column is looked down again only once the rows have passed the coloured
// pixel found before, so each column below the strips is read about once;
// and the columns of one word are looked down together, a word a row, as
// row after row of one column would each be a different cache line.
void ColouredDistance::FindColouredBelow(uint32_t fromRow) {
    for (uint32_t from = 0; from < width; from += 64) {
        const uint32_t count = std::min<uint32_t>(64, width - from);
        uint64_t pending = 0;
        for (uint32_t k = 0; k < count; ++k) {
            pending |= uint64_t(colouredBelow[from + k] < fromRow) << k;
        }
        for (uint32_t row = fromRow; pending != 0 && row < height; ++row) {
            uint64_t found = bits.Row(row)[from >> 6] & pending;
            pending &= ~found;
            for (; found != 0; found &= found - 1) {
                colouredBelow[from + uint32_t(__builtin_ctzll(found))] = uint16_t(row);
            }
        }
        for (; pending != 0; pending &= pending - 1) {
            colouredBelow[from + uint32_t(__builtin_ctzll(pending))] = uint16_t(height);
        }
    }
}

void ColouredDistance::PrepareColumns() {
    columnsReady = true;
    CarryDownTo(firstRow);
    columnDistance.resize(size_t(rows) * width);
    rowIsWhole.assign(rows, 0);
    // Downwards from the carry.
    for (uint32_t r = 0; r < rows; ++r) {
        const uint16_t* above = r == 0 ? down.data() : &columnDistance[(r - 1) * width];
        StepColumns(bits.Row(firstRow + r), above, &columnDistance[size_t(r) * width]);
    }
    std::copy(&columnDistance[size_t(rows - 1) * width], &columnDistance[size_t(rows) * width],
              down.begin());
    carriedTo = firstRow + rows;
    // Upwards: the nearest coloured pixel below the strip, where the strip's
    // last row is line work, then the nearer of both within the strip.
    const uint32_t last = rows - 1;
    FindColouredBelow(firstRow + rows);
    for (uint32_t x = 0; x < width; ++x) {
        if (bits.Coloured(firstRow + last, x)) {
            below[x] = 0;
        } else {
            const uint32_t row = colouredBelow[x];
            below[x] = row < height ? uint16_t(row - (firstRow + last)) : kNoColour;
        }
    }
    for (uint32_t r = rows; r-- > 0;) {
        uint16_t* out = &columnDistance[size_t(r) * width];
        if (r != last) {
            StepColumns(bits.Row(firstRow + r), below.data(), below.data());
        }
        for (uint32_t x = 0; x < width; ++x) {
            out[x] = std::min(out[x], below[x]);
        }
    }
    PrepareNearDistances();
}

#if defined(__SSE2__)
// The distances of the strip's line pixels whose nearest coloured pixel
// lies within kNearReach columns, eight neighbouring pixels at a time: the
// same smallest (x - i)^2 + g(i)^2 as FarSquaredDistance finds, with the
// squares saturating in 16 bits. One pixel at a time, where the search
// stops is hard for the processor to guess.
void ColouredDistance::PrepareNearDistances() {
    nearDistance.resize(size_t(rows) * width);
    // Squares of a row's column distances, with columns beyond both ends
    // too far to matter.
    paddedSquares.assign(size_t(width) + 2 * kNearReach + 8, kFarSquare);
    int16_t* squares = paddedSquares.data() + kNearReach;
    const __m128i largestRoot = _mm_set1_epi16(181);  // 181^2 < 0x7FFF
    const __m128i far = _mm_set1_epi16(kFarSquare);
    const __m128i zero = _mm_setzero_si128();
    const __m128i beyondReach = _mm_set1_epi16(int16_t((kNearReach + 1) * (kNearReach + 1)));
    for (uint32_t r = 0; r < rows; ++r) {
        const uint16_t* g = &columnDistance[size_t(r) * width];
        uint32_t x = 0;
        for (; x + 8 <= width; x += 8) {
            const __m128i column = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + x));
            const __m128i small = _mm_cmpeq_epi16(_mm_subs_epu16(column, largestRoot), zero);
            const __m128i square = _mm_mullo_epi16(column, column);
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(squares + x),
                _mm_or_si128(_mm_and_si128(small, square), _mm_andnot_si128(small, far)));
        }
        for (; x < width; ++x) {
            squares[x] = g[x] <= 181 ? int16_t(g[x] * g[x]) : kFarSquare;
        }
        const uint64_t* colouredRow = bits.Row(firstRow + r);
        uint16_t* out = &nearDistance[size_t(r) * width];
        for (x = 0; x < width; x += 8) {
            // Only line pixels ask; eight coloured ones need nothing.
            if ((colouredRow[x >> 6] >> (x & 63) & 0xFF) == 0xFF && x + 8 <= width) {
                continue;
            }
            // Where no column within reach is near enough to settle one of
            // them, as inside large dark areas, the eight are left alone.
            __m128i reachable = _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + x));
            for (int32_t from = -kNearReach; from <= kNearReach; from += 8) {
                reachable = _mm_min_epi16(
                    reachable,
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + x + from)));
            }
            if (_mm_movemask_epi8(_mm_cmpgt_epi16(reachable, beyondReach)) == 0xFFFF) {
                std::fill(out + x, out + std::min<uint32_t>(x + 8, width), kUnsettled);
                continue;
            }
            __m128i best = _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + x));
            int32_t k = 1;
            for (; k <= kNearReach; ++k) {
                const __m128i across = _mm_set1_epi16(int16_t(k * k));
                if (_mm_movemask_epi8(_mm_cmpgt_epi16(best, across)) == 0) {
                    break;  // no column this far or farther is nearer
                }
                const __m128i nearer = _mm_min_epi16(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + x - k)),
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + x + k)));
                best = _mm_min_epi16(best, _mm_adds_epi16(across, nearer));
            }
            // Settled where no column beyond those looked at can be nearer.
            const __m128i unsettled = _mm_cmpgt_epi16(best, _mm_set1_epi16(int16_t(k * k)));
            uint16_t lanes[8];
            _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), _mm_or_si128(best, unsettled));
            std::copy(lanes, lanes + std::min<uint32_t>(8, width - x), out + x);
        }
    }
    nearReady = true;
}
#else
void ColouredDistance::PrepareNearDistances() {}
#endif

uint32_t ColouredDistance::FarSquaredDistance(uint16_t y, uint16_t x) {
    if (!columnsReady) {
        PrepareColumns();
        return SquaredDistance(y, x);
    }
    const uint32_t row = y - firstRow;
    if (rowIsWhole[row] != 0) {
        return wholeRow[size_t(row) * width + x];
    }
    // Squares of column distances fit 32 bits (kNoColour included), and so
    // do they with k * k added for k up to kLocalReach.
    const uint16_t* g = &columnDistance[size_t(row) * width];
    uint32_t best = uint32_t(g[x]) * g[x];
    // Columns on both sides first (the usual case), then on one side.
    const uint32_t bothSides = std::min(std::min<uint32_t>(x, width - 1u - x), kLocalReach);
    uint32_t k = 1;
    for (uint32_t square = 1; k <= bothSides && square < best; square += 2 * k + 1, ++k) {
        const uint32_t nearer = std::min(g[x - k], g[x + k]);
        best = std::min(best, square + nearer * nearer);
    }
    for (; k * k < best; ++k) {
        if (k > kLocalReach) {
            PrepareWholeRow(row);
            return wholeRow[size_t(row) * width + x];
        }
        uint32_t nearer = 0;
        if (k <= x && x + k < width) {
            nearer = std::min(g[x - k], g[x + k]);
        } else if (k <= x) {
            nearer = g[x - k];
        } else if (x + k < width) {
            nearer = g[x + k];
        } else {
            break;
        }
        best = std::min(best, k * k + nearer * nearer);
    }
    return best;
}

// Lower envelope of the parabolas (x - i)^2 + g(i)^2 over the columns i that
// have a coloured pixel, evaluated at every x of the row.
void ColouredDistance::PrepareWholeRow(uint32_t row) {
    if (wholeRow.size() < size_t(rows) * width) {
        wholeRow.resize(size_t(rows) * width);
        envelopeColumns.resize(width);
        envelopeStarts.resize(width);
    }
    rowIsWhole[row] = 1;
    const uint16_t* g = &columnDistance[size_t(row) * width];
    uint32_t* out = &wholeRow[size_t(row) * width];
    auto reach = [g](int64_t x, int64_t i) { return (x - i) * (x - i) + int64_t(g[i]) * g[i]; };
    // First x from which column u's parabola lies below column i's (i < u).
    auto separation = [g](int64_t i, int64_t u) {
        return FloorDivide(u * u - i * i + int64_t(g[u]) * g[u] - int64_t(g[i]) * g[i],
                           2 * (u - i));
    };

    int32_t count = 0;
    for (int32_t u = 0; u < int32_t(width); ++u) {
        if (g[u] == kNoColour) {
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
            if (start < int64_t(width)) {
                envelopeColumns[count] = u;
                envelopeStarts[count] = int32_t(start);
                ++count;
            }
        }
    }
    if (count == 0) {
        std::fill(out, out + width, uint32_t(Square(kNoColour)));
        return;
    }
    for (int32_t x = int32_t(width) - 1; x >= 0; --x) {
        out[x] = uint32_t(reach(x, envelopeColumns[count - 1]));
        if (x == envelopeStarts[count - 1] && count > 1) {
            --count;
        }
    }
}
