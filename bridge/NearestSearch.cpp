#include "NearestSearch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint16_t kInitialRings = 10;
// Keys below this find their first group in one look-up.
constexpr size_t kSmallKeys = 4096;
// Ends the table so that the walk always finds a group beyond the entered rings.
constexpr uint32_t kSentinelKey = std::numeric_limits<uint32_t>::max();

uint32_t Square(uint32_t value) {
    return value * value;
}

uint64_t Square64(uint64_t value) {
    return value * value;
}

// The largest r with r * r <= value.
uint32_t IntegerSquareRoot(uint64_t value) {
    uint64_t root = uint64_t(std::sqrt(double(value)));
    while (root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return uint32_t(root);
}

// A group's place in the table: by squared distance, then by ring.
uint64_t OrderOf(uint32_t key, uint32_t ring) {
    return uint64_t(key) << 16 | ring;
}

}  // namespace

NearestSearch::NearestSearch() {
    for (int i = 0; i < kInitialRings; ++i) {
        AddRing();
    }
    cursor = StartOf(0);
}

void NearestSearch::AddRing() {
    if (ringCount >= kMaxRing) {
        return;
    }
    if (ringCount == builtRings) {
        // Build ahead by half again, so the table is rebuilt a logarithmic
        // number of times however far searches reach.
        const uint32_t wanted = std::max<uint32_t>(builtRings + builtRings / 2, builtRings + 16);
        BuildRings(uint16_t(std::min<uint32_t>(wanted, kMaxRing)));
    }
    ++ringCount;
    ringKey = Square(ringCount);
}

// The groups of the new rings come one band of distances at a time, each band
// put in order by a counting sort over its distances (linear, and within the
// cache however many rings there are), and are merged after the older ones:
// equal distances then keep the order of insertion, the smaller ring first.
void NearestSearch::BuildRings(uint16_t lastRing) {
    // Remember where the walk stands by value: indices move as rings merge in.
    const bool hadCursor = cursor.group < groups.size();
    const Group atCursor = hadCursor ? groups[cursor.group] : Group{0, 0, 0};
    const int slotAtCursor = cursor.slot;
    const uint32_t startKey = walkStart < groups.size() ? groups[walkStart].key : 0;
    if (!groups.empty()) {
        groups.pop_back();  // the sentinel
    }

    const uint32_t firstRing = builtRings + 1u;
    std::vector<Group> added;
    added.reserve(size_t(lastRing) * (lastRing + 1) / 2 - size_t(firstRing) * (firstRing - 1) / 2 +
                  lastRing);
    std::vector<uint32_t> nextRing(size_t(lastRing) + 1);  // per i, the next ring to emit
    for (uint32_t i = 0; i <= lastRing; ++i) {
        nextRing[i] = std::max(firstRing, i);
    }
    constexpr uint32_t kBand = 1u << 16;
    std::vector<Group> band;
    std::vector<uint32_t> place(kBand + 1);
    for (uint64_t from = Square64(firstRing); from <= 2 * Square64(lastRing); from += kBand) {
        const uint64_t to = from + kBand;
        // Within one distance a larger i means a smaller ring: going down
        // from the largest i gives ring order, which the counting sort keeps.
        band.clear();
        uint32_t i = std::min<uint32_t>(lastRing, IntegerSquareRoot((to - 1) / 2));
        for (;; --i) {
            uint32_t r = nextRing[i];
            for (; r <= lastRing && Square64(r) + Square64(i) < to; ++r) {
                band.push_back(Group{Square(r) + Square(i), uint16_t(r), uint16_t(i)});
            }
            nextRing[i] = r;
            if (i == 0) {
                break;
            }
        }
        std::fill(place.begin(), place.end(), 0);
        for (const Group& group : band) {
            ++place[group.key - from + 1];
        }
        for (uint32_t k = 1; k <= kBand; ++k) {
            place[k] += place[k - 1];
        }
        const size_t at = added.size();
        added.resize(at + band.size());
        for (const Group& group : band) {
            added[at + place[group.key - from]++] = group;
        }
    }
    const auto byKey = [](const Group& a, const Group& b) { return a.key < b.key; };
    std::vector<Group> merged;
    merged.reserve(groups.size() + added.size() + 1);
    std::merge(groups.begin(), groups.end(), added.begin(), added.end(), std::back_inserter(merged),
               byKey);
    merged.push_back(Group{kSentinelKey, 0, 0});
    groups.swap(merged);
    builtRings = lastRing;

    firstGroupOfSquare.assign(size_t(builtRings) + 1, 0);
    for (uint32_t root = 1; root <= builtRings; ++root) {
        firstGroupOfSquare[root] =
            uint32_t(std::lower_bound(groups.begin(), groups.end(), Square(root),
                                      [](const Group& a, uint32_t key) { return a.key < key; }) -
                     groups.begin());
    }
    firstGroupOfKey.assign(std::min<size_t>(kSmallKeys, Square(builtRings + 1u)), 0);
    for (size_t key = 0, at = 0; key < firstGroupOfKey.size(); ++key) {
        while (groups[at].key < key) {
            ++at;
        }
        firstGroupOfKey[key] = uint32_t(at);
    }
    axisGroup.assign(size_t(builtRings) + 1, 0);
    cornerGroup.assign(size_t(builtRings) + 1, 0);
    for (size_t at = 0; at + 1 < groups.size(); ++at) {
        if (groups[at].minor == 0) {
            axisGroup[groups[at].ring] = uint32_t(at);
        } else if (groups[at].minor == groups[at].ring) {
            cornerGroup[groups[at].ring] = uint32_t(at);
        }
    }

    walkStart = FirstGroupOfKey(startKey);
    cursor = StartOf(0);
    if (hadCursor) {
        const auto byOrder = [](const Group& a, uint64_t order) {
            return OrderOf(a.key, a.ring) < order;
        };
        const auto it = std::lower_bound(groups.begin(), groups.end(),
                                         OrderOf(atCursor.key, atCursor.ring), byOrder);
        cursor = Position{size_t(it - groups.begin()), slotAtCursor};
    }
}

