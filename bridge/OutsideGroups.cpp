#include "OutsideGroups.h"

#include <algorithm>
#include <utility>

#include "SquareRoots.h"

namespace {

bool Neighbouring(int a, int b) {
    return (a + b) % 2 == 1;  // left and right, up and down are opposite
}

// The sides in order of their reach (a sorting network).
void SortSides(const Reaches& reaches, int sides[4]) {
    for (int s = 0; s < 4; ++s) {
        sides[s] = s;
    }
    const auto order = [&reaches, sides](int a, int b) {
        if (reaches.side[sides[b]] < reaches.side[sides[a]]) {
            std::swap(sides[a], sides[b]);
        }
    };
    order(0, 1);
    order(2, 3);
    order(0, 2);
    order(1, 3);
    order(1, 2);
}

// The least (key, ring) of a group of eight with i in [firstMinor, lastMinor]
// and r > max(beyond, i), key at least fromKey.
bool FirstInStep(uint64_t firstMinor, uint64_t lastMinor, int64_t beyond, uint64_t fromKey,
                 GroupKey& best, bool& found) {
    bool any = false;
    for (uint64_t i = firstMinor; i <= lastMinor; ++i) {
        const uint64_t least = std::max<uint64_t>(uint64_t(beyond + 1), i + 1);
        uint64_t ring = least;
        if (Square64(least) + Square64(i) < fromKey) {
            ring = std::max<uint64_t>(least, CeilingSquareRoot(fromKey - Square64(i)));
        }
        const uint64_t key = Square64(ring) + Square64(i);
        if (key > 0xFFFFFFFFu || ring > 0xFFFF) {
            break;
        }
        const GroupKey candidate{uint32_t(key), uint16_t(ring), uint16_t(i)};
        if (!found || candidate.Before(best)) {
            best = candidate;
            found = true;
            any = true;
        }
        // From here on the least ring no longer depends on fromKey, and the
        // key only grows with i.
        if (ring == least) {
            break;
        }
    }
    return any;
}

}  // namespace

uint64_t EndlessBelowKey(const Reaches& reaches) {
    int sides[4];
    SortSides(reaches, sides);
    const uint64_t second = uint64_t(reaches.side[sides[1]]);
    const uint64_t third = uint64_t(reaches.side[sides[2]]);
    const uint64_t bySides = second < third && Neighbouring(sides[0], sides[1])
                                 ? Square64(third + 1)
                                 : Square64(second + 1);

    // The least keys of a group whose last offset is disallowed, and of one
    // whose first offset is: a group of eight by its i or its ring, an axis
    // group, a corner group.
    const uint64_t left = uint64_t(reaches.side[kLeft]);
    const uint64_t right = uint64_t(reaches.side[kRight]);
    const uint64_t down = uint64_t(reaches.side[kDown]);
    const uint64_t belowDown = Square64(std::max<uint64_t>(down + 1, 2)) + 1;
    const uint64_t lastOut =
        std::min(std::min(Square64(right + 1) + Square64(right + 2), belowDown),
                 std::min(Square64(down + 1), 2 * Square64(std::min(right, down) + 1)));
    const uint64_t firstOut =
        std::min(std::min(Square64(left + 1) + Square64(left + 2), belowDown),
                 std::min(Square64(left + 1), 2 * Square64(std::min(left, down) + 1)));
    return std::max(bySides, std::max(lastOut, firstOut));
}

bool FirstGroupOutside(const Reaches& reaches, uint64_t fromKey, uint64_t belowKey,
                       GroupKey& found) {
    int sides[4];
    SortSides(reaches, sides);
    // For the sides from the k-th smallest reach on (those covering every i
    // of step k), the largest reach of their neighbours: the ring of a group
    // wholly outside must lie beyond it.
    int64_t beyondFrom[5];
    beyondFrom[4] = -1;
    for (int k = 3; k >= 0; --k) {
        const int s = sides[k];
        beyondFrom[k] = std::max<int64_t>(
            beyondFrom[k + 1], std::max(reaches.side[(s + 1) % 4], reaches.side[(s + 3) % 4]));
    }
    bool any = false;
    GroupKey best{0, 0, 0};
    int64_t previous = 0;  // i runs over (previous, reach] step by step
    for (int k = 0; k <= 4; ++k) {
        const bool last = k == 4;
        const int64_t reach = last ? INT64_MAX : reaches.side[sides[k]];
        if (reach <= previous) {
            continue;
        }
        // (Of equal reaches the first in sorted order comes here.)
        const int64_t beyond = beyondFrom[k];
        const uint64_t firstMinor = uint64_t(previous) + 1;
        // Beyond the start's distance i need not go: the first i there wins.
        const uint64_t lastMinor = last ? IntegerSquareRoot(fromKey) + firstMinor : uint64_t(reach);
        FirstInStep(firstMinor, lastMinor, beyond, fromKey, best, any);
        previous = reach;
    }
    if (!any || best.key >= belowKey) {
        return false;
    }
    found = best;
    return true;
}
