// Where the rectangle of allowed offsets lets a walk end: the distance below
// which no walk can, and the first group of eight lying wholly outside it.
//
// Below the ring of the second smallest reach an offset can only be
// disallowed by the side of the smallest reach; the offsets of one side come
// at most four in a row, so no run of eight forms. When the two smallest
// reaches are on neighbouring sides (left and up, say), offsets beyond both
// still leave the two slots around the opposite corner allowed in every
// group, so runs stay below eight up to the ring of the third smallest
// reach. Besides, a run of eight that is not one whole group crosses from
// one group to the next, and there the walk's order passes the downward
// direction: the last offset of a group ((i, r), (0, a) or (c, c)) and the
// first of the next ((-i, r), (-a, 0) or (-c, c)) must both be disallowed,
// which first happens at a distance set by the left, right and down reaches
// (a group wholly outside has both). A walk can therefore only end in a
// group at or beyond EndlessBelowKey.
//
// A group of eight (r, i) lies wholly outside when, for every side whose
// reach covers i, r is beyond both neighbouring sides: r > rho(i), a step
// function of i with a step at each reach. Within one step the group of
// least key is the one of smallest i, so the first outside group comes from
// at most five candidates; only a walk that starts beyond a step's first
// group needs that step's groups listed, one per i along the start's
// distance.
#pragma once

#include <cstdint>

#include "AllowedOffsets.h"

// A group named by its key and ring (its place in the table) and its minor value.
struct GroupKey {
    uint32_t key;
    uint16_t ring;
    uint16_t minor;
    bool Before(const GroupKey& other) const {
        return key < other.key || (key == other.key && ring < other.ring);
    }
};

// No walk from a centre with these reaches ends in a group of a smaller key.
uint64_t EndlessBelowKey(const Reaches& reaches);

// The first group of eight in table order, of key in [fromKey, belowKey),
// with no allowed offset; false when there is none.
bool FirstGroupOutside(const Reaches& reaches, uint64_t fromKey, uint64_t belowKey,
                       GroupKey& found);