bool NearestSearch::EnterNextRingAt(uint32_t key) {
    if (ringCount >= kMaxRing) {
        // Every offset nearer than ring kMaxRing + 1 is in the table; beyond
        // that the 16-bit offsets end, and so does the search.
        return key < Square(kMaxRing + 1u);
    }
    // The walk came here group by group, so the cursor already stands at the
    // first offset beyond the old ring's key: entering the ring is enough.
    AddRing();
    return true;
}

size_t NearestSearch::FirstGroupOfKey(uint32_t key) const {
    if (key < firstGroupOfKey.size()) {
        return firstGroupOfKey[key];
    }
    const uint32_t root = IntegerSquareRoot(key);
    if (root >= builtRings) {
        const auto byKey = [](const Group& a, uint32_t k) { return a.key < k; };
        const auto from = groups.begin() + (root <= builtRings ? firstGroupOfSquare[root] : 0);
        return size_t(std::lower_bound(from, groups.end(), key, byKey) - groups.begin());
    }
    // Between two squares the groups spread about evenly over the keys:
    // guess the place, then step to it.
    const size_t low = firstGroupOfSquare[root];
    const size_t high = firstGroupOfSquare[root + 1];
    size_t at = low + size_t(uint64_t(high - low) * (key - Square(root)) / (2 * root + 1));
    while (at > low && groups[at - 1].key >= key) {
        --at;
    }
    while (groups[at].key < key) {
        ++at;
    }
    return at;
}

void NearestSearch::Step(Position& at) const {
    at.slot += groups[at.group].SlotStep();
    if (at.slot >= 8) {
        at = StartOf(at.group + 1);
    }
}

void NearestSearch::StepBack(Position& at) const {
    at.slot -= groups[at.group].SlotStep();
    if (at.slot < 0) {
        --at.group;
        at.slot = 7;
    }
}

bool NearestSearch::Begin(int& dx, int& dy, uint16_t startRadius) {
    Start(startRadius);
    return Next(dx, dy);
}

void NearestSearch::Start(uint16_t startRadius) {
    size_t group = 0;
    if (startRadius != 0 && startRadius <= ringCount) {
        group = firstGroupOfSquare[startRadius];
    } else if (startRadius != 0 && startRadius <= builtRings) {
        // Only offsets of entered rings count as present.
        const size_t first = firstGroupOfSquare[startRadius];
        group = groups[first].ring <= ringCount ? first : 0;
    }
    cursor = StartOf(group);
    walkStart = group;
    pendingOutside = 0;
}

