// The separate paper areas of a prepared page, as the flood-fill filter will
// see them: 4-connected, numbered in the order a row-by-row scan meets them.
//
// Labelled as runs (ComponentRuns), then written out per pixel. Time linear in
// the pixels; memory 4 bytes per pixel for the labels plus 20 per run.
#pragma once

#include <cstdint>
#include <vector>

#include "host/flat/InkMask.h"

namespace oxhost {

struct AreaInfo {
    uint32_t pixels;
    int left, top, right, bottom;  // bounding box, inclusive
    int seedX, seedY;              // the area's first pixel in scan order
};

struct AreaLabels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> label;  // per pixel, row-major: 0 = not in an area, else 1..areas.size()
    std::vector<AreaInfo> areas;  // areas[label - 1], in scan order of their first pixel
};

// 4-connected components of paper (ink == 0). Throws HostError when the mask
// data does not match its size.
AreaLabels LabelPaperAreas(const InkMask& mask);

// 4-connected components of the pixels whose byte equals `member`, labelled
// the same way. Throws HostError when bytes is not width * height values.
AreaLabels LabelComponents(const std::vector<uint8_t>& bytes, int width, int height,
                           uint8_t member);

}  // namespace oxhost
