// Checks of the flats the two filters made from a prepared page: areas that
// ran together into one flat, and how many colours there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/flat/AreaLabels.h"
#include "host/image/Document.h"

namespace oxhost {

struct MergedAreas {
    uint32_t first;   // index into AreaLabels::areas (label - 1)
    uint32_t second;  // likewise, first < second
    uint8_t rgb[3];   // the colour they share
};

// Areas of `labels` (the prepared page's) whose first pixels lie in one
// 4-connected region of equal RGB in `flats` (alpha ignored), so the flood
// fill gave them one flat. Each such group is reported as its lowest area
// paired with each other one, groups in order of their lowest area, up to
// maxPairs pairs in all. One pass over the flats with two rows of provisional
// labels; memory 4 bytes per provisional set. Throws HostError when `flats`
// is not an RGB document of the labels' size.
std::vector<MergedAreas> FindMergedAreas(const AreaLabels& labels, const Document& flats,
                                         size_t maxPairs);

// Number of distinct colours of a document: RGB triples for an RGB(A)
// document (alpha ignored), CMYK quadruples for a CMYK one. Throws HostError
// when the pixel data does not match the size.
size_t CountDistinctColours(const Document& flats);

}  // namespace oxhost