// Skipping offsets the caller has no use for.
//
// A walk ends at its first run of eight consecutive disallowed offsets. In a
// group of eight (0 < i < r) the offset in slot p is allowed exactly when r
// is within the rectangle's reach on one side of the centre (the slot's
// "major" side: down, left, left, up, up, right, right, down) and i within
// the reach on a neighbouring side (its "minor" side: left, down, up, left,
// right, up, down, right); the centre lies inside the rectangle. A group of
// four has the odd slots only: for the axis group they look left, up, right
// and down, for the corner group down-left, up-left, up-right, down-right.
//
// Suppose every group of eight in a stretch of the table has an allowed slot
// <= f and one >= l, with f <= l. Between two such groups a disallowed run is
// at most (7 - l) + f <= 7 long. A group of four between them keeps runs
// below eight if its first allowed offset is at most l-th and its last one at
// least (f - 4)-th of its four. Every run of eight therefore passes through a
// group that breaks this rule, and looking at the offsets around each such
// group, in table order, finds the first run exactly.
//
// Which groups break the rule follows from the reaches alone: an axis or
// corner group of a ring above some bound; a group of eight whose r lies
// above the largest major reach among the slots whose minor reach covers its
// i. Below a distance computed from the reaches only groups of four break
// it, one axis and one corner group per ring. Beyond that distance, band by
// band of keys, the breaking groups are listed when that is cheaper than
// following the walk group by group, which is done otherwise.

