// Sealing small gaps in the line work, so that the flood fill does not run
// from one area into the next through an opening the artist meant as closed.
//
// Why not a morphological closing: a disk rolled along a one-pixel line dips
// its tip into any gap, so closing seals gaps in thick lines only. Instead,
// with R = (gapWidth + 1) / 2:
//  1. The cores are the paper pixels farther than R from all ink (Euclidean,
//     between pixel centres). A gap whose two sides are at most gapWidth + 1
//     apart, centre to centre (gapWidth paper pixels across a row or column),
//     has no core pixel, so it parts the cores on its two sides; a channel
//     wider than that keeps cores along its middle and stays open.
//  2. Each 4-connected core is an area to be; the rest of the paper takes the
//     core nearest along paper (breadth-first, 4-connected steps).
//  3. Where paper of two different cores touches, a one-pixel seam of ink is
//     drawn: those are the added pixels.
// So nothing is ever filled: enclosed areas of any size stay as they are,
// two lines farther apart than gapWidth are never joined, and paper with no
// core at all (areas narrower than the gap width everywhere) is left alone.
// What is sealed is every passage of paper no wider than gapWidth between two
// wider parts: a gap in a line, or equally a narrow neck of one area. Now and
// then a seam also cuts a sliver of the band along the ink off as an area of
// its own.
// Pixels beyond the page are not ink, so a line ending near the edge of the
// page leaves that opening alone.
//
// Time linear in the pixels whatever gapWidth; memory about 6 bytes per pixel
// (labels, a byte of state, the result) plus 4 per paper pixel within R of ink
// (the queue).
#pragma once

#include <cstddef>

#include "host/flat/InkMask.h"

namespace oxhost {

// Gaps up to this many pixels across are sealed by default.
constexpr int kDefaultGapWidth = 4;

// The mask with seams drawn across gaps up to gapWidth pixels across, as
// above; `addedPixels` (may be null) receives the number of seam pixels.
// gapWidth <= 0 returns the mask unchanged. Throws HostError when the mask
// data does not match its size.
InkMask CloseGaps(const InkMask& ink, int gapWidth, size_t* addedPixels);

}  // namespace oxhost
