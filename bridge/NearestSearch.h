// Nearest-first search: hands out pixel offsets around a centre in order of
// increasing squared distance dx*dx + dy*dy, restricted to a rectangle of
// allowed offsets. Ties go to the offset of the smaller square ring (ring r:
// the offsets whose larger coordinate magnitude is r), and within one ring to
// a fixed order per distance. A search ends after eight consecutive offsets
// outside the bounds, even when allowed offsets lie further out.
//
// The order comes from an OffsetTable; `ringCount` is the number of rings the
// search has entered so far, grown one ring at a time as the walk reaches
// beyond it, so a walk never skips a nearer offset.
//
// A caller that knows no allowed offset nearer than some distance is of use
// can skip them (SkipNearerThan, FirstWanted): the skip works out where the
// eight-try rule would have ended the walk on the way, without handing out
// each offset (see OutsideGroups.h and FourGroupWindows.h), so a far search,
// also one that reaches past the image edge, costs little more than a near
// one; where no edge is that near, only the offsets at the distance wanted
// are looked at (listed per distance by the table for the nearer ones).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "AllowedOffsets.h"
#include "OffsetTable.h"
#include "SquareRoots.h"

struct GroupKey;

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

        // An allowed offset the walk went past, nearest first.
        void Note(Offset offset) {
            anyAllowed = true;
            lastAllowed = offset;
            if (offset.dy == 0) {
                axisRadius = uint16_t(offset.dx < 0 ? -offset.dx : offset.dx);
            }
        }
    };

    // Moves the search on, exactly as successive Next calls would, over every
    // offset nearer than `squaredDistance` (none of whose allowed offsets the
    // caller wants). Returns false when the eight-try rule ends the search
    // among them. Otherwise the following Next continues the walk at the
    // first offset of squared distance `squaredDistance` or more, counting
    // the disallowed offsets just before it as the walk would. Call after
    // Start, before Next.
    bool SkipNearerThan(uint32_t squaredDistance, Passed& passed);

    // What a search for the first wanted offset came to.
    struct Outcome {
        bool found = false;        // a wanted offset was handed out: `offset`
        bool anyAllowed = false;   // an allowed offset was handed out
        Offset offset{0, 0};       // the wanted one, or else the last allowed one
        uint16_t axisRadius = 0;   // largest |dx| of an allowed offset with dy 0 handed out, or 0
        bool lastLeftOut = false;  // the walk ended and the last allowed offset was not looked for
    };

    // What a caller knows of where walks from the current bounds end, from
    // walks of centres with more or less room (FirstEndBelow, EndOf): none
    // ends below `noEndBelow`; and where `endsBy` is known, a walk that
    // starts at a key up to `runFrom` ends at key `endsBy` or nearer.
    struct KnownEnds {
        uint64_t noEndBelow = 0;
        uint64_t endsBy = ~uint64_t(0);
        uint32_t runFrom = 0;

        // Whether a walk started at `startKey` is known to end before `key`.
        bool EndsBefore(uint32_t startKey, uint64_t key) const {
            return startKey <= runFrom && endsBy < key;
        }
    };

    // The walk of Begin(startRadius) and Next up to the first allowed offset
    // for which `wanted(dx, dy)` holds, or to its end, for a caller that
    // knows no offset nearer than `nearestWanted` (a squared distance; ~0u
    // when none is wanted) is wanted: the walk passes the nearer ones at
    // once, and where no edge is near enough for the eight-try rule to end
    // it on the way, only the offsets at that distance are looked at. With
    // `lastAllowed` false a walk that ends may leave the last allowed offset
    // out (lastLeftOut, anyAllowed false). `wanted` may be asked about more
    // offsets of the distance than the walk hands out: it must not depend on
    // being asked in walk order. The next search starts with Begin or Start.
    // A caller that knows where walks from these bounds end passes it,
    // sparing the search the proof.
    template <typename Wanted>
    Outcome FirstWanted(uint32_t nearestWanted, uint16_t startRadius, bool lastAllowed,
                        Wanted wanted, const KnownEnds& known = KnownEnds());

    // FirstWanted's usual far case, for a caller that can tell at once which
    // offsets of a group are wanted: `wantedSlots(ring, minor)` has bit s set
    // when slot s of that group (OffsetGroup's order) is wanted, and never
    // for a disallowed offset; bits of slots the group lacks are ignored. False,
    // with `outcome` untouched, unless the walk surely reaches the distance
    // and one of its offsets is wanted; then ask FirstWanted.
    template <typename WantedSlots>
    bool FirstWantedOfGroups(uint32_t nearestWanted, uint16_t startRadius, WantedSlots wantedSlots,
                             Outcome& outcome, const KnownEnds& known = KnownEnds());
    // Its search of the groups alone, for a caller that has shown that the
    // walk from `startKey` (StartKeyOf) reaches every offset of
    // `nearestWanted` without ending, for a centre with these reaches, and
    // that the search has entered them (Entered): it needs no bounds set.
    template <typename WantedSlots>
    bool FirstWantedOfReachedGroups(const Reaches& reaches, uint32_t nearestWanted,
                                    uint32_t startKey, const WantedSlots& wantedSlots,
                                    Outcome& outcome);
    // Whether every offset of `key` lies in rings the search has entered.
    bool Entered(uint32_t key) const { return key <= ringKey && key < table.CompleteBelowKey(); }

    // For a caller to whom where a walk ends matters only through the ring
    // hint: whether every walk from the current bounds that starts at
    // startRadius or nearer surely ends before the offsets of `key`, shown
    // without finding where (from a group wholly outside on the way, or from
    // `known`). Then `axisLow` and `axisHigh` bound the farthest allowed
    // offset with dy 0 that lies nearer than where such a walk ends (0 when
    // none does): the walk hands out each such offset at or beyond its start.
    bool SurelyEndsBefore(uint32_t key, uint16_t startRadius, const KnownEnds& known,
                          uint16_t& axisLow, uint16_t& axisHigh);

    // The key of the group where a walk from the nearest offset ends, for a
    // centre with these reaches; `belowKey` when it ends at no smaller key.
    // A walk from a centre whose reaches are each as large or larger,
    // started anywhere, ends at no smaller key: it meets fewer disallowed
    // offsets, and a later start leaves out runs.
    uint64_t FirstEndBelow(const Reaches& reaches, uint32_t belowKey);

    // Where a walk from the first group, for a centre with these reaches,
    // ends, when it ends below `belowKey`: `endsBy` is the key of its last
    // group and `runFrom` the key of a group at or before the first of the
    // eight disallowed offsets that end it. A centre with as little room or
    // less on every side meets those eight too, so its walk, started at a
    // key up to `runFrom`, ends by `endsBy`. False when it ends at no
    // smaller key than `belowKey`.
    bool EndOf(const Reaches& reaches, uint32_t belowKey, KnownEnds& known);

    // Whether the search knows, from the bounds alone, that no walk ends at
    // this key or nearer.
    bool EndlessUpTo(uint32_t key) const {
        const int32_t* was = noEndFor;
        if (((was[0] ^ boundTop) | (was[1] ^ boundLeft) | (was[2] ^ boundBottom) |
             (was[3] ^ boundRight)) != 0) {
            FindNoEndBelow();
        }
        return key < noEndBelow;
    }

    // Every listed offset (those of the nearer distances), distance by
    // distance in walk order; their places stay as the search grows. A
    // caller may keep a value per listed offset in the same order.
    const Offset* ListedOffsets(size_t& count) const { return table.ListedOffsets(count); }
    // FirstWanted's usual case, for a caller that searches once a pixel,
    // keeps a value per listed offset and keeps its own bounds: the first
    // wanted offset of `key`, when a walk from startRadius finds its offsets
    // listed and its rings entered, with none of them before the start (the
    // caller checks that the distance lies within the nearest edge).
    // `wantedAt(i)` says whether listed offset i is wanted (true or 1, false
    // or 0); `foundAt` gives the place of the one found. False when that is
    // not so; then ask FirstWanted.
    template <typename WantedAt>
    bool FirstListedOfKey(uint32_t key, uint16_t startRadius, const WantedAt& wantedAt,
                          size_t& foundAt) const;
    // When such a walk within the edges finds listed offset `found` of
    // `key`, the ring hint it leaves (0: its start). In two
    // steps for a caller that keeps a value per listed offset: what of the
    // hint the offset alone decides, then the hint for a start.
    uint16_t AxisRadiusOfListed(Offset found, uint16_t startRadius) const {
        return AxisRadiusOfHint(ListedHint(found), startRadius);
    }
    static uint16_t ListedHint(Offset found) {
        static_assert(OffsetTable::kListedKeys < uint32_t(kAxisHint) * kAxisHint,
                      "the root of a listed distance stays below the axis mark");
        // An axis group ends the offsets of its distance, (-a, 0) first: an
        // offset of it was handed out after (-a, 0); marked by the top bit.
        // Otherwise, within the edges, every nearer axis offset was handed
        // out: the root below the distance, if not before the start.
        const uint32_t across = uint32_t(found.dx < 0 ? -found.dx : found.dx);
        const uint32_t along = uint32_t(found.dy < 0 ? -found.dy : found.dy);
        if (across == 0 || along == 0) {
            return uint16_t(kAxisHint | (across + along));
        }
        return uint16_t(SmallIntegerSquareRoot(across * across + along * along - 1));
    }
    uint16_t AxisRadiusOfHint(uint16_t hint, uint16_t startRadius) const {
        if ((hint & kAxisHint) != 0) {
            return uint16_t(hint & ~kAxisHint);
        }
        return uint32_t(hint) * hint >= StartKey(startRadius) ? hint : 0;
    }

    // The key of the group a walk from startRadius begins at.
    uint32_t StartKeyOf(uint16_t startRadius) const {
        if (startRadius <= ringCount) {
            // The axis group (r, 0) of an entered ring has key r * r: no
            // need to fetch the group from the table.
            return StartKey(startRadius);
        }
        const size_t group = StartGroup(startRadius);
        return group == 0 ? 0 : table[group].key;
    }

    uint16_t RingCount() const { return ringCount; }
    uint32_t RingKey() const { return ringKey; }

    // For a caller that can guess a distance a far search will soon ask for
    // (FirstWantedOfGroups): see OffsetTable::PrefetchKey.
    void PrefetchKey(uint32_t key) const { table.PrefetchKey(key); }

    // For a caller whose centres lie in an image of this size: no walk
    // from them enters a ring beyond the larger side (the first group of
    // eight of that ring lies wholly outside, and ends any walk that comes
    // to it), so the table is not built ahead past it. Only a limit on
    // building ahead: a ring a walk asks for is built all the same.
    void FitTo(uint32_t width, uint32_t height) {
        table.LimitBuildAhead(uint16_t(std::min<uint32_t>(std::max(width, height) + 2u, kMaxRing)));
    }

    // Offsets cannot be larger than 16 bits: no ring beyond this one is entered.
    static constexpr uint16_t kMaxRing = OffsetTable::kMaxRing;
    static constexpr uint16_t kAxisHint = 0x8000;  // above any ring

