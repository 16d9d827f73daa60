// Nearest-first search: hands out pixel offsets around a centre in order of
// increasing squared distance dx*dx + dy*dy, restricted to a rectangle of
// allowed offsets. Ties go to the offset of the smaller square ring (ring r:
// the offsets whose larger coordinate magnitude is r), and within one ring to
// a fixed order per distance. A search ends after eight consecutive offsets
// outside the bounds, even when allowed offsets lie further out.
//
// The order is kept in a flat array sorted by distance, built ahead in batches
// of rings; `ringCount` is the number of rings the search has entered so far,
// grown one ring at a time as the walk reaches beyond it. The table holds at
// least every offset of rings 1..ringCount, and every offset nearer than
// ringCount, so the walk never skips a nearer offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One offset from the centre.
struct Offset {
    int16_t dx;  // columns, positive to the right
    int16_t dy;  // rows, positive downwards
};

class NearestSearch {
public:
    // The allowed offsets, inclusive; the caller sets them before each Begin.
    // For a centre at (row y, column x) of an image with last indices (Y, X):
    // top -y, left -x, bottom Y - y, right X - x.
    int32_t boundTop = 0;
    int32_t boundLeft = 0;
    int32_t boundBottom = 0;
    int32_t boundRight = 0;

    // A new search holds rings 1 to 10.
    NearestSearch();
    virtual ~NearestSearch() = default;

    // Enters the next ring.
    void AddRing();

    // Starts a search at the first offset whose squared distance is
    // startRadius squared (the nearest offset for 0) and hands out the first
    // allowed offset; false when the search ends at once. startRadius must not
    // exceed RingCount().
    bool Begin(int& dx, int& dy, uint16_t startRadius);

    // Starts a search at the first offset whose squared distance is at least
    // `squaredDistance`, entering the rings up to it, and hands out the first
    // allowed offset. For callers that know no nearer offset can be of use.
    bool BeginAtDistance(int& dx, int& dy, uint32_t squaredDistance);

    // Hands out the next allowed offset; false when the search has ended, and
    // then dx, dy hold the last disallowed offset, not a pixel to use.
    inline bool Next(int& dx, int& dy);

    uint16_t RingCount() const { return ringCount; }
    uint32_t RingKey() const { return ringKey; }

    // Offsets cannot be larger than 16 bits: no ring beyond this one is entered.
    static constexpr uint16_t kMaxRing = 32767;

private:
    struct Entry {
        uint32_t key;  // dx*dx + dy*dy
        Offset offset;
    };

    void BuildRings(uint16_t lastRing);
    void MoveCursorPastKey(uint32_t key);
    bool EnterNextRingAt(uint32_t key);

    uint16_t ringCount = 0;
    uint32_t ringKey = 0;
    uint16_t builtRings = 0;
    std::vector<Entry> table;             // every offset of rings 1..builtRings, in order
    std::vector<uint32_t> firstOfSquare;  // index of the first entry of key s*s, s <= builtRings
    size_t cursor = 0;
};

inline bool NearestSearch::Next(int& dx, int& dy) {
    for (int tries = 0; tries < 8; ++tries) {
        const uint32_t key = table[cursor].key;
        if (key > ringKey && !EnterNextRingAt(key)) {
            return false;
        }
        const Offset offset = table[cursor].offset;
        ++cursor;
        dx = offset.dx;
        dy = offset.dy;
        if (dy >= boundTop && dy <= boundBottom && dx >= boundLeft && dx <= boundRight) {
            return true;
        }
    }
    return false;
}
