#include "NearestSearch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint16_t kInitialRings = 10;
// Ends the table so that the walk always finds an entry beyond the entered rings.
constexpr uint32_t kSentinelKey = std::numeric_limits<uint32_t>::max();

uint32_t Square(uint32_t value) {
    return value * value;
}

// Appends ring r in its insertion order: for i = 0..r, the offsets of
// squared distance r*r + i*i; the axis (i = 0) and corner (i = r) offsets
// are four, the others eight.
template <typename Entry>
void AppendRing(std::vector<Entry>& entries, int r) {
    for (int i = 0; i <= r; ++i) {
        const uint32_t key = Square(uint32_t(r)) + Square(uint32_t(i));
        const int16_t R = int16_t(r);
        const int16_t I = int16_t(i);
        const Offset all[8] = {{int16_t(-I), R},
                               {int16_t(-R), I},
                               {int16_t(-R), int16_t(-I)},
                               {int16_t(-I), int16_t(-R)},
                               {I, int16_t(-R)},
                               {R, int16_t(-I)},
                               {R, I},
                               {I, R}};
        const bool fourOnly = (i == 0 || i == r);
        for (int k = fourOnly ? 1 : 0; k < 8; k += fourOnly ? 2 : 1) {
            entries.push_back(Entry{key, all[k]});
        }
    }
}

}  // namespace

NearestSearch::NearestSearch() {
    for (int i = 0; i < kInitialRings; ++i) {
        AddRing();
    }
    cursor = 0;
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

void NearestSearch::BuildRings(uint16_t lastRing) {
    // Remember the cursor's entry by value: its index moves when rings merge in.
    const bool hadCursor = cursor < table.size();
    const Entry atCursor = hadCursor ? table[cursor] : Entry{0, {0, 0}};

    if (!table.empty()) {
        table.pop_back();  // the sentinel
    }
    std::vector<Entry> added;
    for (int r = builtRings + 1; r <= lastRing; ++r) {
        AppendRing(added, r);
    }
    // Equal keys keep their insertion order: smaller ring first, then the
    // fixed order within a ring. A stable sort of the new rings and a merge
    // that takes older entries first on ties give exactly that.
    auto byKey = [](const Entry& a, const Entry& b) { return a.key < b.key; };
    std::stable_sort(added.begin(), added.end(), byKey);
    std::vector<Entry> merged;
    merged.reserve(table.size() + added.size() + 1);
    std::merge(table.begin(), table.end(), added.begin(), added.end(), std::back_inserter(merged),
               byKey);
    merged.push_back(Entry{kSentinelKey, {0, 0}});
    table.swap(merged);
    builtRings = lastRing;

    firstOfSquare.assign(size_t(builtRings) + 1, 0);
    for (uint32_t s = 1; s <= builtRings; ++s) {
        const Entry probe{Square(s), {0, 0}};
        firstOfSquare[s] =
            uint32_t(std::lower_bound(table.begin(), table.end(), probe, byKey) - table.begin());
    }

    cursor = 0;
    if (hadCursor) {
        auto it = std::lower_bound(table.begin(), table.end(), atCursor, byKey);
        while (it->offset.dx != atCursor.offset.dx || it->offset.dy != atCursor.offset.dy) {
            ++it;
        }
        cursor = size_t(it - table.begin());
    }
}

void NearestSearch::MoveCursorPastKey(uint32_t key) {
    const Entry probe{key, {0, 0}};
    cursor = size_t(std::upper_bound(table.begin(), table.end(), probe,
                                     [](const Entry& a, const Entry& b) { return a.key < b.key; }) -
                    table.begin());
}

bool NearestSearch::EnterNextRingAt(uint32_t key) {
    if (ringCount >= kMaxRing) {
        // Every offset nearer than ring kMaxRing + 1 is in the table; beyond
        // that the 16-bit offsets end, and so does the search.
        return key < Square(kMaxRing + 1u);
    }
    const uint32_t previousKey = ringKey;
    AddRing();
    MoveCursorPastKey(previousKey);
    return true;
}

bool NearestSearch::Begin(int& dx, int& dy, uint16_t startRadius) {
    const uint32_t key = Square(startRadius);
    if (key == 0) {
        cursor = 0;
    } else if (startRadius <= ringCount) {
        cursor = firstOfSquare[startRadius];
    } else {
        // Only offsets of entered rings count as present.
        const Entry probe{key, {0, 0}};
        auto it = std::lower_bound(table.begin(), table.end(), probe,
                                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
        const bool present =
            it != table.end() && it->key == key &&
            std::max(std::abs(int(it->offset.dx)), std::abs(int(it->offset.dy))) <= int(ringCount);
        cursor = present ? size_t(it - table.begin()) : 0;
    }
    return Next(dx, dy);
}

bool NearestSearch::BeginAtDistance(int& dx, int& dy, uint32_t squaredDistance) {
    while (ringKey < squaredDistance && ringCount < kMaxRing) {
        AddRing();
    }
    // Entries of key r*r come before every larger key: start the binary
    // search at the first of them, r the whole square root of the distance.
    uint32_t root = uint32_t(std::sqrt(double(squaredDistance)));
    while (root > 0 && Square(root) > squaredDistance) {
        --root;
    }
    root = std::min<uint32_t>(root, ringCount);
    const Entry probe{squaredDistance, {0, 0}};
    const auto byKey = [](const Entry& a, const Entry& b) { return a.key < b.key; };
    const auto from = table.begin() + firstOfSquare[root];
    cursor = size_t(std::lower_bound(from, table.end(), probe, byKey) - table.begin());
    return Next(dx, dy);
}