private:
    // FirstListedOfKey for the bounds set, giving an outcome.
    template <typename WantedAt>
    bool FirstListedWithinEdges(uint32_t nearestWanted, uint16_t startRadius,
                                const WantedAt& wantedAt, Outcome& outcome) const;
    // Where the listed offsets of `key` stand, when a walk from startRadius
    // finds them listed and its rings entered, with none of them before the
    // start.
    bool ListedReachable(uint32_t key, uint16_t startRadius, size_t& first, size_t& count) const {
        if (key >= listedEnteredBelow || startRadius > ringCount || key < StartKey(startRadius)) {
            return false;
        }
        table.ListedRangeOfListedKey(key, first, count);
        return true;
    }
    // The same, asking `wanted` about offsets.
    template <typename Wanted>
    bool FirstWantedWithinEdges(uint32_t nearestWanted, uint16_t startRadius, Wanted wanted,
                                Outcome& outcome) const;
    // The key of the group Start begins at, for a radius of entered rings:
    // radius 0 and 1 both start at the first group.
    static uint32_t StartKey(uint16_t startRadius) {
        return startRadius <= 1 ? 0 : uint32_t(startRadius) * startRadius;
    }
    // Up to a distance below the nearest edge's next ring every offset is
    // allowed.
    bool AllAllowedBelow(uint32_t key) const {
        const int64_t nearestEdge = std::min(std::min(-int64_t(boundLeft), -int64_t(boundTop)),
                                             std::min(int64_t(boundRight), int64_t(boundBottom)));
        return nearestEdge >= 0 &&
               uint64_t(key) < uint64_t(nearestEdge + 1) * uint64_t(nearestEdge + 1);
    }
    // Whether a walk from the first group of `startKey` surely hands out
    // every offset of `key` (no end on the way or among them); then enters
    // the rings it would have entered.
    bool ReachesWithoutEnd(uint32_t key, uint32_t startKey, bool allAllowed,
                           const KnownEnds& known) {
        return key >= startKey && (allAllowed || key < known.noEndBelow || EndlessUpTo(key)) &&
               Reachable(key);
    }
    bool EnterNextRingAt(uint32_t key);
    void EnsureBuilt(uint16_t ring);
    void NoteListedEntered();
    bool IsAllowed(Offset offset) const {
        return offset.dy >= boundTop && offset.dy <= boundBottom && offset.dx >= boundLeft &&
               offset.dx <= boundRight;
    }
    bool IsAllowedAt(TablePosition at) const { return IsAllowed(table.At(at)); }
    uint64_t Endless(const Reaches& reaches) const;
    // Enters the rings a walk to this key enters; false when beyond the last.
    bool Reachable(uint32_t key) {
        return (key <= ringKey && key < table.CompleteBelowKey()) || EnterRingsUpTo(key);
    }
    bool EnterRingsUpTo(uint32_t key);
    // A walk enters the ring of every axis offset it hands out, so the next
    // search can start there; a skip past them enters it too.
    void EnterAxisRing(uint16_t radius) {
        if (radius > ringCount) {
            EnterRingsUpTo(uint32_t(radius) * radius);
        }
    }
    // The group Start begins at.
    size_t StartGroup(uint16_t startRadius) const {
        if (startRadius != 0 && startRadius <= ringCount) {
            return table.FirstGroupOfSquare(startRadius);
        }
        return StartGroupBeyondRings(startRadius);
    }
    size_t StartGroupBeyondRings(uint16_t startRadius) const;
    // An offset handed out by a walk looking for a wanted one; true when it is.
    template <typename Wanted>
    bool Hand(Offset offset, Wanted& wanted, Outcome& outcome) const;
    bool SkipTo(uint32_t squaredDistance, bool lastAllowed, Passed& passed, bool& lastLeftOut,
                const KnownEnds& known);
    bool AtWalkStart(TablePosition at) const {
        return at.group == walkStart && at.slot == table[walkStart].FirstSlot();
    }
    int RunBefore(TablePosition at, Passed& passed) const;
    bool FindEnd(const Reaches& reaches, uint32_t startKey, uint32_t skipTo, GroupKey& end,
                 const KnownEnds& known);
    bool WillEndPastAxes(const Reaches& reaches, uint32_t startKey, uint32_t skipTo,
                         const KnownEnds& known, uint16_t& axisRadius);
    bool PastEveryAxis(const Reaches& reaches) const;
    bool WalkThroughGroup(size_t group, int run, Passed& passed);
    bool WalkOffsetByOffset(uint32_t skipTo, Passed& passed);
    // The farthest allowed offset with dy 0 that a walk from the first group
    // of `startKey` hands out before the first group of `key`: axis groups
    // are the last of their key, so those of a smaller key.
    uint16_t AxisRadiusBefore(uint32_t key, uint32_t startKey) const {
        return AxisRadiusBefore(Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight),
                                key, startKey);
    }
    // The same for a centre with these reaches, whatever bounds are set.
    static uint16_t AxisRadiusBefore(const Reaches& reaches, uint32_t key, uint32_t startKey) {
        if (reaches.side[kUp] < 0 || reaches.side[kDown] < 0 || key == 0) {
            return 0;
        }
        const int64_t widest = std::max<int64_t>(reaches.side[kLeft], reaches.side[kRight]);
        // Past every allowed axis offset, the usual case far out, needs no root.
        const int64_t radius = uint64_t(widest) * uint64_t(widest) < key
                                   ? widest
                                   : std::min<int64_t>(widest, SmallIntegerSquareRoot(key - 1u));
        return radius >= 1 && uint64_t(radius * radius) >= startKey ? uint16_t(radius) : 0;
    }

    OffsetTable table;
    uint16_t ringCount = 0;
    uint32_t ringKey = 0;
    // Keys below this are listed, in entered rings and in the built table.
    uint32_t listedEnteredBelow = 0;
    // The first group of the key FirstWantedOfGroups last asked for, while
    // the table has not grown.
    bool groupsOfKeyKnown = false;
    uint32_t groupsOfKey = 0;
    size_t firstGroupOfKey = 0;
    TablePosition cursor{0, 1};
    size_t walkStart = 0;    // the group where the search was started
    int pendingOutside = 0;  // disallowed offsets the next Next continues to count
    mutable Reaches endlessFor{{-1, -1, -1, -1}};  // the bounds endlessKey was found for
    mutable uint64_t endlessKey = 0;
    // For the bounds noEndFor (top, left, bottom, right): no walk ends below
    // noEndBelow. Asked several times a search, so kept.
    void FindNoEndBelow() const;
    mutable int32_t noEndFor[4] = {1, 1, -1, -1};
    mutable uint64_t noEndBelow = 0;
};