namespace {

enum Side { kLeft, kUp, kRight, kDown };
constexpr Side kMajor[8] = {kDown, kLeft, kLeft, kUp, kUp, kRight, kRight, kDown};
constexpr Side kMinor[8] = {kLeft, kDown, kUp, kLeft, kRight, kUp, kDown, kRight};

// The allowed offsets of a group, one bit each in walk order, from the sides
// whose reach covers the ring (and, for a group of eight, the minor value).
struct SlotMasks {
    uint8_t eight[16][16];
    uint8_t corner[16];
    SlotMasks() {
        for (int ring = 0; ring < 16; ++ring) {
            for (int minor = 0; minor < 16; ++minor) {
                eight[ring][minor] = 0;
                for (int p = 0; p < 8; ++p) {
                    if ((ring >> kMajor[p] & 1) && (minor >> kMinor[p] & 1)) {
                        eight[ring][minor] |= uint8_t(1 << p);
                    }
                }
            }
            const auto both = [ring](Side a, Side b) { return (ring >> a & 1) & (ring >> b & 1); };
            corner[ring] = uint8_t(both(kLeft, kDown) | both(kLeft, kUp) << 1 |
                                   both(kRight, kUp) << 2 | both(kRight, kDown) << 3);
        }
    }
};
const SlotMasks kSlotMasks;

int HighestBit(uint32_t mask) {
    int bit = -1;
    for (; mask != 0; mask >>= 1) {
        ++bit;
    }
    return bit;
}

int LowestBit(uint32_t mask) {
    int bit = 0;
    for (; (mask & 1) == 0; mask >>= 1) {
        ++bit;
    }
    return bit;
}

// Carries a run of disallowed offsets through a group of `count` offsets
// with `mask` allowed; true when the run reaches eight, at offset `endEntry`.
bool ExtendRun(uint32_t mask, int count, int& run, int& endEntry) {
    const int head = mask == 0 ? count : LowestBit(mask);
    if (run + head >= 8) {
        endEntry = 7 - run;
        return true;
    }
    run = mask == 0 ? run + count : count - 1 - HighestBit(mask);
    return false;
}

// The sides whose reach covers `value`, one bit each.
uint32_t Covering(const int64_t reach[4], uint32_t value) {
    return uint32_t(value <= reach[kLeft]) | uint32_t(value <= reach[kUp]) << 1 |
           uint32_t(value <= reach[kRight]) << 2 | uint32_t(value <= reach[kDown]) << 3;
}

// The allowed offsets of group (ring, minor), and how many offsets it has.
uint32_t AllowedMask(uint32_t ring, uint32_t minor, const int64_t reach[4], int& count) {
    const uint32_t ringSides = Covering(reach, ring);
    if (minor != 0 && minor != ring) {
        count = 8;
        return kSlotMasks.eight[ringSides][Covering(reach, minor)];
    }
    count = 4;
    return minor == 0 ? ringSides : kSlotMasks.corner[ringSides];
}

// For a set of slots (0..7: slots 0..f for f = set; 8..15: slots l..7 for
// l = set - 8) and a set of sides, the major sides of the set's slots whose
// minor side is among those sides.
struct MajorSides {
    uint8_t of[16][16];
    MajorSides() {
        for (int set = 0; set < 16; ++set) {
            for (int sides = 0; sides < 16; ++sides) {
                of[set][sides] = 0;
                for (int p = set < 8 ? 0 : set - 8; p <= (set < 8 ? set : 7); ++p) {
                    if (sides >> kMinor[p] & 1) {
                        of[set][sides] |= uint8_t(1 << kMajor[p]);
                    }
                }
            }
        }
    }
};
const MajorSides kMajorSides;

struct SkipPlan {
    int first;                 // f
    int last;                  // l
    uint64_t groupsKeptBelow;  // every group of eight nearer than this keeps the rule
    uint64_t axisFrom;         // axis groups of this ring and beyond may break it
    uint64_t cornerFrom;       // corner groups likewise
};

// The plans for one centre.
class SkipPlanner {
public:
    explicit SkipPlanner(const int64_t reach[4]) : reach(reach) {
        largest[0] = -1;
        for (int sides = 1; sides < 16; ++sides) {
            const int lowest = LowestBit(uint32_t(sides));
            largest[sides] = std::max(largest[sides & (sides - 1)], reach[lowest]);
        }
        // The i at which a set's nearest breaking group may lie: 1 and one
        // past each reach, with the sides whose reach covers it.
        for (int c = 0; c < 5; ++c) {
            candidate[c] = c == 0 ? 1 : uint64_t(reach[c - 1]) + 1;
            covering[c] = Covering(reach, uint32_t(candidate[c]));
        }
        const int64_t corner[4] = {
            std::min(reach[kLeft], reach[kDown]), std::min(reach[kLeft], reach[kUp]),
            std::min(reach[kRight], reach[kUp]), std::min(reach[kRight], reach[kDown])};
        for (int k = 0; k < 4; ++k) {
            axisUpTo[k] = std::max(k > 0 ? axisUpTo[k - 1] : -1, reach[k]);
            cornerUpTo[k] = std::max(k > 0 ? cornerUpTo[k - 1] : -1, corner[k]);
            axisFromOn[3 - k] = std::max(k > 0 ? axisFromOn[4 - k] : -1, reach[3 - k]);
            cornerFromOn[3 - k] = std::max(k > 0 ? cornerFromOn[4 - k] : -1, corner[3 - k]);
        }
    }

    // Below this key every group of eight has a slot of the set allowed
    // (0..7: slots 0..f for f = set; 8..15: slots l..7 for l = set - 8).
    // Slot p of group (r, i) is allowed while r <= A and i <= B (the reaches
    // of its major and minor sides). The nearest group with no slot of the
    // set allowed has, for i = 1 or one past a reach, the smallest r above
    // the A of every slot whose B reaches i.
    uint64_t KeptBelow(int set) const {
        if ((known >> set & 1) == 0) {
            uint64_t nearest = ~uint64_t(0);
            for (int c = 0; c < 5; ++c) {
                const uint64_t i = candidate[c];
                const uint64_t r = std::max<uint64_t>(
                    i + 1, uint64_t(largest[kMajorSides.of[set][covering[c]]] + 1));
                nearest = std::min(nearest, Square64(r) + Square64(i));
            }
            keptBelow[set] = nearest;
            known |= uint16_t(1 << set);
        }
        return keptBelow[set];
    }

    // Groups of eight keep an allowed slot <= f and one >= l below
    // groupsKeptBelow. A group of four keeps the rule up to the ring that is
    // the larger reach of the sides of its offsets up to the l-th, and
    // likewise of those from the (f - 4)-th on.
    SkipPlan Plan(int f, int l) const {
        const int first = std::min(l, 3);
        const int last = std::max(0, f - 4);
        return SkipPlan{f, l, std::min(KeptBelow(f), KeptBelow(8 + l)),
                        uint64_t(std::min(axisUpTo[first], axisFromOn[last]) + 1),
                        uint64_t(std::min(cornerUpTo[first], cornerFromOn[last]) + 1)};
    }

