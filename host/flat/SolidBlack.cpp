#include "host/flat/SolidBlack.h"

#include <cstdint>
#include <vector>

#include "host/flat/ComponentRuns.h"
#include "host/flat/DiskDilation.h"

namespace oxhost {

namespace {

// The ink's opening by the disk of squared radius `diskSquare`: the centres
// whose whole disk is ink, grown back by the same disk.
std::vector<uint8_t> OpenedInk(const InkMask& mask, uint64_t diskSquare) {
    // Every paper pixel lies within the disk of paper, so what is not is ink.
    std::vector<uint8_t> centres =
        WithinDistance(mask.ink, DistanceTo::ZeroPixels, mask.width, mask.height, diskSquare);
    for (uint8_t& centre : centres) {
        centre = uint8_t(centre ^ 1);
    }
    return WithinDistance(centres, DistanceTo::NonzeroPixels, mask.width, mask.height, diskSquare);
}

// Paper on the pixels of the run whose 8 neighbours all lie in the opening
// (and so in the run's own region); returns whether there were any.
bool HollowRun(const std::vector<uint8_t>& opened, const ComponentRun& run, InkMask& mask) {
    const int width = mask.width;
    if (run.y == 0 || run.y + 1 == mask.height) {
        return false;
    }
    const uint8_t* above = opened.data() + size_t(run.y - 1) * size_t(width);
    const uint8_t* below = above + 2 * size_t(width);
    uint8_t* ink = mask.ink.data() + size_t(run.y) * size_t(width);
    bool hollowed = false;
    // The run's ends have a neighbour outside the opening on their own row.
    for (int x = run.begin + 1; x + 1 < run.end; ++x) {
        if (above[x - 1] && above[x] && above[x + 1] && below[x - 1] && below[x] && below[x + 1]) {
            ink[x] = 0;
            hollowed = true;
        }
    }
    return hollowed;
}

}  // namespace

InkMask KeepSolidBlackAreas(const InkMask& ink, int minThickness, size_t minPixels,
                            size_t* regions) {
    if (regions != nullptr) {
        *regions = 0;
    }
    RequireWholeMask(ink, "solid blacks");
    if (minThickness <= 0) {
        return ink;
    }
    const uint64_t diameter = uint64_t(minThickness);
    const std::vector<uint8_t> opened = OpenedInk(ink, diameter * diameter / 4);
    const ComponentRuns blacks = LabelComponentRuns(opened, ink.width, ink.height, 1);

    std::vector<size_t> pixels(size_t(blacks.count) + 1, 0);
    for (const ComponentRun& run : blacks.runs) {
        pixels[run.component] += size_t(run.end - run.begin);
    }
    std::vector<uint8_t> hollowed(size_t(blacks.count) + 1, 0);
    InkMask result = ink;
    for (const ComponentRun& run : blacks.runs) {
        if (pixels[run.component] >= minPixels && HollowRun(opened, run, result)) {
            hollowed[run.component] = 1;
        }
    }
    if (regions != nullptr) {
        size_t count = 0;
        for (uint8_t wasHollowed : hollowed) {
            count += wasHollowed;
        }
        *regions = count;
    }
    return result;
}

}  // namespace oxhost
