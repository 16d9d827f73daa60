#include "NearestSearch.h"

#include <algorithm>
#include <cstdlib>

#include "AllowedOffsets.h"
#include "FourGroupWindows.h"
#include "OutsideGroups.h"
#include "SquareRoots.h"

namespace {

constexpr uint16_t kInitialRings = 10;
// Beyond the last ring the 16-bit offsets end, and so does every walk.
constexpr uint32_t kEndOfOffsets =
    uint32_t(NearestSearch::kMaxRing + 1u) * uint32_t(NearestSearch::kMaxRing + 1u);

uint16_t RingReaching(uint64_t key) {
    return uint16_t(std::min<uint64_t>(IntegerSquareRoot(key) + 1, NearestSearch::kMaxRing));
}

}  // namespace

NearestSearch::NearestSearch() {
    for (int i = 0; i < kInitialRings; ++i) {
        AddRing();
    }
    cursor = table.StartOf(0);
}

void NearestSearch::AddRing() {
    if (ringCount >= kMaxRing) {
        return;
    }
    EnsureBuilt(uint16_t(ringCount + 1));
    ++ringCount;
    ringKey = uint32_t(ringCount) * ringCount;
    NoteListedEntered();
}

// Builds rings, keeping the cursor and the walk's start on their groups.
void NearestSearch::EnsureBuilt(uint16_t ring) {
    if (ring <= table.BuiltRings()) {
        return;
    }
    const OffsetGroup atCursor = table[cursor.group];
    const OffsetGroup atStart = table[walkStart];
    table.EnsureRing(ring);
    cursor.group = table.FindGroup(atCursor.key, atCursor.ring);
    walkStart = table.FindGroup(atStart.key, atStart.ring);
    groupsOfKeyKnown = false;
    NoteListedEntered();
}

void NearestSearch::NoteListedEntered() {
    listedEnteredBelow =
        std::min(std::min(ringKey + 1, table.CompleteBelowKey()), table.ListedBelowKey());
}

bool NearestSearch::EnterNextRingAt(uint32_t key) {
    if (ringCount >= kMaxRing) {
        // Every offset nearer than ring kMaxRing + 1 is in the table; beyond
        // that the 16-bit offsets end, and so does the search.
        return key < kEndOfOffsets;
    }
    // The walk came here group by group, so the cursor already stands at the
    // first offset beyond the old ring's key: entering the ring is enough.
    AddRing();
    return true;
}

bool NearestSearch::Begin(int& dx, int& dy, uint16_t startRadius) {
    Start(startRadius);
    return Next(dx, dy);
}

void NearestSearch::Start(uint16_t startRadius) {
    const size_t group = StartGroup(startRadius);
    cursor = table.StartOf(group);
    walkStart = group;
    pendingOutside = 0;
}

size_t NearestSearch::StartGroupBeyondRings(uint16_t startRadius) const {
    if (startRadius != 0 && startRadius <= table.BuiltRings()) {
        // Only offsets of entered rings count as present.
        const size_t first = table.FirstGroupOfSquare(startRadius);
        return table[first].ring <= ringCount ? first : 0;
    }
    return 0;
}

bool NearestSearch::EnterRingsUpTo(uint32_t key) {
    if (key >= kEndOfOffsets) {
        return false;
    }
    EnsureBuilt(RingReaching(key));
    while (ringKey < key && ringCount < kMaxRing) {
        AddRing();
    }
    return true;
}

bool NearestSearch::SkipNearerThan(uint32_t squaredDistance, Passed& passed) {
    bool lastLeftOut = false;
    return SkipTo(squaredDistance, true, passed, lastLeftOut, KnownEnds());
}

