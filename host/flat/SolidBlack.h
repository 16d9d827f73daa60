// Solid blacks (filled hair, shadows) kept as areas of their own, so that the
// colour of the areas around them does not grow into them.
//
// The rule: take the ink's opening by a disk of diameter minThickness (the
// disk holds the pixels whose centres lie within minThickness / 2 of its
// centre pixel, 2 * (minThickness / 2) + 1 pixels across, division rounding
// down), that is every ink pixel covered by some such disk lying wholly in
// ink. A solid black is a 4-connected region of the opening with at least
// minPixels pixels. Its interior (region pixels whose 8 neighbours all lie in
// the region) becomes paper; its edge (region pixels with a neighbour outside
// it, or on the border of the page) stays ink, a one-pixel ring that parts
// the new area from everything else, and so does the ink the opening left
// out (the rounded-off corners, thin lines). Pixels beyond the page count as
// ink, so a black reaching the page's edge is found too.
//
// Erosion and dilation are distance tests (DiskDilation), so time is linear in
// the pixels whatever the thickness; memory about 3 bytes per pixel (two masks
// and the result) plus 20 per run of the opening.
#pragma once

#include <cstddef>

#include "host/flat/InkMask.h"

namespace oxhost {

// Ink at least this thick everywhere...
constexpr int kDefaultSolidBlackThickness = 20;
// ...over at least this many pixels (a 32 x 32 square) is a solid black.
constexpr size_t kDefaultSolidBlackPixels = 1024;

// The mask with each solid black hollowed out to its ring, as above;
// `regions` (may be null) receives how many were. minThickness <= 0 returns
// the mask unchanged. Throws HostError when the mask data does not match its
// size.
InkMask KeepSolidBlackAreas(const InkMask& ink, int minThickness, size_t minPixels,
                            size_t* regions);

}  // namespace oxhost
