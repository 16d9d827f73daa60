// The row filters of PNG image data: each row is stored as a filter type byte
// followed by the row's bytes predicted from the pixel to the left, the row
// above, or both.
#pragma once

#include <cstddef>
#include <cstdint>

namespace oxhost {

// Writes `row` filtered "up" (each byte minus the byte above) to `out`,
// rowBytes + 1 bytes with the type byte first; the first row of an image
// (`above` null) is stored unfiltered, which is the same thing.
void FilterRowUp(const uint8_t* row, const uint8_t* above, size_t rowBytes, uint8_t* out);

// Writes `row` to `out` (rowBytes + 1 bytes) with whichever of the five
// filters leaves the smallest sum of bytes taken as signed magnitudes, the
// usual guess at what deflate packs best; the earlier filter wins a tie.
// `above` is null for the first row; `pixelBytes` is the left neighbour's
// distance. `trial` must hold rowBytes + 1 bytes.
void FilterRowSmallest(const uint8_t* row, const uint8_t* above, size_t rowBytes, size_t pixelBytes,
                       uint8_t* out, uint8_t* trial);

}  // namespace oxhost