bool NearestSearch::SkipTo(uint32_t squaredDistance, bool lastAllowed, Passed& passed,
                           bool& lastLeftOut, const KnownEnds& known) {
    passed = Passed();
    const uint32_t skipTo = std::min(squaredDistance, kEndOfOffsets);
    if (skipTo == 0 || table[cursor.group].key >= skipTo) {
        return true;
    }
    const Reaches reaches = Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight);
    if (!reaches.ContainsCentre() || !AtWalkStart(cursor) || pendingOutside != 0) {
        return WalkOffsetByOffset(skipTo, passed) && skipTo == squaredDistance;
    }
    const uint32_t startKey = table[walkStart].key;
    const int64_t nearestEdge = std::min(std::min(reaches.side[kLeft], reaches.side[kUp]),
                                         std::min(reaches.side[kRight], reaches.side[kDown]));
    if (skipTo <= Square64(uint64_t(nearestEdge) + 1) && ringKey >= skipTo &&
        table.CompleteBelowKey() >= skipTo) {
        // Every offset passed lies within the nearest edge, so is allowed.
        const size_t first = table.FirstGroupOfKey(skipTo);
        TablePosition before = table.StartOf(first);
        if (first > walkStart) {
            table.StepBack(before);
            passed.anyAllowed = true;
            passed.lastAllowed = table.At(before);
            passed.axisRadius = AxisRadiusBefore(skipTo, startKey);
        }
        cursor = table.StartOf(first);
        return skipTo == squaredDistance;
    }
    if (!lastAllowed && WillEndPastAxes(reaches, startKey, skipTo, known, passed.axisRadius)) {
        lastLeftOut = true;
        return false;
    }
    GroupKey end{0, 0, 0};
    const bool ends = FindEnd(reaches, startKey, skipTo, end, known);
    // The rings the walk would have entered on its way.
    const uint32_t reached = ends ? end.key : skipTo;
    if (reached >= table.CompleteBelowKey()) {
        EnsureBuilt(RingReaching(reached));
    }
    while (ringKey < reached && ringCount < kMaxRing) {
        AddRing();
    }
    if (ends && !lastAllowed && (end.minor != 0 || PastEveryAxis(reaches))) {
        // Every axis group the walk handed out lies before that group.
        passed.axisRadius = AxisRadiusBefore(end.key, startKey);
        lastLeftOut = true;
        return false;
    }
    if (ends) {
        // Follow the walk through the group it ends in.
        const size_t group = table.FindGroup(end.key, end.ring);
        const int run = RunBefore(table.StartOf(group), passed);
        passed.axisRadius = AxisRadiusBefore(end.key, startKey);
        if (WalkThroughGroup(group, run, passed)) {
            return false;
        }
        return WalkOffsetByOffset(skipTo, passed) && skipTo == squaredDistance;
    }
    const size_t first = table.FirstGroupOfKey(skipTo);
    pendingOutside = RunBefore(table.StartOf(first), passed);
    passed.axisRadius = AxisRadiusBefore(skipTo, startKey);
    cursor = table.StartOf(first);
    return skipTo == squaredDistance;
}

// A walk that surely ends before `skipTo` (a group wholly outside lies on
// the way, or the caller knows) and cannot end before passing every allowed
// axis offset: then where it ends changes only which disallowed offset it
// ends on, and the farthest axis offset it handed out is known.
bool NearestSearch::WillEndPastAxes(const Reaches& reaches, uint32_t startKey, uint32_t skipTo,
                                    const KnownEnds& known, uint16_t& axisRadius) {
    const uint64_t endless = std::max(Endless(reaches), known.noEndBelow);
    const uint64_t widest = uint64_t(std::max(reaches.side[kLeft], reaches.side[kRight]));
    if (skipTo <= endless || widest * widest >= endless) {
        return false;
    }
    GroupKey outside{0, 0, 0};
    if (!known.EndsBefore(startKey, skipTo) &&
        !FirstGroupOutside(reaches, std::max<uint64_t>(startKey, endless), skipTo, outside)) {
        return false;
    }
    axisRadius = AxisRadiusBefore(uint32_t(endless), startKey);
    EnterAxisRing(axisRadius);
    return true;
}

bool NearestSearch::SurelyEndsBefore(uint32_t key, uint16_t startRadius, const KnownEnds& known,
                                     uint16_t& axisLow, uint16_t& axisHigh) {
    const Reaches reaches = Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight);
    if (!reaches.ContainsCentre()) {
        return false;
    }
    const uint32_t startKey = StartKeyOf(startRadius);
    // A later start passes over runs, never adds one: an earlier start ends
    // no later.
    if (known.EndsBefore(startKey, key)) {
        // Known for these bounds: spare the bounds' own lower bound.
        axisLow = AxisRadiusBefore(uint32_t(std::min<uint64_t>(known.noEndBelow, key)), 0);
        axisHigh = AxisRadiusBefore(uint32_t(known.endsBy + 1), 0);
        return true;
    }
    const uint64_t endless = std::max(Endless(reaches), known.noEndBelow);
    if (key <= endless) {
        return false;
    }
    // A group wholly outside ends every walk that reaches it.
    GroupKey outside{0, 0, 0};
    if (!FirstGroupOutside(reaches, std::max<uint64_t>(startKey, endless), key, outside)) {
        return false;
    }
    axisLow = AxisRadiusBefore(uint32_t(endless), 0);
    axisHigh = AxisRadiusBefore(outside.key + 1, 0);
    return true;
}

// No walk ends before it has passed every allowed axis offset.
bool NearestSearch::PastEveryAxis(const Reaches& reaches) const {
    const uint64_t widest = uint64_t(std::max(reaches.side[kLeft], reaches.side[kRight]));
    return widest * widest < Endless(reaches);
}

void NearestSearch::FindNoEndBelow() const {
    noEndFor[0] = boundTop;
    noEndFor[1] = boundLeft;
    noEndFor[2] = boundBottom;
    noEndFor[3] = boundRight;
    const Reaches reaches = Reaches::FromBounds(boundTop, boundLeft, boundBottom, boundRight);
    if (!reaches.ContainsCentre()) {
        noEndBelow = 0;
        return;
    }
    const int64_t nearestEdge = std::min(std::min(reaches.side[kLeft], reaches.side[kUp]),
                                         std::min(reaches.side[kRight], reaches.side[kDown]));
    noEndBelow = std::max(Square64(uint64_t(nearestEdge) + 1), Endless(reaches));
}

