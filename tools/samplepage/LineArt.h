// Generated line-art pages: the demo page, test inputs and benchmark inputs
// for the filters, which need line work around enclosed areas.
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
    // Pixels over which the ink fades at a line's edge: 1 for crisp digital
    // inking, about 3 for the soft edges of scanned or brush-inked art.
    double edgeSoftness = 1;
    // The ink's colour (RGB pages).
    uint8_t inkRed = 0;
    uint8_t inkGreen = 0;
    uint8_t inkBlue = 0;
    // No paper: an RGBA page in the ink's colour whose alpha is the ink's
    // coverage (white areas only, RGB only).
    bool transparentPaper = false;
    // When above 0, a few gaps of 1 to this many pixels are cut into the
    // outlines of closed shapes, one per panel.
    int widestGap = 0;
};

// A comic-like page of panels holding closed shapes (ellipses, polygons,
// stars, rounded panels, a face) and crossing lines, drawn in the ink colour
// with anti-aliased edges on white or flat colours, or on no paper. The same
// options always give the same pixels; options at their defaults give the
// pixels they always gave. Time and memory grow with the page's area: a
// 50-megapixel page takes a few seconds and about three bytes of working
// memory per pixel besides the document. When `designedAreas` is given it
// receives the number of areas (4-connected pixels with less than half ink,
// the margin included) the drawing has before any gaps are cut, at the cost
// of one more fill pass. Preconditions: both sides in [16, kMaxDocumentSide],
// 0 < lineWidthMin <= lineWidthMax, edgeSoftness > 0, transparent paper
// neither with flat colours nor CMYK.
oxhost::Document DrawLineArtPage(const LineArtOptions& options, int* designedAreas = nullptr);

}  // namespace oxlineart
