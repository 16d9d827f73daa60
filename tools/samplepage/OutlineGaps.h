// Small breaks in the outlines of closed shapes, as hurried inking leaves
// them: a flood fill that takes the page at its word leaks through them.
#pragma once

#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

// Cuts up to `count` gaps, each 1 to `widestGap` pixels along the outline,
// across closed outlines stroked on `canvas`, at places picked by `prng`
// where the outline is inked and open paper lies on both sides. A gap clears
// a 4-connected passage even across a diagonal line. Returns how many gaps
// were cut (fewer than `count` only on pages with almost no closed shapes).
int CutOutlineGaps(InkCanvas& canvas, int widestGap, int count, Prng& prng);

}  // namespace oxlineart
