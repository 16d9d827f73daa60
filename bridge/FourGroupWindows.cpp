#include "FourGroupWindows.h"

#include <algorithm>

#include "SquareRoots.h"

namespace {

enum class FourKind { kAxis, kCorner };

uint64_t KeyOf(FourKind kind, uint64_t ring) {
    return kind == FourKind::kAxis ? Square64(ring) : 2 * Square64(ring);
}

// The first ring whose group of four has at least this key.
uint32_t FirstRingOfKey(FourKind kind, uint64_t key) {
    return kind == FourKind::kAxis ? CeilingSquareRoot(key) : CeilingSquareRoot((key + 1) / 2);
}

// Every group of eight with at least n disallowed offsets at its end (or
// start) has r > ring or i > minor; ring -1 when every group has. Slot p is
// disallowed when r > A or i > B (the reaches of its major and minor sides):
// over the slots with B > 0, r must pass the largest A for every i up to the
// largest B of the slots with that A.
struct Beyond {
    int32_t ring = -1;
    int32_t minor = -1;
    uint64_t leastKey = 0;  // of a group of eight (r, i) with r > ring or i > minor

    void Take(int32_t major, int32_t minorReach) {
        if (minorReach <= 0) {
            return;  // i > 0 always: the slot is disallowed whatever the ring
        }
        if (major > ring) {
            ring = major;
            minor = minorReach;
        } else if (major == ring) {
            minor = std::max(minor, minorReach);
        }
    }
    void FindLeastKey() {
        if (ring >= 0) {
            const uint64_t byRing = Square64(uint64_t(ring) + 1) + 1;
            const uint64_t byMinor = Square64(uint64_t(minor) + 1) + Square64(uint64_t(minor) + 2);
            leastKey = std::min(byRing, byMinor);
        }
    }
};

// Disallowed offsets at the start and at the end of a group of four, by the
// bits of its disallowed offsets in walk order.
struct FourRuns {
    int head[16];
    int tail[16];
    constexpr FourRuns() : head(), tail() {
        for (int bits = 0; bits < 16; ++bits) {
            while (head[bits] < 4 && (bits >> head[bits] & 1) != 0) {
                ++head[bits];
            }
            while (tail[bits] < 4 && (bits >> (3 - tail[bits]) & 1) != 0) {
                ++tail[bits];
            }
        }
    }
};
constexpr FourRuns kFourRuns;

// The groups of four of both kinds, for one walk's start and rectangle.
class FourGroupSearch {
public:
    FourGroupSearch(const OffsetTable& table, const Reaches& reaches, uint32_t startKey)
        : table(table), reaches(reaches), startKey(startKey) {
        for (int n = 1; n <= 7; ++n) {
            atEnd[n] = atEnd[n - 1];
            atEnd[n].Take(reaches.side[kMajorSide[8 - n]], reaches.side[kMinorSide[8 - n]]);
            atStart[n] = atStart[n - 1];
            atStart[n].Take(reaches.side[kMajorSide[n - 1]], reaches.side[kMinorSide[n - 1]]);
        }
        // The runs a group of four can need from a neighbour: 8 - k for its k
        // disallowed offsets at one end, or 2.
        for (const int n : {2, 5, 6, 7}) {
            atEnd[n].FindLeastKey();
            atStart[n].FindLeastKey();
        }
    }

    // No run through a group of four of this kind and of rings up to `last`
    // ends below this key: one of the groups of eight beside it must have at
    // least 8 - k disallowed offsets at its end or start when the group of
    // four has k < 4 at its start or end, and at least 2 when it has all four.
    uint64_t LeastKey(FourKind kind, uint32_t last) const {
        const int32_t* side = reaches.side;
        const int32_t wholly =
            kind == FourKind::kAxis
                ? std::max(std::max(side[kLeft], side[kUp]), std::max(side[kRight], side[kDown]))
                : std::max(std::max(std::min(side[kLeft], side[kDown]),
                                    std::min(side[kLeft], side[kUp])),
                           std::max(std::min(side[kRight], side[kUp]),
                                    std::min(side[kRight], side[kDown])));
        const int need = int64_t(last) > wholly ? 2 : 5;
        return std::min(atEnd[need].leastKey,
                        atStart[need].leastKey - std::min<uint64_t>(atStart[need].leastKey, 2));
    }

