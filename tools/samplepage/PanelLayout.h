// Where the panels of a comic-like page go.
#pragma once

#include <vector>

#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    double ShortSide() const { return Width() < Height() ? Width() : Height(); }
    // The point at fractions (across, down) of the box.
    Point At(double across, double down) const {
        return {left + across * Width(), top + down * Height()};
    }
    Box Inset(double distance) const {
        return {left + distance, top + distance, right - distance, bottom - distance};
    }
};

// Rows of panels inside a margin, separated by gutters; more rows and columns
// on larger pages so the drawing keeps a similar density. The top left corner
// of the page always lies outside every panel.
std::vector<Box> LayoutPanels(int pageWidth, int pageHeight, Prng& prng);

}  // namespace oxlineart