inline bool NearestSearch::Next(int& dx, int& dy) {
    int tries = pendingOutside;
    pendingOutside = 0;
    for (; tries < 8; ++tries) {
        if (table[cursor.group].key > ringKey && !EnterNextRingAt(table[cursor.group].key)) {
            return false;
        }
        const OffsetGroup& group = table[cursor.group];
        const Offset offset = group.At(cursor.slot);
        cursor.slot += group.SlotStep();
        if (cursor.slot >= 8) {
            ++cursor.group;
            cursor.slot = table[cursor.group].FirstSlot();
        }
        dx = offset.dx;
        dy = offset.dy;
        if (IsAllowed(offset)) {
            return true;
        }
    }
    return false;
}

template <typename Wanted>
bool NearestSearch::FirstWantedWithinEdges(uint32_t nearestWanted, uint16_t startRadius,
                                           Wanted wanted, Outcome& outcome) const {
    size_t all = 0;
    const Offset* listed = table.ListedOffsets(all);
    return FirstListedWithinEdges(
        nearestWanted, startRadius,
        [listed, &wanted](size_t at) { return wanted(int(listed[at].dx), int(listed[at].dy)); },
        outcome);
}

template <typename WantedAt>
bool NearestSearch::FirstListedOfKey(uint32_t key, uint16_t startRadius, const WantedAt& wantedAt,
                                     size_t& foundAt) const {
    size_t first = 0;
    size_t count = 0;
    if (!ListedReachable(key, startRadius, first, count) || count > 64) {
        return false;
    }
    // Every offset of the distance tested at once: fewer guesses for the
    // processor than stopping at the first wanted one.
    uint64_t hits = 0;
    for (size_t k = 0; k < count; ++k) {
        hits |= uint64_t(wantedAt(first + k)) << k;
    }
    if (hits == 0) {
        return false;
    }
    foundAt = first + size_t(__builtin_ctzll(hits));
    return true;
}

