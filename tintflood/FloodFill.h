// Span flood fill over 4-connected pixels, independent of images: all it
// knows of pixels is a test that paints a pixel and answers true when the
// pixel belonged to the area. Because the test paints as it succeeds, a
// painted pixel must fail the test, or the fill never ends.
//
// Pending spans wait on an explicit stack on the heap, never on the call
// stack, so areas of millions of pixels are fine.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// The plain callback form: (column, row) -> painted.
using FillTest = bool (*)(int32_t column, int32_t row);

// Fills the area that contains (column, row).
void FloodFill(int32_t column, int32_t row, FillTest test);

struct Span {
    int32_t row;
    int32_t left;      // first painted column
    int32_t right;     // last painted column
    int32_t upScan;    // next column to probe in row - 1
    int32_t downScan;  // next column to probe in row + 1
};

// The same fill for any callable test, so that a caller's test can be inlined.
template <typename Test>
void SpanFill(int32_t column, int32_t row, Test&& test) {
    // The probe that found the pixel has painted it; extend from there.
    auto makeSpan = [&test](int32_t seedColumn, int32_t spanRow) {
        Span span{spanRow, seedColumn, seedColumn, 0, 0};
        while (test(span.left - 1, spanRow)) {
            --span.left;
        }
        while (test(span.right + 1, spanRow)) {
            ++span.right;
        }
        span.upScan = span.left;
        span.downScan = span.left;
        return span;
    };

    if (!test(column, row)) {
        return;
    }
    std::vector<Span> pending;
    Span current = makeSpan(column, row);
    for (;;) {
        bool descended = false;
        while (!descended && current.upScan <= current.right) {
            if (test(current.upScan, current.row - 1)) {
                const Span found = makeSpan(current.upScan, current.row - 1);
                current.upScan = std::min(found.right, current.right);
                pending.push_back(current);
                current = found;
                descended = true;
            } else {
                ++current.upScan;
            }
        }
        while (!descended && current.downScan <= current.right) {
            if (test(current.downScan, current.row + 1)) {
                const Span found = makeSpan(current.downScan, current.row + 1);
                current.downScan = std::min(found.right, current.right);
                pending.push_back(current);
                current = found;
                descended = true;
            } else {
                ++current.downScan;
            }
        }
        if (descended) {
            continue;
        }
        if (pending.empty()) {
            return;
        }
        current = pending.back();
        pending.pop_back();
    }
}
