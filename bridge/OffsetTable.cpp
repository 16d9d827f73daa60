#include "OffsetTable.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include "SquareRoots.h"

namespace {

// The groups of the new rings are sorted this many keys at a time.
constexpr uint32_t kBand = 1u << 16;
// Ends the table so that a walk always finds a group beyond the built rings.
constexpr uint32_t kSentinelKey = std::numeric_limits<uint32_t>::max();

// A group's place in the table: by squared distance, then by ring.
uint64_t OrderOf(uint32_t key, uint32_t ring) {
    return uint64_t(key) << 16 | ring;
}

}  // namespace

OffsetTable::OffsetTable() {
    groups.push_back(OffsetGroup{kSentinelKey, 0, 0});
    IndexGroups();
}

bool OffsetTable::EnsureRing(uint16_t ring) {
    if (ring <= builtRings) {
        return false;
    }
    const uint32_t ahead =
        std::min<uint32_t>(std::max<uint32_t>(2u * builtRings, builtRings + 16u), buildAheadLimit);
    BuildRings(uint16_t(std::min<uint32_t>(std::max<uint32_t>(ahead, ring), kMaxRing)));
    return true;
}

// The groups of the new rings come one band of distances at a time, each band
// put in order by a counting sort over its distances (linear, and within the
// cache however many rings there are), and are merged after the older ones:
// equal distances then keep the order of insertion, the smaller ring first.
void OffsetTable::BuildRings(uint16_t lastRing) {
    lastRing = std::min(lastRing, kMaxRing);
    if (lastRing <= builtRings) {
        return;
    }
    groups.pop_back();  // the sentinel
    const uint32_t firstRing = builtRings + 1u;
    std::vector<OffsetGroup> merged;
    merged.reserve(groups.size() + size_t(lastRing) * (lastRing + 1) / 2 -
                   size_t(firstRing) * (firstRing - 1) / 2 + lastRing + 1);
    std::vector<uint32_t> nextRing(size_t(lastRing) + 1);  // per i, the next ring to emit
    for (uint32_t i = 0; i <= lastRing; ++i) {
        nextRing[i] = std::max(firstRing, i);
    }
    // The work space is kept from build to build: fresh memory of this
    // size costs a page fault per page, more than the sort itself.
    std::vector<OffsetGroup>& band = bandWork;
    std::vector<OffsetGroup>& sorted = sortedWork;
    std::vector<uint32_t>& place = placeWork;
    place.resize(kBand + 1);
    const auto byKey = [](const OffsetGroup& a, const OffsetGroup& b) { return a.key < b.key; };
    auto older = groups.begin();  // the first old group not yet merged
    for (uint64_t from = Square64(firstRing); from <= 2 * Square64(lastRing); from += kBand) {
        const uint64_t to = from + kBand;
        // Within one distance a larger i means a smaller ring: going down
        // from the largest i gives ring order, which the counting sort keeps.
        band.clear();
        uint32_t i = std::min<uint32_t>(lastRing, IntegerSquareRoot((to - 1) / 2));
        for (;; --i) {
            // Rings from nextRing[i] while r*r + i*i < to: known at once, so
            // the groups are written in place. (Each pushed one at a time was
            // put together on the stack in three stores and read back as
            // one, which stalled the processor on every group.)
            const uint32_t fromRing = nextRing[i];
            const uint64_t below = to - Square64(i);  // to > i*i: i <= root of (to - 1) / 2
            const uint32_t endRing = std::max(
                fromRing, std::min<uint32_t>(lastRing + 1u, IntegerSquareRoot(below - 1) + 1u));
            const size_t at = band.size();
            band.resize(at + (endRing - fromRing));
            OffsetGroup* out = band.data() + at;
            for (uint32_t r = fromRing; r < endRing; ++r, ++out) {
                out->key = uint32_t(Square64(r) + Square64(i));
                out->ring = uint16_t(r);
                out->minor = uint16_t(i);
            }
            nextRing[i] = endRing;
            if (i == 0) {
                break;
            }
        }
        std::fill(place.begin(), place.end(), 0);
        for (const OffsetGroup& group : band) {
            ++place[group.key - from + 1];
        }
        for (uint32_t k = 1; k <= kBand; ++k) {
            place[k] += place[k - 1];
        }
        sorted.resize(band.size());
        for (const OffsetGroup& group : band) {
            sorted[place[group.key - from]++] = group;
        }
        // The old groups below the band's end go first on equal distances:
        // their rings are smaller.
        const auto olderEnd = std::partition_point(
            older, groups.end(), [to](const OffsetGroup& group) { return group.key < to; });
        if (older == olderEnd) {
            // Nothing to merge with: one copy, not a group at a time.
            merged.insert(merged.end(), sorted.begin(), sorted.end());
        } else {
            std::merge(older, olderEnd, sorted.begin(), sorted.end(), std::back_inserter(merged),
                       byKey);
        }
        older = olderEnd;
    }
    merged.insert(merged.end(), older, groups.end());
    merged.push_back(OffsetGroup{kSentinelKey, 0, 0});
    groups.swap(merged);
    builtRings = lastRing;
    IndexGroups();
}

