// The generated line-art pages the benchmarks time: one size and one seed
// for all of them, so their figures speak of the same pages.
#pragma once

#include "host/image/Document.h"

namespace oxbench {

// About 52 megapixels, or 4 with --quick.
struct PageSize {
    int width;
    int height;
};
PageSize BenchPageSize(bool quick);

// Black lines between `thinnest` and `thickest` pixels wide on white paper,
// or, with `flatColors`, between areas of flat colour.
oxhost::Document LineArtPage(int width, int height, double thinnest, double thickest,
                             bool flatColors);

}  // namespace oxbench