    // The plan that covers the distance with the fewest groups of four to
    // check. Allowing more slots at the front (larger f) or back (smaller l)
    // keeps groups of eight longer but lets more groups of four break the
    // rule, so the smallest f and largest l that cover it are best. When none
    // covers, the pair that keeps the rule farthest (then f = l).
    SkipPlan Best(uint64_t squaredDistance) const {
        int f = 0;
        while (f < 8 && KeptBelow(f) < squaredDistance) {
            ++f;
        }
        int l = 7;
        while (l >= 0 && KeptBelow(8 + l) < squaredDistance) {
            --l;
        }
        if (f <= l) {
            return Plan(f, l);
        }
        int best = 0;
        for (int p = 1; p < 8; ++p) {
            if (std::min(KeptBelow(p), KeptBelow(8 + p)) >
                std::min(KeptBelow(best), KeptBelow(8 + best))) {
                best = p;
            }
        }
        return Plan(best, best);
    }

    // Whether at most `few` axis and `few` corner groups nearer than `to`
    // may break the plan's rule.
    static bool FewChecks(const SkipPlan& plan, uint64_t to, uint64_t few) {
        return Square64(plan.axisFrom + few) >= to && 2 * Square64(plan.cornerFrom + few) >= to;
    }

    // Appends the groups with keys in [from, to) that break the plan's rule,
    // as key << 16 | ring; false (and stops) once that takes more than
    // `most` steps. A group of eight (r, i) breaks it when r is above the
    // smaller of the largest major reaches of the slots <= f and >= l whose
    // minor side reaches i; the sides that reach i change only one past a
    // reach, so i is taken stretch by stretch.
    bool GroupsBreaking(const SkipPlan& plan, uint64_t from, uint64_t to, uint64_t most,
                        std::vector<uint64_t>& out) const {
        for (uint64_t a = std::max<uint64_t>(plan.axisFrom, IntegerSquareRoot(from - 1) + 1);
             a * a < to; ++a) {
            out.push_back(a * a << 16 | a);
        }
        for (uint64_t c =
                 std::max<uint64_t>(plan.cornerFrom, IntegerSquareRoot((from - 1) / 2) + 1);
             2 * c * c < to; ++c) {
            out.push_back(2 * c * c << 16 | c);
        }
        uint64_t starts[6] = {1,
                              uint64_t(reach[0]) + 1,
                              uint64_t(reach[1]) + 1,
                              uint64_t(reach[2]) + 1,
                              uint64_t(reach[3]) + 1,
                              ~uint64_t(0)};
        std::sort(starts, starts + 5);
        // Largest i with (i + 1)^2 + i^2 < to.
        const uint64_t diagonal = (IntegerSquareRoot(2 * (to - 1) - 1) - 1) / 2;
        uint64_t steps = 0;
        for (int piece = 0; piece < 5; ++piece) {
            if (starts[piece] == starts[piece + 1]) {
                continue;
            }
            const uint32_t sides = Covering(reach, uint32_t(starts[piece]));
            const uint64_t above =
                uint64_t(std::min(largest[kMajorSides.of[plan.first][sides]],
                                  largest[kMajorSides.of[8 + plan.last][sides]]) +
                         1);
            // For i < above the smallest r is `above`, for larger i it is i + 1.
            if (Square64(above) >= to) {
                continue;
            }
            const uint64_t first = starts[piece];
            const uint64_t lastBelow =
                std::min(std::min(starts[piece + 1] - 1, above - 1),
                         uint64_t(IntegerSquareRoot(to - 1 - Square64(above))));
            const uint64_t lastBeyond = std::min(starts[piece + 1] - 1, diagonal);
            const uint64_t firstBeyond = std::max(first, above);
            steps += (lastBelow >= first && above > first ? lastBelow - first + 1 : 0) +
                     (lastBeyond >= firstBeyond ? lastBeyond - firstBeyond + 1 : 0);
            if (steps > most) {
                return false;
            }
            for (uint64_t i = first; i <= std::max(lastBelow, lastBeyond) && i < starts[piece + 1];
                 ++i) {
                if (i < above && i > lastBelow) {
                    i = firstBeyond - 1;  // on to the stretch beyond
                    continue;
                }
                uint64_t r = std::max(above, i + 1);
                if (Square64(r) + Square64(i) < from) {
                    r = std::max<uint64_t>(r, IntegerSquareRoot(from - Square64(i) - 1) + 1);
                }
                for (; Square64(r) + Square64(i) < to; ++r) {
                    out.push_back((Square64(r) + Square64(i)) << 16 | r);
                    if (++steps > most) {
                        return false;
                    }
                }
            }
        }
        return true;
    }

private:
    const int64_t* reach;
    int64_t largest[16];  // per set of sides, the largest reach
    uint64_t candidate[5];
    uint32_t covering[5];
    mutable uint64_t keptBelow[16];
    mutable uint16_t known = 0;
    int64_t axisUpTo[4], axisFromOn[4], cornerUpTo[4], cornerFromOn[4];
};

}  // namespace

