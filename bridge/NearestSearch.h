// Nearest-first search: hands out pixel offsets around a centre in order of
// increasing squared distance dx*dx + dy*dy, restricted to a rectangle of
// allowed offsets. Ties go to the offset of the smaller square ring (ring r:
// the offsets whose larger coordinate magnitude is r), and within one ring to
// a fixed order per distance. A search ends after eight consecutive offsets
// outside the bounds, even when allowed offsets lie further out.
//
// The order is kept as a flat array of groups sorted by distance: for ring r
// and 0 <= i <= r the offsets of squared distance r*r + i*i, eight of them
// (four on the axes and diagonals) in a fixed order, 8 bytes a group. The
// array is built ahead in batches of rings; `ringCount` is the number of rings
// the search has entered so far, grown one ring at a time as the walk reaches
// beyond it. The array holds at least every offset of rings 1..ringCount, and
// every offset nearer than ringCount, so the walk never skips a nearer offset.
//
// A caller that knows no allowed offset nearer than some distance is of use
// can skip them (SkipNearerThan): the skip finds where the eight-try rule
// would have ended the walk on the way without handing out each offset, so
// a far search costs about as much as a near one (see NearestSearch.cpp).
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

    // Hands out the next allowed offset; false when the search has ended, and
    // then dx, dy hold the last disallowed offset, not a pixel to use.
    inline bool Next(int& dx, int& dy);

    // Places the search where Begin would, without handing out an offset:
    // the first Next hands out what Begin would have.
    void Start(uint16_t startRadius);

    // What a skip went past.
    struct Passed {
        bool anyAllowed = false;   // an allowed offset was passed
        Offset lastAllowed{0, 0};  // the last of them, when there was one
        uint16_t axisRadius = 0;   // largest |dx| of an allowed offset with dy 0, or 0
    };

    // Moves the search on, exactly as successive Next calls would, over every
    // offset nearer than `squaredDistance` (none of whose allowed offsets the
    // caller wants). Returns false when the eight-try rule ends the search
    // among them. Otherwise the following Next continues the walk at the
    // first offset of squared distance `squaredDistance` or more, counting
    // the disallowed offsets just before it as the walk would. Call after
    // Start, before Next.
    bool SkipNearerThan(uint32_t squaredDistance, Passed& passed);

    uint16_t RingCount() const { return ringCount; }
    uint32_t RingKey() const { return ringKey; }

    // Offsets cannot be larger than 16 bits: no ring beyond this one is entered.
    static constexpr uint16_t kMaxRing = 32767;

private:
    // The offsets of squared distance `key` in ring `ring`; `minor` is the
    // smaller coordinate magnitude i. Slots 0..7 hold (-i, r) (-r, i) (-r, -i)
    // (-i, -r) (i, -r) (r, -i) (r, i) (i, r); a group with i = 0 or i = r has
    // only the odd slots.
    struct Group {
        uint32_t key;
        uint16_t ring;
        uint16_t minor;
        bool HasEight() const { return minor != 0 && minor != ring; }
        int FirstSlot() const { return HasEight() ? 0 : 1; }
        int SlotStep() const { return HasEight() ? 1 : 2; }
        inline Offset At(int slot) const;
    };
    // An offset in the table: a group and one of its slots.
    struct Position {
        size_t group;
        int slot;
    };

    void BuildRings(uint16_t lastRing);
    bool EnterNextRingAt(uint32_t key);
    size_t FirstGroupOfKey(uint32_t key) const;
    Position StartOf(size_t group) const { return Position{group, groups[group].FirstSlot()}; }
    void Step(Position& at) const;
    void StepBack(Position& at) const;
    bool IsAllowed(Offset offset) const {
        return offset.dy >= boundTop && offset.dy <= boundBottom && offset.dx >= boundLeft &&
               offset.dx <= boundRight;
    }
    bool IsAllowedAt(Position at) const { return IsAllowed(groups[at.group].At(at.slot)); }

    int RunBeforeGroup(size_t from, size_t group, const int64_t reach[4]) const;
    bool ScanGroups(size_t group, size_t end, int run, bool untilAllowed, const int64_t reach[4],
                    Position& walkEnd) const;
    bool FindWalkEnd(size_t from, size_t end, uint32_t squaredDistance, const int64_t reach[4],
                     Position& walkEnd);
    int RunBefore(Position from, int carried, Position at) const;
    bool ScanForWalkEnd(Position from, Position at, int carried, size_t end,
                        Position& walkEnd) const;
    void FindLastAllowed(Position from, Position stop, Passed& passed) const;
    void FindLastAllowedInGroups(size_t from, Position stop, const int64_t reach[4],
                                 Passed& passed) const;
    void FindAxisRadius(Position from, Position stop, Passed& passed) const;

    uint16_t ringCount = 0;
    uint32_t ringKey = 0;
    uint16_t builtRings = 0;
    std::vector<Group> groups;                 // rings 1..builtRings in order, then a sentinel
    std::vector<uint32_t> firstGroupOfSquare;  // first group of key s*s, s <= builtRings
    std::vector<uint32_t> firstGroupOfKey;     // the same for every small key
    std::vector<uint32_t> axisGroup;           // the group (a, 0), a <= builtRings
    std::vector<uint32_t> cornerGroup;         // the group (c, c), c <= builtRings
    Position cursor{0, 1};
    size_t walkStart = 0;            // the group where the search was started
    int pendingOutside = 0;          // disallowed offsets the next Next continues to count
    std::vector<uint64_t> breaking;  // work space of a skip
    int planFirst = 0;               // the plan of the last skip (see NearestSearch.cpp)
    int planLast = 7;
};

inline Offset NearestSearch::Group::At(int slot) const {
    // For each slot: the signs of dx and dy, and whether dx is the ring.
    static constexpr int8_t kSignX[8] = {-1, -1, -1, -1, 1, 1, 1, 1};
    static constexpr int8_t kSignY[8] = {1, 1, -1, -1, -1, -1, 1, 1};
    static constexpr bool kRingAcross[8] = {false, true, true, false, false, true, true, false};
    const int16_t across = int16_t(kRingAcross[slot] ? ring : minor);
    const int16_t down = int16_t(kRingAcross[slot] ? minor : ring);
    return Offset{int16_t(kSignX[slot] * across), int16_t(kSignY[slot] * down)};
}

inline bool NearestSearch::Next(int& dx, int& dy) {
    int tries = pendingOutside;
    pendingOutside = 0;
    for (; tries < 8; ++tries) {
        if (groups[cursor.group].key > ringKey && !EnterNextRingAt(groups[cursor.group].key)) {
            return false;
        }
        const Group& group = groups[cursor.group];
        const Offset offset = group.At(cursor.slot);
        cursor.slot += group.SlotStep();
        if (cursor.slot >= 8) {
            ++cursor.group;
            cursor.slot = groups[cursor.group].FirstSlot();
        }
        dx = offset.dx;
        dy = offset.dy;
        if (IsAllowed(offset)) {
            return true;
        }
    }
    return false;
}
