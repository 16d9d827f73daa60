#include "FourGroupIndex.h"

#include <algorithm>
#include <utility>

namespace {

size_t FirstBeyond(const std::vector<FourGroupNeighbours>& neighbours, const RangeMaximum& rings,
                   const RangeMaximum& minors, uint32_t first, uint32_t last, int32_t ring,
                   int32_t minor) {
    if (ring < 0) {
        // Any group of eight: the first group of four between two of them.
        while (first <= last && !neighbours[first].BetweenEights()) {
            ++first;
        }
        return first;
    }
    // Values are 16 bits: a bound of 0xFFFF or more is never passed.
    const size_t byRing =
        ring >= 0xFFFF ? last + 1u : rings.FirstAbove(first, last, uint16_t(ring));
    const size_t byMinor =
        minor >= 0xFFFF ? last + 1u : minors.FirstAbove(first, last, uint16_t(minor));
    return std::min(byRing, byMinor);
}

}  // namespace

void FourGroupIndex::Assign(std::vector<FourGroupNeighbours> byRing) {
    neighbours = std::move(byRing);
    besideFours.clear();
    std::vector<uint16_t> column(neighbours.size(), 0);
    for (size_t ring = 1; ring < neighbours.size(); ++ring) {
        if (!neighbours[ring].BetweenEights()) {
            besideFours.push_back(uint16_t(ring));
        }
    }
    const auto assign = [this, &column](RangeMaximum& maximum,
                                        uint16_t FourGroupNeighbours::*field) {
        for (size_t ring = 0; ring < neighbours.size(); ++ring) {
            // Groups beside another group of four are looked at on their own.
            column[ring] = neighbours[ring].BetweenEights() ? neighbours[ring].*field : 0;
        }
        maximum.Assign(column);
    };
    assign(beforeRings, &FourGroupNeighbours::beforeRing);
    assign(beforeMinors, &FourGroupNeighbours::beforeMinor);
    assign(afterRings, &FourGroupNeighbours::afterRing);
    assign(afterMinors, &FourGroupNeighbours::afterMinor);
}

uint32_t FourGroupIndex::FirstBeforeBeyond(uint32_t first, uint32_t last, int32_t ring,
                                           int32_t minor) const {
    return uint32_t(FirstBeyond(neighbours, beforeRings, beforeMinors, first, last, ring, minor));
}

uint32_t FourGroupIndex::FirstAfterBeyond(uint32_t first, uint32_t last, int32_t ring,
                                          int32_t minor) const {
    return uint32_t(FirstBeyond(neighbours, afterRings, afterMinors, first, last, ring, minor));
}