// The disallowed offsets just before group `group`, back to group `from`.
int NearestSearch::RunBeforeGroup(size_t from, size_t group, const int64_t reach[4]) const {
    int run = 0;
    while (group > from && run < 8) {
        int count = 0;
        --group;
        const uint32_t mask = AllowedMask(groups[group].ring, groups[group].minor, reach, count);
        if (mask != 0) {
            return run + count - 1 - HighestBit(mask);
        }
        run += count;
    }
    return run;
}

// Follows the walk group by group over [group, end) after `run` disallowed
// offsets; with `untilAllowed`, only until a group after the first has an
// allowed offset.
bool NearestSearch::ScanGroups(size_t group, size_t end, int run, bool untilAllowed,
                               const int64_t reach[4], Position& walkEnd) const {
    for (const size_t first = group; group < end; ++group) {
        int count = 0;
        int entry = 0;
        const uint32_t mask = AllowedMask(groups[group].ring, groups[group].minor, reach, count);
        if (ExtendRun(mask, count, run, entry)) {
            walkEnd = Position{group, count == 8 ? entry : 2 * entry + 1};
            return true;
        }
        if (untilAllowed && group > first && mask != 0) {
            return false;
        }
    }
    return false;
}

// The walk's end (its eighth disallowed offset in a row) before group `end`,
// for a walk started at the beginning of group `from`.
bool NearestSearch::FindWalkEnd(size_t from, size_t end, uint32_t squaredDistance,
                                const int64_t reach[4], Position& walkEnd) {
    const int64_t nearestEdge = *std::min_element(reach, reach + 4);
    // Offsets of rings up to the nearest edge are all allowed.
    if (squaredDistance <= Square64(uint64_t(nearestEdge) + 1)) {
        return false;
    }
    // One odd slot p allowed in every group, the axis and corner groups
    // included (their offset k = (p - 1) / 2), keeps every run below eight.
    for (int k = 0; k < 4; ++k) {
        const int p = 2 * k + 1;
        const uint64_t major = uint64_t(reach[kMajor[p]]);
        const uint64_t minor = uint64_t(reach[kMinor[p]]);
        const uint64_t corner = uint64_t(std::min(reach[kMajor[p]], reach[kMinor[p]]));
        if (Square64(major + 1) + 1 >= squaredDistance &&
            Square64(minor + 2) + Square64(minor + 1) >= squaredDistance &&
            Square64(major + 1) >= squaredDistance && 2 * Square64(corner + 1) >= squaredDistance) {
            return false;
        }
    }
    const uint64_t startKey = groups[from].key;
    // Neighbouring centres mostly want the same plan: the last one is kept
    // while it covers the distance with few groups of four to check.
    const SkipPlanner planner(reach);
    SkipPlan plan = planner.Plan(planFirst, planLast);
    if (plan.groupsKeptBelow < squaredDistance || !planner.FewChecks(plan, squaredDistance, 2)) {
        plan = planner.Best(squaredDistance);
        planFirst = plan.first;
        planLast = plan.last;
    }
    const uint64_t kept = std::min<uint64_t>(plan.groupsKeptBelow, squaredDistance);

    // Where groups of eight keep the rule, only axis and corner groups may
    // break it: a few, taken in table order.
    uint64_t axis = std::max<uint64_t>(plan.axisFrom, IntegerSquareRoot(startKey));
    if (axis * axis < startKey) {
        ++axis;
    }
    uint64_t corner = std::max<uint64_t>(plan.cornerFrom, IntegerSquareRoot(startKey / 2));
    if (2 * corner * corner < startKey) {
        ++corner;
    }
    for (;;) {
        const uint64_t axisKey = axis * axis;
        const uint64_t cornerKey = 2 * corner * corner;
        if (std::min(axisKey, cornerKey) >= kept) {
            break;
        }
        const size_t group = axisKey < cornerKey ? axisGroup[axis++] : cornerGroup[corner++];
        if (ScanGroups(group, end, RunBeforeGroup(from, group, reach), true, reach, walkEnd)) {
            return true;
        }
    }

    // Beyond, in widening bands of keys: the groups that break the rule when
    // listing them is cheaper than following the walk group by group.
    uint64_t band = 2 * uint64_t(IntegerSquareRoot(kept)) + 2;
    for (uint64_t bandFrom = std::max(startKey, kept); bandFrom < squaredDistance; band *= 2) {
        const uint64_t bandTo = std::min<uint64_t>(bandFrom + band, squaredDistance);
        breaking.clear();
        if (planner.GroupsBreaking(plan, bandFrom, bandTo, band / 16, breaking)) {
            std::sort(breaking.begin(), breaking.end());
            for (const uint64_t order : breaking) {
                size_t group = FirstGroupOfKey(uint32_t(order >> 16));
                while (groups[group].ring < (order & 0xFFFF)) {
                    ++group;
                }
                if (ScanGroups(group, end, RunBeforeGroup(from, group, reach), true, reach,
                               walkEnd)) {
                    return true;
                }
            }
        } else {
            const size_t first = std::max(from, FirstGroupOfKey(uint32_t(bandFrom)));
            const size_t last = FirstGroupOfKey(uint32_t(bandTo));
            // The last group's disallowed tail may run on into the next band.
            if (ScanGroups(first, last, RunBeforeGroup(from, first, reach), false, reach,
                           walkEnd) ||
                ScanGroups(last, end, RunBeforeGroup(from, last, reach), true, reach, walkEnd)) {
                return true;
            }
        }
        bandFrom = bandTo;
    }
    return false;
}

