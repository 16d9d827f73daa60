// Generated line-art pages: the demo page, test inputs and benchmark inputs
// for the filters, which need black line work around enclosed areas.
#pragma once

#include <cstdint>

#include "host/image/Document.h"

namespace oxlineart {

struct LineArtOptions {
    int width = 1200;
    int height = 900;
    // Range of stroke widths in pixels; panel borders take the top of it,
    // small details the bottom.
    double lineWidthMin = 1;
    double lineWidthMax = 10;
    uint64_t seed = 1;
    // false: white areas, as a flood filler expects; true: each area filled
    // with a light flat colour, as a flatting filter expects.
    bool flatColors = false;
    // A CMYK document (line work in K) instead of RGB.
    bool cmyk = false;
};

// A comic-like page of panels holding closed shapes (ellipses, polygons,
// stars, rounded panels, a face) and crossing lines, drawn in black with
// anti-aliased edges on white or flat colours. The same options always give
// the same pixels. Time and memory grow with the page's area: a 50-megapixel
// page takes a few seconds and about three bytes of working memory per pixel
// besides the document. Preconditions: both sides in [16, kMaxDocumentSide],
// 0 < lineWidthMin <= lineWidthMax.
oxhost::Document DrawLineArtPage(const LineArtOptions& options);

}  // namespace oxlineart