template <typename WantedAt>
bool NearestSearch::FirstListedWithinEdges(uint32_t nearestWanted, uint16_t startRadius,
                                           const WantedAt& wantedAt, Outcome& outcome) const {
    size_t foundAt = 0;
    if (!AllAllowedBelow(nearestWanted) ||
        !FirstListedOfKey(nearestWanted, startRadius, wantedAt, foundAt)) {
        return false;
    }
    size_t all = 0;
    const Offset found = table.ListedOffsets(all)[foundAt];
    outcome.found = outcome.anyAllowed = true;
    outcome.offset = found;
    outcome.lastLeftOut = false;
    outcome.axisRadius = AxisRadiusOfListed(found, startRadius);
    return true;
}

template <typename Wanted>
NearestSearch::Outcome NearestSearch::FirstWanted(uint32_t nearestWanted, uint16_t startRadius,
                                                  bool lastAllowed, Wanted wanted,
                                                  const KnownEnds& known) {
    Outcome outcome;
    const uint32_t startKey = StartKeyOf(startRadius);
    // A walk the caller knows to end before the wanted distance, and past
    // every allowed axis offset, needs no more.
    const Reaches reaches = Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight);
    if (!lastAllowed && known.EndsBefore(startKey, nearestWanted) && reaches.ContainsCentre() &&
        WillEndPastAxes(reaches, startKey, nearestWanted, known, outcome.axisRadius)) {
        outcome.lastLeftOut = true;
        return outcome;
    }
    const bool withinEdges = AllAllowedBelow(nearestWanted);
    if (ReachesWithoutEnd(nearestWanted, startKey, withinEdges, known)) {
        // The walk passes every offset nearer (none is wanted) and goes on
        // through the offsets of that distance, where a wanted one is.
        size_t count = 0;
        const Offset* listed = table.OffsetsOfKey(nearestWanted, count);
        if (withinEdges && FirstWantedWithinEdges(nearestWanted, startRadius, wanted, outcome)) {
            return outcome;
        }
        outcome.axisRadius = AxisRadiusBefore(nearestWanted, startKey);
        if (listed != nullptr) {
            for (size_t k = 0; k < count; ++k) {
                const Offset offset = listed[k];
                if (withinEdges) {
                    if (offset.dy == 0) {
                        outcome.axisRadius = uint16_t(offset.dx < 0 ? -offset.dx : offset.dx);
                    }
                    if (wanted(int(offset.dx), int(offset.dy))) {
                        outcome.found = outcome.anyAllowed = true;
                        outcome.offset = offset;
                        return outcome;
                    }
                } else if (Hand(offset, wanted, outcome)) {
                    return outcome;
                }
            }
        } else {
            for (size_t group = table.FirstGroupOfKey(nearestWanted);
                 table[group].key == nearestWanted; ++group) {
                for (TablePosition at = table.StartOf(group); at.group == group; table.Step(at)) {
                    if (Hand(table.At(at), wanted, outcome)) {
                        return outcome;
                    }
                }
            }
        }
        outcome = Outcome();  // the caller was wrong: walk as usual
    }
    Start(startRadius);
    Passed passed;
    const bool going = SkipTo(nearestWanted, lastAllowed, passed, outcome.lastLeftOut, known);
    outcome.anyAllowed = passed.anyAllowed;
    outcome.offset = passed.lastAllowed;
    outcome.axisRadius = passed.axisRadius;
    int dx = 0;
    int dy = 0;
    for (bool more = going && Next(dx, dy); more; more = Next(dx, dy)) {
        if (Hand(Offset{int16_t(dx), int16_t(dy)}, wanted, outcome)) {
            return outcome;
        }
    }
    return outcome;
}