// The disallowed offsets just before `at`, back to the walk's start `from`
// (which had `carried` before it).
int NearestSearch::RunBefore(Position from, int carried, Position at) const {
    int run = 0;
    while (run < 8 && (at.group != from.group || at.slot != from.slot)) {
        StepBack(at);
        if (IsAllowedAt(at)) {
            return run;
        }
        ++run;
    }
    return run < 8 ? run + carried : run;
}

// Follows the walk started at `from` offset by offset from `at` on.
bool NearestSearch::ScanForWalkEnd(Position from, Position at, int carried, size_t end,
                                   Position& walkEnd) const {
    for (int run = RunBefore(from, carried, at); at.group < end; Step(at)) {
        if (IsAllowedAt(at)) {
            run = 0;
        } else if (++run == 8) {
            walkEnd = at;
            return true;
        }
    }
    return false;
}

// The last allowed offset the walk handed out from `from` up to `stop`, offset
// by offset: no run there is longer than eight, so it is near.
void NearestSearch::FindLastAllowed(Position from, Position stop, Passed& passed) const {
    for (Position at = stop; at.group != from.group || at.slot != from.slot;) {
        StepBack(at);
        if (IsAllowedAt(at)) {
            passed.anyAllowed = true;
            passed.lastAllowed = groups[at.group].At(at.slot);
            return;
        }
    }
}

// The same group by group, for a walk started at the beginning of group `from`.
void NearestSearch::FindLastAllowedInGroups(size_t from, Position stop, const int64_t reach[4],
                                            Passed& passed) const {
    for (size_t group = stop.group, before = size_t(stop.slot); group >= from; before = 8) {
        int count = 0;
        uint32_t mask = AllowedMask(groups[group].ring, groups[group].minor, reach, count);
        mask &= (1u << (count == 8 ? before : before / 2)) - 1;
        if (mask != 0) {
            const int entry = HighestBit(mask);
            passed.anyAllowed = true;
            passed.lastAllowed = groups[group].At(count == 8 ? entry : 2 * entry + 1);
            return;
        }
        if (group-- == from) {
            return;
        }
    }
}

