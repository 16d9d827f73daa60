// For the axis groups (or the corner groups) of the built rings, ring by
// ring: the groups of eight just before and after each in the table, and
// range maxima over their rings and minor values, so that a search can find
// the next group of four whose neighbours reach past given sides without
// looking at each.
#pragma once

#include <cstdint>
#include <vector>

#include "RangeMaximum.h"

// The groups of eight just before and just after an axis or corner group;
// ring 0 where that neighbour is not a group of eight (another group of four,
// or the start of the table).
struct FourGroupNeighbours {
    uint16_t beforeRing;
    uint16_t beforeMinor;
    uint16_t afterRing;
    uint16_t afterMinor;
    bool BetweenEights() const { return beforeRing != 0 && afterRing != 0; }
};

class FourGroupIndex {
public:
    // Entry `ring` for the group of four of that ring (entry 0 unused).
    void Assign(std::vector<FourGroupNeighbours> byRing);

    const FourGroupNeighbours& Around(uint16_t ring) const { return neighbours[ring]; }
    // The rings whose group of four has a neighbour that is not a group of
    // eight, ascending: few (the first rings, and where a square and twice a
    // square differ by one).
    const std::vector<uint16_t>& BesideFours() const { return besideFours; }

    // The first ring in [first, last] whose group of eight before (or after)
    // has a ring above `ring` or a minor value above `minor` (any ring when
    // `ring` is negative); last + 1 when none. Requires last <= the last
    // built ring.
    uint32_t FirstBeforeBeyond(uint32_t first, uint32_t last, int32_t ring, int32_t minor) const;
    uint32_t FirstAfterBeyond(uint32_t first, uint32_t last, int32_t ring, int32_t minor) const;

private:
    std::vector<FourGroupNeighbours> neighbours;
    std::vector<uint16_t> besideFours;
    RangeMaximum beforeRings;
    RangeMaximum beforeMinors;
    RangeMaximum afterRings;
    RangeMaximum afterMinors;
};
