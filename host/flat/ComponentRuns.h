// 4-connected components of the pixels of one byte value, as runs: the
// labelling under the paper areas, the gap closing's cores and the solid
// blacks.
//
// One pass gives each run a provisional set, joined with the sets of the runs
// it touches in the row above (union-find, the root of a set its first run);
// then the roots are numbered in order, which numbers the components in the
// order a row-by-row scan meets them. Long runs and gaps are crossed eight
// bytes at a time. Time linear in the pixels; memory 20 bytes per run.
#pragma once

#include <cstdint>
#include <vector>

namespace oxhost {

struct ComponentRun {
    int y;
    int begin;           // first pixel
    int end;             // one past the last
    uint32_t component;  // 1..count
};

struct ComponentRuns {
    std::vector<ComponentRun> runs;  // in scan order
    uint32_t count = 0;
};

// The runs of pixels whose byte equals `member`, by component. Precondition:
// bytes holds width * height values.
ComponentRuns LabelComponentRuns(const std::vector<uint8_t>& bytes, int width, int height,
                                 uint8_t member);

}  // namespace oxhost
