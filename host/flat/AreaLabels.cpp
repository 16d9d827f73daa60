#include "host/flat/AreaLabels.h"

#include <algorithm>
#include <climits>

#include "host/HostError.h"
#include "host/flat/ComponentRuns.h"

namespace oxhost {

AreaLabels LabelComponents(const std::vector<uint8_t>& bytes, int width, int height,
                           uint8_t member) {
    AreaLabels result;
    result.width = std::max(width, 0);
    result.height = std::max(height, 0);
    const size_t pixels = size_t(result.width) * size_t(result.height);
    if (bytes.size() != pixels) {
        throw HostError("area labels: the mask does not match the image size");
    }
    if (pixels == 0) {
        return result;
    }
    const ComponentRuns components = LabelComponentRuns(bytes, width, height, member);
    result.label.assign(pixels, 0);
    result.areas.assign(components.count, AreaInfo{0, INT_MAX, INT_MAX, -1, -1, -1, -1});
    for (const ComponentRun& run : components.runs) {
        uint32_t* labelRow = result.label.data() + size_t(run.y) * size_t(width);
        std::fill(labelRow + run.begin, labelRow + run.end, run.component);
        AreaInfo& info = result.areas[run.component - 1];
        if (info.pixels == 0) {
            info.seedX = run.begin;
            info.seedY = run.y;
            info.top = run.y;
        }
        info.pixels += uint32_t(run.end - run.begin);
        info.left = std::min(info.left, run.begin);
        info.right = std::max(info.right, run.end - 1);
        info.bottom = run.y;
    }
    return result;
}

AreaLabels LabelPaperAreas(const InkMask& mask) {
    return LabelComponents(mask.ink, mask.width, mask.height, 0);
}

}  // namespace oxhost