// The allowed offsets with dy 0 are the first and third of an axis group:
// the farthest the walk handed out from `from` up to `stop`.
void NearestSearch::FindAxisRadius(Position from, Position stop, Passed& passed) const {
    if (!passed.anyAllowed || boundTop > 0 || boundBottom < 0) {
        return;
    }
    const int64_t left = -int64_t(boundLeft);
    const int64_t right = int64_t(boundRight);
    const size_t lastGroup =
        stop.slot == groups[stop.group].FirstSlot() ? stop.group - 1 : stop.group;
    int64_t radius = std::min<int64_t>(std::min<int64_t>(std::max(left, right), builtRings),
                                       IntegerSquareRoot(groups[lastGroup].key));
    for (; radius > 0 && axisGroup[size_t(radius)] >= from.group; --radius) {
        const size_t group = axisGroup[size_t(radius)];
        const auto handedOut = [&](int slot) {
            const bool started = group > from.group || slot >= from.slot;
            return started && (group < stop.group || (group == stop.group && slot < stop.slot));
        };
        if ((radius <= left && handedOut(1)) || (radius <= right && handedOut(5))) {
            passed.axisRadius = uint16_t(radius);
            return;
        }
    }
}

bool NearestSearch::SkipNearerThan(uint32_t squaredDistance, Passed& passed) {
    passed = Passed();
    // Beyond the last ring the 16-bit offsets end, and so does every walk.
    const uint32_t lastKey = Square(kMaxRing + 1u);
    const uint32_t skipTo = std::min(squaredDistance, lastKey);
    if (skipTo == 0 || groups[cursor.group].key >= skipTo) {
        return true;
    }
    if (ringKey < skipTo) {
        // Build the rings the walk would enter in one go, not half again at a time.
        const uint32_t needed = IntegerSquareRoot(skipTo - 1) + 1;
        if (needed > builtRings) {
            BuildRings(uint16_t(std::min<uint32_t>(needed + needed / 8, kMaxRing)));
        }
        while (ringKey < skipTo && ringCount < kMaxRing) {
            AddRing();
        }
    }
    const Position from = cursor;
    const int carried = pendingOutside;
    const size_t end = FirstGroupOfKey(skipTo);
    const int64_t reach[4] = {-int64_t(boundLeft), -int64_t(boundTop), int64_t(boundRight),
                              int64_t(boundBottom)};
    const int64_t nearestEdge = *std::min_element(reach, reach + 4);
    if (nearestEdge >= 0 && skipTo <= Square64(uint64_t(nearestEdge) + 1) &&
        from.slot == groups[from.group].FirstSlot()) {
        // Every offset passed lies within the nearest edge, so is allowed:
        // the last is the last of the group before `end`, and the farthest
        // axis offset is that of the largest ring below the distance.
        passed.anyAllowed = true;
        passed.lastAllowed = groups[end - 1].At(7);
        const uint32_t axis = IntegerSquareRoot(skipTo - 1);
        passed.axisRadius = Square(axis) >= groups[from.group].key ? uint16_t(axis) : 0;
        cursor = StartOf(end);
        pendingOutside = 0;
        return true;
    }
    // The shortcuts reason about whole groups from the walk's start on, with
    // the centre inside the rectangle.
    const bool grouped = from.group == walkStart && from.slot == groups[walkStart].FirstSlot() &&
                         carried == 0 && nearestEdge >= 0;
    Position walkEnd{0, 0};
    const bool ended = grouped ? FindWalkEnd(from.group, end, skipTo, reach, walkEnd)
                               : ScanForWalkEnd(from, from, carried, end, walkEnd);
    Position stop = StartOf(end);
    if (ended) {
        stop = walkEnd;
        Step(stop);
    }
    if (grouped) {
        FindLastAllowedInGroups(from.group, stop, reach, passed);
        pendingOutside = ended ? 0 : RunBeforeGroup(from.group, end, reach);
    } else {
        FindLastAllowed(from, stop, passed);
        pendingOutside = ended ? 0 : RunBefore(from, carried, stop);
    }
    FindAxisRadius(from, stop, passed);
    cursor = stop;
    return !ended && skipTo == squaredDistance;
}
