// Runs of eight disallowed offsets through an axis or corner group.
//
// A walk ends at its first run of eight disallowed offsets. Where such a run
// holds the end of one group of eight and the start of the next, one of the
// two lies wholly outside (checked for every rectangle and pair of groups),
// so those ends are found by FirstGroupOutside. Every other run passes
// through a group of four: the axis group (a, 0) at key a*a or the corner
// group (c, c) at key 2*c*c, two a ring. Whether it does depends on the
// group of four and the groups of eight beside it, which the table keeps.
//
// Most groups of four cannot hold such a run. Between two reaches a group of
// four's own pattern is the same; a run through it then needs the group of
// eight before it to have at least 8 - k disallowed offsets at its end (k
// those at the group of four's start), or the group after at its start, at
// least 2 each way when the group of four is wholly outside. Such a group of
// eight has its ring or its i beyond a bound set by the reaches, and range
// maxima over the neighbours' rings and i values find the next candidate
// without looking at the others. Each candidate is then checked offset by
// offset. Work: a few look-ups per stretch and per candidate; memory: the
// table's neighbour index.
#pragma once

#include <cstdint>

#include "AllowedOffsets.h"
#include "OffsetTable.h"
#include "OutsideGroups.h"

// For a walk started at the first group of key `startKey`: the first axis or
// corner group of key in [fromKey, toKey] through which a run of eight
// disallowed offsets passes that ends in it or in the group of eight after
// it, ignoring runs that end in a group wholly outside. Gives the group the
// run ends in. The table must hold every group of a key up to toKey + 2.
bool FirstEndBesideFourGroup(const OffsetTable& table, const Reaches& reaches, uint32_t startKey,
                             uint64_t fromKey, uint64_t toKey, GroupKey& end);
