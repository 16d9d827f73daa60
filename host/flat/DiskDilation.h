// Which pixels lie within a distance of a set of pixels: a dilation by a disk,
// the building block of gap closing and of the opening that finds solid
// blacks.
//
// Exact Euclidean distance between pixel centres, in time linear in the
// pixels whatever the radius, and memory of the result plus one row: a sweep
// down the page keeps, per column, how many rows above the nearest set pixel
// lies (clamped just beyond the radius), and in each row marks the span of
// pixels each column's nearest set pixel reaches (the disk's half-width at
// that row offset, from a table), merging overlapping spans before writing
// them. A sweep up the page does the same for set pixels below. When any set
// pixel reaches a pixel, so does the nearest set pixel of its column on the
// same side, so the two sweeps miss none.
#pragma once

#include <cstdint>
#include <vector>

namespace oxhost {

// Which pixels the distance is measured to.
enum class DistanceTo { NonzeroPixels, ZeroPixels };

// 1 for every pixel (x, y) such that some pixel (x', y') of the set (bytes
// nonzero, or zero) has (x - x')^2 + (y - y')^2 <= maxSquaredDistance, else
// 0. Pixels beyond the page are not in the set. Precondition: bytes holds
// width * height values.
std::vector<uint8_t> WithinDistance(const std::vector<uint8_t>& bytes, DistanceTo set, int width,
                                    int height, uint64_t maxSquaredDistance);

}  // namespace oxhost