// EndlessBelowKey for the bounds, kept while they stay: a search asks twice.
uint64_t NearestSearch::Endless(const Reaches& reaches) const {
    // Side by side: a library compare of sixteen bytes costs a call.
    const int32_t* was = endlessFor.side;
    const int32_t* is = reaches.side;
    if (((was[0] ^ is[0]) | (was[1] ^ is[1]) | (was[2] ^ is[2]) | (was[3] ^ is[3])) != 0) {
        endlessFor = reaches;
        endlessKey = EndlessBelowKey(reaches);
    }
    return endlessKey;
}

// The group in which a walk from the first group of `startKey` ends, when it
// ends at a key below `skipTo`: the first group wholly outside, or the first
// run through a group of four, whichever ends first.
bool NearestSearch::FindEnd(const Reaches& reaches, uint32_t startKey, uint32_t skipTo,
                            GroupKey& end, const KnownEnds& known) {
    // What the caller knows narrows the keys looked at.
    const uint64_t endless = std::max(Endless(reaches), known.noEndBelow);
    if (skipTo <= endless) {
        return false;
    }
    const uint32_t lookTo =
        known.EndsBefore(startKey, skipTo) ? uint32_t(known.endsBy + 1) : skipTo;
    bool ends = FirstGroupOutside(reaches, std::max<uint64_t>(startKey, endless), lookTo, end);
    const uint64_t lastKey = ends ? end.key : lookTo - 1u;
    if (lastKey + 2 >= table.CompleteBelowKey()) {
        EnsureBuilt(RingReaching(lastKey + 2));
    }
    // A run through a group of four may end two keys after it.
    const uint64_t fromKey = std::max<uint64_t>(startKey, endless - std::min<uint64_t>(endless, 2));
    GroupKey beside{0, 0, 0};
    if (FirstEndBesideFourGroup(table, reaches, startKey, fromKey, lastKey, beside) &&
        (!ends || beside.Before(end))) {
        end = beside;
        ends = true;
    }
    return ends && end.key < skipTo;
}

uint64_t NearestSearch::FirstEndBelow(const Reaches& reaches, uint32_t belowKey) {
    GroupKey end{0, 0, 0};
    const uint32_t limit = std::min(belowKey, kEndOfOffsets);
    return FindEnd(reaches, 0, limit, end, KnownEnds()) ? end.key : belowKey;
}

bool NearestSearch::EndOf(const Reaches& reaches, uint32_t belowKey, KnownEnds& known) {
    GroupKey end{0, 0, 0};
    if (!FindEnd(reaches, 0, std::min(belowKey, kEndOfOffsets), end, KnownEnds())) {
        return false;
    }
    // Eight offsets span at most three groups: at least one of the last, and
    // a group of four between two of eight holds four.
    const size_t group = table.FindGroup(end.key, end.ring);
    known.endsBy = end.key;
    known.runFrom = group < 2 ? 0 : table[group - 2].key;
    return true;
}

// The disallowed offsets just before `at`, back to the walk's start, and the
// last allowed one before them.
int NearestSearch::RunBefore(TablePosition at, Passed& passed) const {
    int run = 0;
    while (run < 8 && !AtWalkStart(at)) {
        table.StepBack(at);
        if (IsAllowedAt(at)) {
            passed.anyAllowed = true;
            passed.lastAllowed = table.At(at);
            return run;
        }
        ++run;
    }
    return run;
}

// Follows the walk through one group after `run` disallowed offsets; true
// when it ends there.
bool NearestSearch::WalkThroughGroup(size_t group, int run, Passed& passed) {
    for (TablePosition at = table.StartOf(group); at.group == group; table.Step(at)) {
        const Offset offset = table.At(at);
        if (IsAllowed(offset)) {
            run = 0;
            passed.Note(offset);
        } else if (++run == 8) {
            cursor = at;
            table.Step(cursor);
            return true;
        }
    }
    cursor = table.StartOf(group + 1);
    pendingOutside = run;
    return false;
}

// The plain walk up to `skipTo`, for a skip that does not start a walk or a
// centre outside the rectangle.
bool NearestSearch::WalkOffsetByOffset(uint32_t skipTo, Passed& passed) {
    int run = pendingOutside;
    pendingOutside = 0;
    while (table[cursor.group].key < skipTo) {
        if (table[cursor.group].key > ringKey && !EnterNextRingAt(table[cursor.group].key)) {
            return false;
        }
        const Offset offset = table.At(cursor);
        table.Step(cursor);
        if (IsAllowed(offset)) {
            run = 0;
            passed.Note(offset);
        } else if (++run == 8) {
            return false;
        }
    }
    pendingOutside = run;
    return true;
}
