// Turns ink coverage into the finished page: line work over white paper, or
// over flat colours that fill each enclosed area.
#pragma once

#include <cstdint>
#include <vector>

#include "host/image/Document.h"
#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

// Pixels with less ink than this belong to an area; the rest are line.
constexpr uint8_t kAreaInkLimit = 128;

// The paper colour of every pixel, as an index into a fixed palette of light
// colours where 0 is white. Every area (4-connected pixels under
// kAreaInkLimit) gets one colour chosen by `prng`; the first area in reading
// order (the page margin) stays white. Line pixels take the colour of an area beside them,
// so that anti-aliased edges blend the line into the colour it borders.
std::vector<uint8_t> ColorAreas(const InkCanvas& canvas, Prng& prng);

// The number of areas (4-connected pixels under kAreaInkLimit) on `canvas`.
int CountAreas(const InkCanvas& canvas);

// How the ink meets the paper.
struct PageInk {
    // A CMYK document, line ink in K; otherwise RGB.
    bool cmyk = false;
    // The ink's colour on RGB pages.
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    // No paper: an RGBA page of the ink's colour whose alpha is the ink.
    bool transparentPaper = false;
};

// The page: each pixel's paper colour (`paperColors` from ColorAreas, or
// empty for white paper) mixed with the ink colour by its ink. In CMYK the
// line ink is black (K) and the paper colour's complement gives the C, M and
// Y inks, stored as 255 minus the ink like every CMYK document. Precondition:
// neither CMYK nor paper colours with transparent paper.
oxhost::Document ComposePage(const InkCanvas& canvas, const std::vector<uint8_t>& paperColors,
                             const PageInk& ink);

}  // namespace oxlineart