template <typename WantedSlots>
bool NearestSearch::FirstWantedOfGroups(uint32_t nearestWanted, uint16_t startRadius,
                                        WantedSlots wantedSlots, Outcome& outcome,
                                        const KnownEnds& known) {
    const uint32_t startKey = StartKeyOf(startRadius);
    const Reaches reaches = Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight);
    if (!reaches.ContainsCentre() ||
        !ReachesWithoutEnd(nearestWanted, startKey, AllAllowedBelow(nearestWanted), known)) {
        return false;
    }
    return FirstWantedOfReachedGroups(reaches, nearestWanted, startKey, wantedSlots, outcome);
}

template <typename WantedSlots>
__attribute__((always_inline)) inline bool NearestSearch::FirstWantedOfReachedGroups(
    const Reaches& reaches, uint32_t nearestWanted, uint32_t startKey,
    const WantedSlots& wantedSlots, Outcome& outcome) {
    // Neighbouring centres often ask for the same distance.
    if (!groupsOfKeyKnown || groupsOfKey != nearestWanted) {
        groupsOfKey = nearestWanted;
        firstGroupOfKey = table.FirstGroupOfKey(nearestWanted);
        groupsOfKeyKnown = true;
    }
    for (size_t group = firstGroupOfKey; table[group].key == nearestWanted; ++group) {
        const OffsetGroup& of = table[group];
        const uint32_t hits = wantedSlots(uint32_t(of.ring), uint32_t(of.minor)) & of.SlotBits();
        if (hits == 0) {
            continue;
        }
        const int slot = __builtin_ctz(hits);
        outcome.found = outcome.anyAllowed = true;
        outcome.offset = of.At(slot);
        outcome.lastLeftOut = false;
        // Every allowed axis offset of a nearer key was handed out; of this
        // key's axis group, (-r, 0) in slot 1 comes first and (r, 0) in slot 5.
        const bool axisHandedOut =
            of.minor == 0 &&
            (of.ring <= reaches.side[kLeft] || (slot >= 5 && of.ring <= reaches.side[kRight]));
        outcome.axisRadius =
            axisHandedOut ? of.ring : AxisRadiusBefore(reaches, nearestWanted, startKey);
        return true;
    }
    return false;
}

template <typename Wanted>
bool NearestSearch::Hand(Offset offset, Wanted& wanted, Outcome& outcome) const {
    if (!IsAllowed(offset)) {
        return false;
    }
    outcome.anyAllowed = true;
    outcome.offset = offset;
    if (offset.dy == 0) {
        outcome.axisRadius = uint16_t(offset.dx < 0 ? -offset.dx : offset.dx);
    }
    if (wanted(int(offset.dx), int(offset.dy))) {
        outcome.found = true;
        return true;
    }
    return false;
}
