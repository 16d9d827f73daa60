// The order in which the nearest-first search hands out offsets, as a flat
// table of groups sorted by squared distance. For ring r (the offsets whose
// larger coordinate magnitude is r) and 0 <= i <= r, one group holds the
// offsets of squared distance r*r + i*i in a fixed order: eight of them, or
// four on the axes (i = 0) and diagonals (i = r). Groups of equal distance
// keep the order of their rings, the smaller first. 8 bytes a group.
//
// Rings are built in batches, each merged in after the older ones; the table
// then holds every group of the built rings, so every group of a key below
// CompleteBelowKey(). Beside it: where each axis and corner group stands, and
// for each of them the groups of eight just before and after it, which decide
// whether the eight-try rule can end a walk there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FourGroupIndex.h"

// One offset from the centre.
struct Offset {
    int16_t dx;  // columns, positive to the right
    int16_t dy;  // rows, positive downwards
};

// The offsets of squared distance `key` in ring `ring`; `minor` is the
// smaller coordinate magnitude i. Slots 0..7 hold (-i, r) (-r, i) (-r, -i)
// (-i, -r) (i, -r) (r, -i) (r, i) (i, r); a group with i = 0 or i = r has only
// the odd slots.
struct OffsetGroup {
    uint32_t key;
    uint16_t ring;
    uint16_t minor;
    bool HasEight() const { return minor != 0 && minor != ring; }
    int FirstSlot() const { return HasEight() ? 0 : 1; }
    int SlotStep() const { return HasEight() ? 1 : 2; }
    // The slots the group has, one bit each.
    uint32_t SlotBits() const { return HasEight() ? 0xFFu : 0xAAu; }
    inline Offset At(int slot) const;
};

// An offset in the table: a group and one of its slots.
struct TablePosition {
    size_t group;
    int slot;
};

class OffsetTable {
public:
    // Offsets are 16 bits: no ring beyond this one is built.
    static constexpr uint16_t kMaxRing = 32767;

    // An empty table: no ring built, only the closing sentinel.
    OffsetTable();

    // Builds rings BuiltRings() + 1 .. lastRing (at most kMaxRing). Group
    // indices change: callers find their places again with FindGroup.
    void BuildRings(uint16_t lastRing);
    // Builds ahead so that `ring` is built, doubling the rings at a time, so
    // the table is rebuilt a logarithmic number of times however far walks
    // reach.
    // True when it rebuilt.
    bool EnsureRing(uint16_t ring);
    // Building ahead stops at this ring (a ring asked for is still built):
    // for a caller that knows no walk goes farther, the doubling would
    // otherwise build up to twice the rings, four times the groups.
    void LimitBuildAhead(uint16_t lastUsefulRing) { buildAheadLimit = lastUsefulRing; }

    uint16_t BuiltRings() const { return builtRings; }
    // Every group of a smaller key is in the table.
    uint32_t CompleteBelowKey() const { return uint32_t(builtRings + 1u) * (builtRings + 1u); }

    const OffsetGroup& operator[](size_t group) const { return groups[group]; }
    // The groups, then one sentinel whose key is larger than any.
    size_t Size() const { return groups.size(); }