    // The first group of four of rings first..last (first >= 1) through which
    // a run ends, and the group where it ends; of those between two groups
    // of eight, only rings from `betweenFirst` on can have one.
    bool First(FourKind kind, uint32_t first, uint32_t last, uint32_t betweenFirst,
               GroupKey& end) const {
        last = std::min<uint32_t>(last, table.BuiltRings());
        if (first > last) {
            return false;
        }
        const FourGroupIndex& index = kind == FourKind::kAxis ? table.Axes() : table.Corners();
        // Groups of four beside another are few: each is looked at. Only
        // those before the first of them that ends need the search below.
        bool found = false;
        const std::vector<uint16_t>& besideFours = index.BesideFours();
        for (auto it = std::lower_bound(besideFours.begin(), besideFours.end(), first);
             it != besideFours.end() && *it <= last; ++it) {
            if (EndsBeside(kind, *it, end)) {
                found = true;
                last = *it - 1u;
                break;
            }
        }
        // For each offset in walk order, the reach its ring must stay within.
        const int32_t* side = reaches.side;
        int32_t offsetReach[4] = {side[kLeft], side[kUp], side[kRight], side[kDown]};
        if (kind == FourKind::kCorner) {
            offsetReach[0] = std::min(side[kLeft], side[kDown]);
            offsetReach[1] = std::min(side[kLeft], side[kUp]);
            offsetReach[2] = std::min(side[kRight], side[kUp]);
            offsetReach[3] = std::min(side[kRight], side[kDown]);
        }
        // A run of eight through a group of four holds its first offset and
        // the end of the group of eight before, or its last offset and the
        // start of the group after: when only its first k offsets are
        // disallowed, that group before needs at least 8 - k disallowed at
        // its end; when all four are, one of the two needs at least 2.
        for (uint32_t ring = std::max(first, betweenFirst); ring <= last;) {
            // The group of four's pattern changes only past an offset's reach.
            uint32_t stretchLast = last;
            uint32_t bits = 0;
            for (int k = 0; k < 4; ++k) {
                const int64_t reach = offsetReach[k];
                if (reach >= int64_t(ring) && reach < int64_t(stretchLast)) {
                    stretchLast = uint32_t(reach);
                }
                bits |= uint32_t(int64_t(ring) > reach) << k;
            }
            const int head = kFourRuns.head[bits];
            const int tail = kFourRuns.tail[bits];
            const int needBefore = head == 4 ? 2 : head > 0 ? 8 - head : 0;
            const int needAfter = tail == 4 ? 2 : tail > 0 ? 8 - tail : 0;
            const Beyond& before = atEnd[needBefore];
            const Beyond& after = atStart[needAfter];
            // No such group of eight lies nearer than its least key; the one
            // before a group of four has a smaller key, the one after at most
            // two more.
            const uint64_t stretchKey = KeyOf(kind, stretchLast);
            const bool byBeforeAny = needBefore > 0 && before.leastKey <= stretchKey;
            const bool byAfterAny = needAfter > 0 && after.leastKey <= stretchKey + 2;
            const uint32_t beforeFrom = byBeforeAny ? ring : stretchLast + 1;
            const uint32_t afterFrom = byAfterAny ? ring : stretchLast + 1;
            for (uint32_t at = ring; at <= stretchLast && (byBeforeAny || byAfterAny);) {
                const uint32_t byBefore = index.FirstBeforeBeyond(
                    std::max(at, beforeFrom), stretchLast, before.ring, before.minor);
                const uint32_t byAfter = index.FirstAfterBeyond(
                    std::max(at, afterFrom), stretchLast, after.ring, after.minor);
                const uint32_t candidate = std::min(byBefore, byAfter);
                if (candidate > stretchLast) {
                    break;
                }
                if (EndsBetweenEights(kind, uint16_t(candidate), offsetReach,
                                      index.Around(uint16_t(candidate)), end)) {
                    return true;
                }
                at = candidate + 1;
            }
            ring = stretchLast + 1;
        }
        return found;
    }

private:
    // A group of four between two groups of eight: its run, if any.
    bool EndsBetweenEights(FourKind kind, uint16_t ring, const int32_t offsetReach[4],
                           const FourGroupNeighbours& around, GroupKey& end) const {
        const uint32_t beforeKey = uint32_t(around.beforeRing) * around.beforeRing +
                                   uint32_t(around.beforeMinor) * around.beforeMinor;
        const uint32_t before =
            beforeKey < startKey
                ? 0
                : ~AllowedSlots(reaches, around.beforeRing, around.beforeMinor) & 0xFFu;
        const uint32_t after = ~AllowedSlots(reaches, around.afterRing, around.afterMinor) & 0xFFu;
        uint32_t four = 0;
        for (int k = 0; k < 4; ++k) {
            four |= uint32_t(int32_t(ring) > offsetReach[k]) << k;
        }
        const uint32_t disallowed = before | four << 8 | after << 12;
        uint32_t runs = disallowed;
        for (int k = 1; k < 8; ++k) {
            runs &= disallowed >> k;
        }
        runs &= 0xFFEu;  // runs of eight starting in 1..11: ending in this group or the next
        if (runs == 0) {
            return false;
        }
        const int start = __builtin_ctz(runs);
        if (start + 7 < 12) {
            end = GroupKey{uint32_t(KeyOf(kind, ring)), ring,
                           uint16_t(kind == FourKind::kAxis ? 0 : ring)};
        } else {
            end = GroupKey{uint32_t(around.afterRing) * around.afterRing +
                               uint32_t(around.afterMinor) * around.afterMinor,
                           around.afterRing, around.afterMinor};
        }
        return true;
    }

