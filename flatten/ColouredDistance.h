// Exact squared Euclidean distance from a line pixel to the nearest coloured
// pixel, for the line pixels whose nearest-first search would walk far
// (thick lines, large dark areas, pages dark up to an edge). Knowing it, the
// search can skip every nearer offset instead of testing each.
//
// The pass names each strip in turn. For a strip where some distance is asked
// for, the distance to the nearest coloured pixel in the same column comes
// from a carry down the image (brought up to date only then) and one upward
// pass over the strip (2 bytes a pixel of the strip); a line pixel's distance
// is then the
// smallest (x - i)^2 + g(i)^2 over the columns i of its row, found by looking
// outward from its own column and stopping once no nearer column can win.
// Rows where that would look far take the lower envelope of parabolas along
// the whole row instead (Meijster's method), linear in the width. With SSE2
// the distances of a strip's pixels whose nearest coloured pixel lies within
// 16 columns are found ahead, eight pixels at a time. The work is
// linear in the pixels of the strips that ask, and the columns below a strip
// are read once over the whole run.
#pragma once

#include <cstdint>
#include <vector>

#include "ColouredBits.h"

class ColouredDistance {
public:
    // `bits` must outlive the object.
    ColouredDistance(const ColouredBits& bits, uint16_t width, uint16_t height);

    // The next strip, rows firstRow .. firstRow + rows - 1. Strips come in
    // order from the top.
    void NextStrip(uint16_t firstRow, uint16_t rows);

    // Squared distance from line pixel (y, x) of the current strip to the
    // nearest coloured pixel of the image; the image must have one.
    uint32_t SquaredDistance(uint16_t y, uint16_t x) {
        if (nearReady) {
            const size_t at = size_t(y - firstRow) * width + x;
            const uint16_t near = nearDistance[at];
            if (near != kUnsettled) {
                return near;
            }
            if (rowIsWhole[y - firstRow] != 0) {
                return wholeRow[at];
            }
        }
        return FarSquaredDistance(y, x);
    }

    // Whether the current strip's column distances are made: a distance then
    // costs a look at its row.
    bool StripReady() const { return columnsReady; }

    // For row y of the current strip, once StripReady: per column, the
    // distance up or down to the nearest coloured pixel of the column, or
    // 0xFFFF for none.
    const uint16_t* ColumnDistances(uint16_t y) const {
        return &columnDistance[size_t(y - firstRow) * width];
    }

private:
    // Marks a pixel whose distance was not found ahead.
    static constexpr uint16_t kUnsettled = 0xFFFF;

    uint32_t FarSquaredDistance(uint16_t y, uint16_t x);
    void StepColumns(const uint64_t* colouredRow, const uint16_t* neighbour, uint16_t* out) const;
    void CarryDownTo(uint32_t row);
    void PrepareColumns();
    void PrepareWholeRow(uint32_t row);
    // Brings colouredBelow up to `fromRow` for every column.
    void FindColouredBelow(uint32_t fromRow);
    void PrepareNearDistances();

    const ColouredBits& bits;
    uint32_t width;
    uint32_t height;

    uint32_t firstRow = 0;
    uint32_t rows = 0;
    bool columnsReady = false;

    // Per column: distance from row carriedTo - 1 up to the nearest coloured
    // pixel at or above it.
    std::vector<uint16_t> down;
    uint32_t carriedTo = 0;
    // Per column: the first coloured row at or below the row it was last
    // looked for from (height when none); 0 before the first look.
    std::vector<uint16_t> colouredBelow;
    std::vector<uint16_t> below;  // work space: upward column distances

    std::vector<uint16_t> columnDistance;  // per pixel of the strip
    std::vector<uint32_t> wholeRow;        // per pixel of the strip's rows done whole
    std::vector<uint8_t> rowIsWhole;
    // Per pixel of the strip where made: its squared distance when its
    // nearest coloured pixel is near, else a mark.
    std::vector<uint16_t> nearDistance;
    bool nearReady = false;
    std::vector<int16_t> paddedSquares;    // work space of one row
    std::vector<int32_t> envelopeColumns;  // work space of one row
    std::vector<int32_t> envelopeStarts;
};