    // The first group whose key is `key` or more.
    size_t FirstGroupOfKey(uint32_t key) const;
    // Asks the processor to fetch the first groups of `key` ahead, for a
    // caller that can guess a key it will ask for soon: a large table lies
    // mostly outside the nearer caches, and a group fetched only when asked
    // for makes its caller wait.
    void PrefetchKey(uint32_t key) const {
        const size_t sample = key / kKeySample;
        if (sample < firstGroupOfSampledKey.size()) {
            const size_t first = firstGroupOfSampledKey[sample];
            __builtin_prefetch(groups.data() + first);
            if (first + 8 < groups.size()) {
                __builtin_prefetch(groups.data() + first + 8);  // the key may lie a few groups on
            }
        }
    }
    // FirstGroupOfKey steps from the first group of every this many keys.
    static constexpr uint32_t kKeySample = 16;
    // Keys below this (when the table is complete there) have their offsets
    // listed in walk order.
    static constexpr uint32_t kListedKeys = 4096;
    // The offsets of squared distance `key` in walk order, `count` of them;
    // null when the key is not listed.
    const Offset* OffsetsOfKey(uint32_t key, size_t& count) const {
        size_t first = 0;
        return ListedRange(key, first, count) ? offsetsOfKey.data() + first : nullptr;
    }
    // Where the listed offsets of `key` stand among all listed offsets
    // (ListedOffsets); false when the key is not listed. Places stay when
    // the table grows.
    bool ListedRange(uint32_t key, size_t& first, size_t& count) const {
        if (size_t(key) + 1 >= offsetsOfKeyStart.size()) {
            return false;
        }
        first = offsetsOfKeyStart[key];
        count = offsetsOfKeyStart[key + 1] - first;
        return true;
    }
    // The same for a key known to be listed (below ListedBelowKey()).
    void ListedRangeOfListedKey(uint32_t key, size_t& first, size_t& count) const {
        first = offsetsOfKeyStart[key];
        count = offsetsOfKeyStart[key + 1] - first;
    }
    // Keys below this are listed.
    uint32_t ListedBelowKey() const {
        return offsetsOfKeyStart.empty() ? 0 : uint32_t(offsetsOfKeyStart.size()) - 1u;
    }
    const Offset* ListedOffsets(size_t& count) const {
        count = offsetsOfKey.size();
        return offsetsOfKey.data();
    }
    // The first group of key root * root (the first of ring `root`'s axis key).
    size_t FirstGroupOfSquare(uint16_t root) const { return firstGroupOfSquare[root]; }
    // The group (key, ring); the first group after it when there is none.
    size_t FindGroup(uint32_t key, uint16_t ring) const;
    size_t AxisGroup(uint16_t ring) const { return axisGroup[ring]; }
    size_t CornerGroup(uint16_t ring) const { return cornerGroup[ring]; }

    // The neighbours of the axis groups (ring, 0) and the corner groups
    // (ring, ring), valid for groups whose key + 2 is below CompleteBelowKey().
    const FourGroupIndex& Axes() const { return axes; }
    const FourGroupIndex& Corners() const { return corners; }

    TablePosition StartOf(size_t group) const {
        return TablePosition{group, groups[group].FirstSlot()};
    }
    Offset At(TablePosition at) const { return groups[at.group].At(at.slot); }
    void Step(TablePosition& at) const;
    void StepBack(TablePosition& at) const;

private:
    void IndexGroups();
    FourGroupNeighbours NeighboursOf(size_t group) const;

    uint16_t builtRings = 0;
    uint16_t buildAheadLimit = kMaxRing;
    std::vector<OffsetGroup> groups;           // rings 1..builtRings in order, then a sentinel
    std::vector<uint32_t> firstGroupOfSquare;  // first group of key s*s, s <= builtRings + 1
    std::vector<uint32_t>
        firstGroupOfSampledKey;               // the same for every 16th key below CompleteBelowKey
    std::vector<uint32_t> axisGroup;          // the group (a, 0), a <= builtRings
    std::vector<uint32_t> cornerGroup;        // the group (c, c), c <= builtRings
    std::vector<Offset> offsetsOfKey;         // the offsets of the listed keys in walk order
    std::vector<uint32_t> offsetsOfKeyStart;  // per listed key, where its offsets start
    FourGroupIndex axes;
    FourGroupIndex corners;
    // BuildRings' work space: one band of new groups, the band sorted, and
    // the counting sort's places.
    std::vector<OffsetGroup> bandWork;
    std::vector<OffsetGroup> sortedWork;
    std::vector<uint32_t> placeWork;
};

inline Offset OffsetGroup::At(int slot) const {
    // For each slot: the signs of dx and dy, and whether dx is the ring.
    static constexpr int8_t kSignX[8] = {-1, -1, -1, -1, 1, 1, 1, 1};
    static constexpr int8_t kSignY[8] = {1, 1, -1, -1, -1, -1, 1, 1};
    static constexpr bool kRingAcross[8] = {false, true, true, false, false, true, true, false};
    const int16_t across = int16_t(kRingAcross[slot] ? ring : minor);
    const int16_t down = int16_t(kRingAcross[slot] ? minor : ring);
    return Offset{int16_t(kSignX[slot] * across), int16_t(kSignY[slot] * down)};
}

inline void OffsetTable::Step(TablePosition& at) const {
    at.slot += groups[at.group].SlotStep();
    if (at.slot >= 8) {
        at = StartOf(at.group + 1);
    }
}

inline void OffsetTable::StepBack(TablePosition& at) const {
    at.slot -= groups[at.group].SlotStep();
    if (at.slot < groups[at.group].FirstSlot()) {
        --at.group;
        at.slot = 7;
    }
}
