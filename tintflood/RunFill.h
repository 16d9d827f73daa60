// The flood fill by runs: paints the 4-connected area of in-range pixels
// around a seed, one unbroken run of a row at a time, and reports each run
// painted. It paints exactly the pixels the plain span fill of FloodFill.h
// paints with a test of the same range; only the order differs, which no
// one sees unless pixels share bytes (RowLayout::PixelByPixel, left to the
// plain fill).
//
// The algorithm is the classic seed fill by segments: a segment is a stretch
// of columns of one row whose neighbours in the row it came from are
// painted. Each run found in the segment is extended to both ends, painted,
// and sends a segment on in the same direction; where the run reaches past
// the stretch it came from, the overhang sends one back. Painted pixels are
// out of range (the caller sees to it), so a run is never painted twice.
// Time: each pixel is searched a few times, a block of 16 at once. Memory:
// the pending segments (16 bytes each), a few for each branch of the area.
#pragma once

#include <cstdint>
#include <vector>

#include "RowSearch.h"

struct FillSegment {
    int32_t row;
    int32_t left;  // columns left to end - 1 of the row `row - step` are painted
    int32_t end;
    int32_t step;  // 1: downwards, -1: upwards
};

// Floods from (column, row) and calls onRun(row, left, end) for every run
// painted (columns left to end - 1). Nothing happens when the seed is
// outside the rows or out of range. The colour painted must be out of range.
template <typename Rows, typename OnRun>
void FillRuns(const Rows& rows, int32_t column, int32_t row, OnRun&& onRun) {
    const int32_t width = rows.Width();
    const int32_t height = rows.Height();
    if (column < 0 || column >= width || row < 0 || row >= height ||
        !rows.Contains(rows.Row(row), column)) {
        return;
    }
    std::vector<FillSegment> pending;
    // Paints the run from `start` that holds column x, sends its segments on,
    // and returns the column after it (out of range).
    const auto paintRun = [&](const FillSegment& from, uint8_t* pixels, int32_t start, int32_t x) {
        const int32_t end = NextOutside(rows, pixels, x + 1, width);
        rows.Paint(pixels, start, end);
        onRun(from.row, start, end);
        const int32_t next = from.row + from.step;
        if (next >= 0 && next < height) {
            pending.push_back({next, start, end, from.step});
        }
        // The columns just outside the stretch the segment came from are out
        // of range in its row: painted, or where its run ended.
        const int32_t back = from.row - from.step;
        if (start < from.left - 1) {
            pending.push_back({back, start, from.left - 1, -from.step});
        }
        if (end > from.end + 1) {
            pending.push_back({back, from.end + 1, end, -from.step});
        }
        return end;
    };

    // The seed's run sends a segment each way.
    uint8_t* seedRow = rows.Row(row);
    const int32_t seedStart = RunStartBefore(rows, seedRow, column);
    const int32_t seedEnd = NextOutside(rows, seedRow, column + 1, width);
    rows.Paint(seedRow, seedStart, seedEnd);
    onRun(row, seedStart, seedEnd);
    if (row > 0) {
        pending.push_back({row - 1, seedStart, seedEnd, -1});
    }
    if (row + 1 < height) {
        pending.push_back({row + 1, seedStart, seedEnd, 1});
    }
    while (!pending.empty()) {
        const FillSegment segment = pending.back();
        pending.pop_back();
        uint8_t* pixels = rows.Row(segment.row);
        int32_t x = segment.left;
        int32_t start = x;
        if (rows.Contains(pixels, x)) {
            start = RunStartBefore(rows, pixels, x);
        } else {
            x = start = NextInside(rows, pixels, x + 1, segment.end);
        }
        while (x < segment.end) {
            const int32_t end = paintRun(segment, pixels, start, x);
            x = start = NextInside(rows, pixels, end + 1, segment.end);
        }
    }
}