void OffsetTable::IndexGroups() {
    // About one group in eight keys: a sample every 16 keys leaves a few steps.
    firstGroupOfSampledKey.assign(CompleteBelowKey() / kKeySample + 1, 0);
    for (size_t sample = 0, at = 0; sample < firstGroupOfSampledKey.size(); ++sample) {
        while (groups[at].key < sample * kKeySample) {
            ++at;
        }
        firstGroupOfSampledKey[sample] = uint32_t(at);
    }
    // From the samples: a search of the whole table per ring would miss the
    // cache at most of its steps.
    firstGroupOfSquare.assign(size_t(builtRings) + 2, 0);
    for (uint32_t root = 1; root <= builtRings + 1u; ++root) {
        firstGroupOfSquare[root] = uint32_t(FirstGroupOfKey(root * root));
    }
    // The listed keys' offsets stay as they are once every listed key is
    // complete.
    const uint32_t listed = std::min(kListedKeys, CompleteBelowKey());
    if (listed != ListedBelowKey()) {
        offsetsOfKey.clear();
        offsetsOfKeyStart.assign(size_t(listed) + 1, 0);
        for (size_t at = 0; groups[at].key < listed; ++at) {
            for (int slot = groups[at].FirstSlot(); slot < 8; slot += groups[at].SlotStep()) {
                offsetsOfKey.push_back(groups[at].At(slot));
            }
            offsetsOfKeyStart[groups[at].key + 1] = uint32_t(offsetsOfKey.size());
        }
        for (size_t key = 1; key <= listed; ++key) {
            offsetsOfKeyStart[key] = std::max(offsetsOfKeyStart[key], offsetsOfKeyStart[key - 1]);
        }
    }
    // Ring r's axis group is the one group of key r*r in ring r, its corner
    // group the one of key 2r*r: found from the samples, not by a pass over
    // the whole table.
    axisGroup.assign(size_t(builtRings) + 1, 0);
    cornerGroup.assign(size_t(builtRings) + 1, 0);
    for (uint32_t ring = 1; ring <= builtRings; ++ring) {
        axisGroup[ring] = uint32_t(FindGroup(ring * ring, uint16_t(ring)));
        cornerGroup[ring] = uint32_t(FindGroup(2 * ring * ring, uint16_t(ring)));
    }
    std::vector<FourGroupNeighbours> aroundAxes(size_t(builtRings) + 1,
                                                FourGroupNeighbours{0, 0, 0, 0});
    std::vector<FourGroupNeighbours> aroundCorners(aroundAxes);
    for (uint16_t ring = 1; ring <= builtRings; ++ring) {
        aroundAxes[ring] = NeighboursOf(axisGroup[ring]);
        aroundCorners[ring] = NeighboursOf(cornerGroup[ring]);
    }
    axes.Assign(std::move(aroundAxes));
    corners.Assign(std::move(aroundCorners));
}

FourGroupNeighbours OffsetTable::NeighboursOf(size_t group) const {
    FourGroupNeighbours neighbours{0, 0, 0, 0};
    if (group > 0 && groups[group - 1].HasEight()) {
        neighbours.beforeRing = groups[group - 1].ring;
        neighbours.beforeMinor = groups[group - 1].minor;
    }
    // The sentinel has ring 0, so a group at the end of the table has none.
    if (groups[group + 1].HasEight()) {
        neighbours.afterRing = groups[group + 1].ring;
        neighbours.afterMinor = groups[group + 1].minor;
    }
    return neighbours;
}

size_t OffsetTable::FirstGroupOfKey(uint32_t key) const {
    const size_t sample = key / kKeySample;
    if (sample >= firstGroupOfSampledKey.size()) {
        const auto byKey = [](const OffsetGroup& a, uint32_t k) { return a.key < k; };
        const auto from = groups.begin() + firstGroupOfSampledKey.back();
        return size_t(std::lower_bound(from, groups.end(), key, byKey) - groups.begin());
    }
    size_t at = firstGroupOfSampledKey[sample];
    // The groups are in key order, so those below `key` come first: they are
    // counted eight at a time. A loop that stops at the first group of `key`
    // runs a different number of steps each call, and the processor, guessing
    // where it stops, mostly guesses wrong.
    while (at + 8 <= groups.size()) {
        const OffsetGroup* next = &groups[at];
        size_t below = 0;
        for (int k = 0; k < 8; ++k) {
            below += size_t(next[k].key < key);
        }
        at += below;
        if (below < 8) {
            return at;
        }
    }
    while (groups[at].key < key) {
        ++at;
    }
    return at;
}

size_t OffsetTable::FindGroup(uint32_t key, uint16_t ring) const {
    size_t at = FirstGroupOfKey(key);
    while (OrderOf(groups[at].key, groups[at].ring) < OrderOf(key, ring)) {
        ++at;
    }
    return at;
}