    // A group of four beside another (or at the start of the table), from
    // the offsets around it in the table: eight before, seven after.
    bool EndsBeside(FourKind kind, uint16_t ring, GroupKey& end) const {
        const size_t group =
            kind == FourKind::kAxis ? table.AxisGroup(ring) : table.CornerGroup(ring);
        const size_t walkStart = table.FirstGroupOfKey(startKey);
        struct Place {
            size_t group;
            bool disallowed;
        };
        Place places[19];
        TablePosition at = table.StartOf(group);
        for (int k = 7; k >= 0; --k) {
            const bool examined = at.group > walkStart ||
                                  (at.group == walkStart && at.slot > table[walkStart].FirstSlot());
            if (examined) {
                table.StepBack(at);
            }
            places[k] = Place{at.group, examined && !IsAllowed(table.At(at))};
        }
        at = table.StartOf(group);
        for (int k = 8; k < 19; ++k) {
            // The sentinel closing the table is no offset: it breaks any run.
            const bool inTable = at.group + 1 < table.Size();
            places[k] = Place{at.group, inTable && !IsAllowed(table.At(at))};
            if (inTable) {
                table.Step(at);
            }
        }
        for (int first = 1; first <= 11; ++first) {
            bool run = true;
            for (int k = first; k < first + 8 && run; ++k) {
                run = places[k].disallowed;
            }
            if (run) {
                const OffsetGroup& last = table[places[first + 7].group];
                end = GroupKey{last.key, last.ring, last.minor};
                return true;
            }
        }
        return false;
    }

    bool IsAllowed(Offset offset) const {
        return offset.dx >= -reaches.side[kLeft] && offset.dx <= reaches.side[kRight] &&
               offset.dy >= -reaches.side[kUp] && offset.dy <= reaches.side[kDown];
    }

    const OffsetTable& table;
    const Reaches& reaches;
    uint32_t startKey;
    Beyond atEnd[8];    // by n: groups of eight with n disallowed at their end
    Beyond atStart[8];  // likewise at their start
};

}  // namespace

bool FirstEndBesideFourGroup(const OffsetTable& table, const Reaches& reaches, uint32_t startKey,
                             uint64_t fromKey, uint64_t toKey, GroupKey& end) {
    if (fromKey > toKey) {
        return false;
    }
    // Most often no such run can end in the range: a group of eight beside
    // the group of four must have at least two disallowed offsets at its end
    // or start, and none nearer than these keys has; then only the few groups
    // of four beside another need a look.
    Beyond atEnd;
    atEnd.Take(reaches.side[kMajorSide[7]], reaches.side[kMinorSide[7]]);
    atEnd.Take(reaches.side[kMajorSide[6]], reaches.side[kMinorSide[6]]);
    atEnd.FindLeastKey();
    Beyond atStart;
    atStart.Take(reaches.side[kMajorSide[0]], reaches.side[kMinorSide[0]]);
    atStart.Take(reaches.side[kMajorSide[1]], reaches.side[kMinorSide[1]]);
    atStart.FindLeastKey();
    const auto anyBeside = [&table, fromKey, toKey](FourKind kind) {
        const FourGroupIndex& index = kind == FourKind::kAxis ? table.Axes() : table.Corners();
        for (const uint16_t ring : index.BesideFours()) {
            const uint64_t key = KeyOf(kind, ring);
            if (key >= fromKey && key <= toKey) {
                return true;
            }
        }
        return false;
    };
    if (std::min(atEnd.leastKey, atStart.leastKey - std::min<uint64_t>(atStart.leastKey, 2)) >
            toKey &&
        !anyBeside(FourKind::kAxis) && !anyBeside(FourKind::kCorner)) {
        return false;
    }
    const FourGroupSearch search(table, reaches, startKey);
    // Below a kind's least key only the few groups of four beside another
    // need a look.
    bool found = false;
    const uint32_t lastAxis = IntegerSquareRoot(toKey);
    const uint64_t axesFrom = std::max(fromKey, search.LeastKey(FourKind::kAxis, lastAxis));
    if (search.First(FourKind::kAxis,
                     std::max<uint32_t>(1, FirstRingOfKey(FourKind::kAxis, fromKey)), lastAxis,
                     axesFrom <= toKey ? FirstRingOfKey(FourKind::kAxis, axesFrom) : lastAxis + 1,
                     end)) {
        found = true;
        toKey = std::min<uint64_t>(toKey, end.key);
    }
    GroupKey corner{0, 0, 0};
    const uint32_t lastCorner = IntegerSquareRoot(toKey / 2);
    const uint64_t cornersFrom = std::max(fromKey, search.LeastKey(FourKind::kCorner, lastCorner));
    if (search.First(
            FourKind::kCorner, std::max<uint32_t>(1, FirstRingOfKey(FourKind::kCorner, fromKey)),
            lastCorner,
            cornersFrom <= toKey ? FirstRingOfKey(FourKind::kCorner, cornersFrom) : lastCorner + 1,
            corner) &&
        (!found || corner.Before(end))) {
        end = corner;
        found = true;
    }
    return found;
}
