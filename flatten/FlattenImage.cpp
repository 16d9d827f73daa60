#include "FlattenImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "ColouredBits.h"
#include "ColouredDistance.h"
#include "LineTest.h"
#include "OutsideGroups.h"

namespace {

class FlattenPass {
public:
    FlattenPass(const FlattenJob& job, NearestSearch& search)
        : job(job),
          search(search),
          lineTest(job.imageMode, job.colorPlanes, job.input.planeStep),
          coloured(job, lineTest),
          lastRow(uint16_t(job.height - 1)),
          lastColumn(uint16_t(job.width - 1)),
          packedRgb(job.colorPlanes == 3 && job.input.planeStep == 1 && job.output.planeStep == 1),
          farthestKey(uint32_t(std::min<uint64_t>(
              uint64_t(lastRow) * lastRow + uint64_t(lastColumn) * lastColumn + 1, ~0u))) {
        search.FitTo(job.width, job.height);
    }

    // Whether any search can change a pixel. With no coloured pixel every
    // search ends on a line pixel (the eight-try rule ends it near the far
    // side of the image), which changes nothing when all line pixels are
    // alike; otherwise the searches run, ending where the rule ends them.
    bool WorthSearching() {
        if (coloured.Any()) {
            return true;
        }
        alike = LinePixelsAlike() ? Alike::kAlike : Alike::kDiffer;
        return alike == Alike::kDiffer;
    }

    void FlattenStrip(uint16_t firstRow, uint16_t rows) {
        if (coloured.Any()) {
            if (!distances) {
                distances.reset(new ColouredDistance(coloured, job.width, job.height));
            }
            distances->NextStrip(firstRow, rows);
        }
        stripFirstRow = firstRow;
        stripLastRow = uint16_t(firstRow + rows - 1);
        // Only the columns a far search asks about are made afresh, when it asks.
        columnEnds.resize(job.width);
        ++stripNumber;
        longWalksBefore = longWalks;
        longWalks = 0;
        SetRingHint(1);
        previousReach = 0;

        // Column by column, down the even ones and up the odd ones, visiting
        // only the line pixels; ringHint starts again after a coloured pixel.
        coloured.LineColumns(firstRow, rows, job.width, lineColumns);
        const uint32_t last = rows - 1u;
        bool previousColoured = true;
        for (uint32_t x = 0; x < job.width; ++x) {
            const uint64_t line = lineColumns[x];
            if (line == 0) {
                previousColoured = true;
                continue;
            }
            if (x % 2 == 0) {
                for (uint64_t rest = line; rest != 0; rest &= rest - 1) {
                    const uint32_t k = uint32_t(__builtin_ctzll(rest));
                    const bool afterColoured =
                        k == 0 ? previousColoured : (line >> (k - 1) & 1) == 0;
                    VisitLinePixel(afterColoured, uint16_t(firstRow + k), uint16_t(x));
                }
                previousColoured = (line >> last & 1) == 0;
            } else {
                for (uint64_t rest = line; rest != 0;) {
                    const uint32_t k = 63u - uint32_t(__builtin_clzll(rest));
                    rest &= ~(uint64_t(1) << k);
                    const bool afterColoured =
                        k == last ? previousColoured : (line >> (k + 1) & 1) == 0;
                    VisitLinePixel(afterColoured, uint16_t(firstRow + k), uint16_t(x));
                }
                previousColoured = (line & 1) == 0;
            }
        }
    }

private:
    const uint8_t* InputPixel(uint32_t y, uint32_t x) const {
        return job.input.base + intptr_t(y) * job.input.rowBytes +
               intptr_t(x) * job.input.columnStep;
    }

    uint8_t* OutputPixel(uint32_t y, uint32_t x) const {
        return job.output.base + intptr_t(y) * job.output.rowBytes +
               intptr_t(x) * job.output.columnStep;
    }

    // Whether every line pixel has the planes of the first one.
    bool LinePixelsAlike() const {
        const intptr_t planes = job.colorPlanes;
        const intptr_t planeStep = job.input.planeStep;
        const uint8_t* first = nullptr;
        // In packed rows, 64 line pixels side by side are compared at once,
        // against the first one repeated.
        const bool packed = planeStep == 1 && job.input.columnStep == planes;
        std::vector<uint8_t> pattern;
        for (uint32_t y = 0; y < job.height; ++y) {
            const uint64_t* bits = coloured.Row(y);
            for (uint32_t from = 0; from < job.width; from += 64) {
                const uint32_t count = std::min<uint32_t>(64, job.width - from);
                const uint64_t word = bits[from >> 6];
                if (word == 0 && !pattern.empty()) {
                    if (std::memcmp(InputPixel(y, from), pattern.data(),
                                    size_t(count) * size_t(planes)) != 0) {
                        return false;
                    }
                    continue;
                }
                for (uint32_t x = from; x < from + count; ++x) {
                    if ((word >> (x - from) & 1) != 0) {
                        continue;
                    }
                    const uint8_t* pixel = InputPixel(y, x);
                    if (first == nullptr) {
                        first = pixel;
                        for (int k = 0; packed && k < 64; ++k) {
                            pattern.insert(pattern.end(), pixel, pixel + planes);
                        }
                    }
                    for (intptr_t plane = 0; plane < planes; ++plane) {
                        if (pixel[plane * planeStep] != first[plane * planeStep]) {
                            return false;
                        }
                    }
                }
            }
        }
        return true;
    }

    void VisitLinePixel(bool afterColoured, uint16_t y, uint16_t x) {
        if (afterColoured) {
            SetRingHint(1);
            previousReach = 0;
        }
        FlattenPixel(y, x);
    }

    // The search of line pixel (y, x), from ringHint outward, nearest first;
    // the first coloured pixel it meets gives the value.
    __attribute__((always_inline)) void FlattenPixel(uint16_t y, uint16_t x) {
        if (ringHint > 1) {
            --ringHint;
        }
        if (!deferred.empty()) {
            if (lowestHint > 1) {
                --lowestHint;
            }
            if (lowestHint == ringHint) {
                deferred.clear();  // the deferred walks leave one start: theirs no longer matter
            }
        }
        if (deferred.empty() && distances && distances->StripReady()) {
            // The commonest step of a page with thick lines, kept small:
            // the nearest distance listed and within the edges.
            const uint32_t nearest = distances->SquaredDistance(y, x);
            size_t foundAt = 0;
            if (FirstListedColour(y, x, nearest, ringHint, foundAt)) {
                TakeListedColour(y, x, nearest, foundAt);
                return;
            }
            // Down a column from one nearest colour the distances grow by
            // steps that themselves grow by 2: the distance j pixels on is
            // likely this one's plus j steps plus j(j + 1). The search's
            // groups of the distance two pixels on are fetched meanwhile
            // (one pixel on is too soon for them to arrive).
            const uint32_t step = nearest - lastFarNearest;
            search.PrefetchKey(nearest + 2u * step + 6u);
            lastFarNearest = nearest;
            if (TakeColourAsItsColumnShows(y, x, nearest)) {
                return;
            }
            if (!EndsAsItsColumnShows(x, nearest)) {
                FlattenFarPixel(y, x, nearest);
            } else {
                CopyPixel(InputPixel(y, x), OutputPixel(y, x));
            }
            return;
        }
        SearchPixel(y, x);
    }

    // What SearchPixel does for a line pixel whose distances are made and
    // whose nearest distance is not listed or lies beyond an edge.
    __attribute__((noinline)) void FlattenFarPixel(uint16_t y, uint16_t x, uint32_t nearest) {
        SetBounds(y, x);
        const uint8_t* source = InputPixel(y, x);
        WalkFarFromNearestColour(y, x, nearest, source);
        CopyPixel(source, OutputPixel(y, x));
    }

    // The rest of FlattenPixel, kept out of line so that the usual step
    // above stays small where it is called.
    __attribute__((noinline)) void SearchPixel(uint16_t y, uint16_t x) {
        SetBounds(y, x);
        const uint8_t* source = InputPixel(y, x);

        // Most searches end within a few rings; those that do not (or, where
        // many have not, those next to a pixel whose colour lay far) skip to
        // the distance of the nearest coloured pixel. Either way the outcome
        // is the walk's.
        const bool expectFar = (distances && distances->StripReady()) ||
                               (previousReach > kNearReach && WalksAreLong());
        if (!expectFar && !deferred.empty()) {
            ResolveDeferred(y, x);
        }
        const uint16_t startRadius = ringHint;
        if (expectFar || !Walk(y, x, kShortWalk, source)) {
            if (!expectFar) {
                ++longWalks;
                SetRingHint(startRadius);  // as before the short walk
            }
            source = InputPixel(y, x);
            WalkFromNearestColour(y, x, source);
        }
        CopyPixel(source, OutputPixel(y, x));
    }

    // Whether many searches of this strip or the one before walked long.
    bool WalksAreLong() const {
        const uint32_t many = uint32_t(job.width) / 16 + 1;
        return longWalksBefore > many || longWalks > many;
    }

    // Walks from ringHint; false when `budget` candidates went by without
    // an end. `source` is left at the last candidate examined.
    bool Walk(uint16_t y, uint16_t x, uint32_t budget, const uint8_t*& source) {
        int dx = 0;
        int dy = 0;
        return Continue(y, x, search.Begin(dx, dy, ringHint), dx, dy, budget, source);
    }

    bool Continue(uint16_t y, uint16_t x, bool yielded, int& dx, int& dy, uint32_t budget,
                  const uint8_t*& source) {
        bool examined = false;
        uint32_t sourceRow = 0;
        uint32_t sourceColumn = 0;
        for (uint32_t candidates = 0; yielded; ++candidates) {
            if (candidates == budget) {
                return false;
            }
            if (dy == 0) {
                ringHint = uint16_t(std::abs(dx));
            }
            examined = true;
            sourceRow = uint32_t(y + dy);
            sourceColumn = uint32_t(x + dx);
            const uint32_t reach = uint32_t(dx * dx + dy * dy);
            yielded = search.Next(dx, dy);
            if (coloured.Coloured(sourceRow, sourceColumn)) {
                source = InputPixel(sourceRow, sourceColumn);
                previousReach = reach;
                return true;
            }
        }
        previousReach = ~uint32_t(0);
        if (examined) {
            source = InputPixel(sourceRow, sourceColumn);
        }
        return true;
    }

    // Every offset nearer than the nearest coloured pixel is line work, so the
    // walk passes them all at once. When all line pixels are alike, which
    // one a walk that finds no colour ends on makes no difference, and nor,
    // often, does the ring hint it leaves (see DeferEndedWalk).
    void WalkFromNearestColour(uint16_t y, uint16_t x, const uint8_t*& source) {
        const uint32_t nearest = coloured.Any() ? distances->SquaredDistance(y, x) : ~uint32_t(0);
        // The usual case first, kept small: a listed distance within the edges.
        NearestSearch::Outcome outcome;
        if (coloured.Any() && FirstListedColour(y, x, nearest, ringHint, outcome, source)) {
            if (!TakeFoundColour(nearest, outcome)) {
                WalkAgainExactly(y, x, source);
            }
            return;
        }
        WalkFarFromNearestColour(y, x, nearest, source);
    }

    // A colour found from the latest start the deferred walks allow is found
    // from an earlier one too, and its hint is the same when it is an axis
    // offset's; else the hint depends on where they ended, and nothing is
    // taken (false).
    bool TakeFoundColour(uint32_t nearest, const NearestSearch::Outcome& outcome) {
        if (outcome.axisRadius == 0 && !deferred.empty()) {
            return false;
        }
        if (outcome.axisRadius != 0) {
            SetRingHint(outcome.axisRadius);
        }
        previousReach = nearest;
        return true;
    }

    // Follows the deferred walks exactly, then searches from pixel (y, x)
    // again with its exact start.
    void WalkAgainExactly(uint16_t y, uint16_t x, const uint8_t*& source) {
        ResolveDeferred(y, x);
        source = InputPixel(y, x);
        WalkFromNearestColour(y, x, source);
    }

    // The rest of WalkFromNearestColour, for a distance not listed or not
    // within the edges.
    void WalkFarFromNearestColour(uint16_t y, uint16_t x, uint32_t nearest,
                                  const uint8_t*& source) {
        const uint16_t startRadius = ringHint;
        NearestSearch::Outcome outcome;
        if (coloured.Any()) {
            const NearestSearch::KnownEnds& known = ColumnEnds(x, nearest);
            // A walk the column's walks show to end first needs no looking
            // for colour.
            const bool deferTried = known.endsBy < nearest;
            if (deferTried && DeferEndedWalk(y, x, nearest, known)) {
                return;
            }
            const bool found =
                FirstColourOfGroups(y, x, nearest, startRadius, known, outcome, source);
            if (found && TakeFoundColour(nearest, outcome)) {
                return;
            }
            if (!found && !deferTried && DeferEndedWalk(y, x, nearest, known)) {
                return;
            }
            if (!deferred.empty()) {
                WalkAgainExactly(y, x, source);
                return;
            }
        }
        const NearestSearch::KnownEnds noneKnown;
        const NearestSearch::KnownEnds& known = coloured.Any() ? ColumnEnds(x, nearest) : noneKnown;
        const auto colouredAt = [this, y, x](int dx, int dy) {
            return coloured.Coloured(uint32_t(y + dy), uint32_t(x + dx));
        };
        outcome =
            search.FirstWanted(nearest, startRadius, alike == Alike::kDiffer, colouredAt, known);
        if (outcome.lastLeftOut && alike == Alike::kUnknown) {
            // Looked at once, when a walk first ends without colour.
            alike = LinePixelsAlike() ? Alike::kAlike : Alike::kDiffer;
            if (alike == Alike::kDiffer) {
                outcome = search.FirstWanted(nearest, startRadius, true, colouredAt);
            }
        }
        if (outcome.anyAllowed) {
            source = InputPixel(uint32_t(y + outcome.offset.dy), uint32_t(x + outcome.offset.dx));
        }
        if (outcome.axisRadius != 0) {
            SetRingHint(outcome.axisRadius);
        }
        previousReach = outcome.found ? nearest : ~uint32_t(0);
    }

    // A walk that surely ends before its colour, from every start the
    // deferred walks before it allow, changes no pixel when line pixels are
    // alike; only the ring hint it leaves matters, and only where a later
    // walk's outcome depends on it. So where finding the end would cost a
    // search, the walk is kept and the hint is known only to lie in a range;
    // the walks are followed exactly (ResolveDeferred) only when that range
    // would change a later outcome. A coloured pixel or a new strip makes
    // them not matter at all.
    bool DeferEndedWalk(uint16_t y, uint16_t x, uint32_t nearest,
                        const NearestSearch::KnownEnds& known) {
        if (alike == Alike::kDiffer) {
            return false;
        }
        // Shown by the column's walks alone, the range of axis offsets is
        // the same for every row of the strip column: found once. It stays
        // true as the column learns more: its end is known once, and its
        // least end only grows.
        ColumnEnd& column = ColumnOfStrip(x);
        const bool byColumn = known.EndsBefore(search.StartKeyOf(ringHint), nearest);
        uint16_t axisLow = column.endedAxisLow;
        uint16_t axisHigh = column.endedAxisHigh;
        if (!(byColumn && column.endedAxesKnown)) {
            if (!search.SurelyEndsBefore(nearest, ringHint, known, axisLow, axisHigh)) {
                return false;
            }
            if (byColumn) {
                column.endedAxisLow = axisLow;
                column.endedAxisHigh = axisHigh;
                column.endedAxesKnown = true;
            }
        }
        if (alike == Alike::kUnknown) {
            // Looked at once, when a walk first ends without colour.
            alike = LinePixelsAlike() ? Alike::kAlike : Alike::kDiffer;
            if (alike == Alike::kDiffer) {
                return false;
            }
        }
        uint16_t low = 0;
        uint16_t high = 0;
        EndedHintRange(axisLow, axisHigh, low, high);
        if (low == high) {
            SetRingHint(low);
        } else {
            if (deferred.empty()) {
                hintBeforeDeferred = ringHint;
            }
            deferred.push_back(DeferredWalk{y, x, nearest});
            lowestHint = low;
            ringHint = high;
        }
        // A later start may lie as far as `high`: its ring must be entered,
        // as the walk would have entered it.
        while (search.RingCount() < high) {
            search.AddRing();
        }
        previousReach = ~uint32_t(0);
        return true;
    }

    // The commonest far step of a page dark but for a few specks, with no
    // walk deferred: what WalkFarFromNearestColour does when the strip
    // column's walks, already looked at, show that this walk ends before its
    // colour and the range of hints it may leave (DeferEndedWalk) is one.
    // The pixel keeps its value, and only the hint changes. False, with
    // nothing changed, where that is not shown by what is known.
    bool EndsAsItsColumnShows(uint16_t x, uint32_t nearest) {
        const ColumnEnd& column = columnEnds[x];
        if (alike != Alike::kAlike || column.strip != stripNumber || !column.mostExact ||
            !column.endedAxesKnown ||
            !column.known.EndsBefore(search.StartKeyOf(ringHint), nearest)) {
            return false;
        }
        uint16_t low = 0;
        uint16_t high = 0;
        EndedHintRange(column.endedAxisLow, column.endedAxisHigh, low, high);
        if (low != high || search.RingCount() < high) {
            return false;
        }
        ringHint = low;
        previousReach = ~uint32_t(0);
        return true;
    }

    // The hints a walk that ends before its colour may leave, given the
    // range of the farthest axis offset it hands out: its start, or that
    // offset when it lies farther. With walks deferred, the start is itself
    // known only to lie from lowestHint to ringHint.
    void EndedHintRange(uint16_t axisLow, uint16_t axisHigh, uint16_t& low, uint16_t& high) const {
        low = std::max(deferred.empty() ? ringHint : lowestHint, axisLow);
        high = std::max(ringHint, axisHigh);
    }

    // Follows the deferred walks exactly, from the hint before them, and
    // sets the search's bounds back to pixel (y, x).
    void ResolveDeferred(uint16_t y, uint16_t x) {
        uint16_t hint = hintBeforeDeferred;
        for (size_t k = 0; k < deferred.size(); ++k) {
            const DeferredWalk walk = deferred[k];
            if (k > 0 && hint > 1) {
                --hint;
            }
            SetBounds(walk.y, walk.x);
            const auto colouredAt = [this, walk](int dx, int dy) {
                return coloured.Coloured(uint32_t(walk.y + dy), uint32_t(walk.x + dx));
            };
            const NearestSearch::Outcome outcome = search.FirstWanted(
                walk.nearest, hint, false, colouredAt, ColumnEnds(walk.x, walk.nearest));
            if (outcome.axisRadius != 0) {
                hint = outcome.axisRadius;
            }
        }
        SetBounds(y, x);
        SetRingHint(hint > 1 ? uint16_t(hint - 1) : hint);
    }

    // An exact hint: the deferred walks no longer matter.
    void SetRingHint(uint16_t hint) {
        ringHint = hint;
        if (!deferred.empty()) {
            deferred.clear();
        }
    }

    // The reaches of a centre in column x with the room up of row `upFrom`
    // and the room down of row `downFrom`: a pixel's own when both are its
    // row, and a strip column's least or most room from the strip's ends.
    Reaches ReachesOf(uint16_t x, uint16_t upFrom, uint16_t downFrom) const {
        return Reaches{
            {int32_t(x), int32_t(upFrom), int32_t(lastColumn) - x, int32_t(lastRow) - downFrom}};
    }

    void SetBounds(uint16_t y, uint16_t x) {
        search.boundTop = -int32_t(y);
        search.boundLeft = -int32_t(x);
        search.boundBottom = int32_t(lastRow) - y;
        search.boundRight = int32_t(lastColumn) - x;
    }

    // The usual far search: the nearest distance is listed and within the
    // edges, so the walk's outcome is the first coloured offset of that
    // distance in walk order. Each listed offset's bit and bytes lie a fixed
    // step from the centre's in this image, kept per offset, so testing one
    // costs no multiplication, and nor does finding its bytes. Gives the
    // offset's place among the listed ones.
    bool FirstListedColour(uint16_t y, uint16_t x, uint32_t nearest, uint16_t startRadius,
                           size_t& foundAt) {
        const uint32_t nearestEdge =
            std::min(std::min<uint32_t>(x, y), std::min<uint32_t>(lastColumn - x, lastRow - y));
        if (uint64_t(nearest) >= uint64_t(nearestEdge + 1) * (nearestEdge + 1)) {
            return false;
        }
        size_t listedCount = 0;
        search.ListedOffsets(listedCount);
        if (listedCount > listedBitSteps.size()) {
            KeepListedSteps();
        }
        const uint64_t* bits = coloured.Row(0);
        const int64_t centreBit = int64_t(y) * coloured.RowBits() + x;
        const int64_t* bitSteps = listedBitSteps.data();
        const auto colouredAt = [bits, centreBit, bitSteps](size_t at) {
            const int64_t bit = centreBit + bitSteps[at];
            return bits[bit >> 6] >> (bit & 63) & 1;
        };
        return search.FirstListedOfKey(nearest, startRadius, colouredAt, foundAt);
    }

    // The same as an outcome of the search, `source` moved from the centre's
    // own bytes to the colour's.
    bool FirstListedColour(uint16_t y, uint16_t x, uint32_t nearest, uint16_t startRadius,
                           NearestSearch::Outcome& outcome, const uint8_t*& source) {
        size_t foundAt = 0;
        if (!FirstListedColour(y, x, nearest, startRadius, foundAt)) {
            return false;
        }
        outcome.found = outcome.anyAllowed = true;
        outcome.offset = ListedOffset(foundAt);
        outcome.lastLeftOut = false;
        outcome.axisRadius = search.AxisRadiusOfHint(listedHints[foundAt], startRadius);
        source += listedByteSteps[foundAt];
        return true;
    }

    // FirstListedColour's find, taken as the walk would take it; no walk is
    // deferred.
    void TakeListedColour(uint16_t y, uint16_t x, uint32_t nearest, size_t foundAt) {
        TakeColour(y, x, nearest, search.AxisRadiusOfHint(listedHints[foundAt], ringHint),
                   InputPixel(y, x) + listedByteSteps[foundAt]);
    }

    // A colour the walk of pixel (y, x) finds at distance `nearest`, taken,
    // with no walk deferred: the hint it leaves (0: its start) and the value.
    void TakeColour(uint16_t y, uint16_t x, uint32_t nearest, uint16_t axisRadius,
                    const uint8_t* source) {
        if (axisRadius != 0) {
            ringHint = axisRadius;
        }
        previousReach = nearest;
        CopyPixel(source, OutputPixel(y, x));
    }

    // For the group searches around line pixel (y, x): which offsets of a
    // group at the nearest distance are coloured, their rows and columns
    // found once (NearestSearch::FirstWantedOfGroups).
    auto ColouredSlotsAround(uint16_t y, uint16_t x) const {
        const uint16_t* columnDistance = distances->ColumnDistances(y);
        return [this, y, x, columnDistance](uint32_t ring, uint32_t minor) {
            // Columns x - i, x - r, x + i, x + r; one outside the image wraps
            // to a large unsigned value.
            const uint32_t leftMinor = uint32_t(x) - minor;
            const uint32_t left = uint32_t(x) - ring;
            const uint32_t rightMinor = uint32_t(x) + minor;
            const uint32_t right = uint32_t(x) + ring;
            // An offset (dx, dy) at the nearest distance is coloured only
            // where the nearest coloured pixel of its column lies |dy| away
            // (no nearer, or the distance would be less): most groups are
            // passed on four columns.
            const auto lies = [this, columnDistance](uint32_t column, uint32_t away) {
                return column <= lastColumn && columnDistance[column] == away;
            };
            const bool leftMinorLies = lies(leftMinor, ring);
            const bool leftLies = lies(left, minor);
            const bool rightMinorLies = lies(rightMinor, ring);
            const bool rightLies = lies(right, minor);
            if (!leftMinorLies && !leftLies && !rightMinorLies && !rightLies) {
                return 0u;
            }
            // Rows y + r, y + i, y - i, y - r, wrapping the same way; only
            // the two slots of a column that lies so are looked at.
            const uint32_t below = uint32_t(y) + ring;
            const uint32_t belowMinor = uint32_t(y) + minor;
            const uint32_t aboveMinor = uint32_t(y) - minor;
            const uint32_t above = uint32_t(y) - ring;
            const auto at = [this](uint32_t row, uint32_t column) {
                return row <= lastRow && coloured.Coloured(row, column) ? 1u : 0u;
            };
            uint32_t slots = 0;
            if (leftMinorLies) {
                slots |= at(below, leftMinor) | at(above, leftMinor) << 3;
            }
            if (leftLies) {
                slots |= at(belowMinor, left) << 1 | at(aboveMinor, left) << 2;
            }
            if (rightMinorLies) {
                slots |= at(above, rightMinor) << 4 | at(below, rightMinor) << 7;
            }
            if (rightLies) {
                slots |= at(aboveMinor, right) << 5 | at(belowMinor, right) << 6;
            }
            return slots;
        };
    }

    // The usual far search beyond the listed distances: a group's offsets
    // tested together.
    bool FirstColourOfGroups(uint16_t y, uint16_t x, uint32_t nearest, uint16_t startRadius,
                             const NearestSearch::KnownEnds& known, NearestSearch::Outcome& outcome,
                             const uint8_t*& source) {
        const auto colouredSlots = ColouredSlotsAround(y, x);
        if (!search.FirstWantedOfGroups(nearest, startRadius, colouredSlots, outcome, known)) {
            return false;
        }
        source = InputPixel(uint32_t(y + outcome.offset.dy), uint32_t(x + outcome.offset.dx));
        return true;
    }

    // The commonest far step of a page dark up to an edge, with no walk
    // deferred: what WalkFarFromNearestColour does when the strip column's
    // walks, already looked at, show that this walk reaches its colour's
    // distance without ending (so the first coloured offset there is the
    // walk's), and the search has entered it. False, with nothing changed,
    // where that is not shown by what is known.
    __attribute__((noinline)) bool TakeColourAsItsColumnShows(uint16_t y, uint16_t x,
                                                              uint32_t nearest) {
        const ColumnEnd& column = columnEnds[x];
        if (column.strip != stripNumber || !column.leastBounded ||
            !(nearest < column.known.noEndBelow) || !search.Entered(nearest)) {
            return false;
        }
        const uint32_t startKey = search.StartKeyOf(ringHint);
        if (nearest < startKey) {
            return false;
        }
        NearestSearch::Outcome outcome;
        if (!search.FirstWantedOfReachedGroups(ReachesOf(x, y, y), nearest, startKey,
                                               ColouredSlotsAround(y, x), outcome)) {
            return false;
        }
        TakeColour(y, x, nearest, outcome.axisRadius,
                   InputPixel(uint32_t(y + outcome.offset.dy), uint32_t(x + outcome.offset.dx)));
        return true;
    }

    Offset ListedOffset(size_t at) const {
        size_t count = 0;
        return search.ListedOffsets(count)[at];
    }

    void KeepListedSteps() {
        size_t count = 0;
        const Offset* listed = search.ListedOffsets(count);
        for (size_t at = listedBitSteps.size(); at < count; ++at) {
            listedBitSteps.push_back(int64_t(listed[at].dy) * coloured.RowBits() + listed[at].dx);
            listedByteSteps.push_back(intptr_t(listed[at].dy) * job.input.rowBytes +
                                      intptr_t(listed[at].dx) * job.input.columnStep);
            listedHints.push_back(NearestSearch::ListedHint(listed[at]));
        }
    }

    // Where walks from centres of column x in this strip end, found once a
    // column and strip as far as `key` asks: the strip's centre with the
    // least room up and down ends no later than any of them, and the one
    // with the most room no sooner.
    const NearestSearch::KnownEnds& ColumnEnds(uint16_t x, uint32_t key) {
        ColumnEnd& column = ColumnOfStrip(x);
        // Walks known to reach `key`, or to end before it, need no more.
        if (column.leastBounded &&
            (key < column.known.noEndBelow || (column.mostExact && column.known.endsBy < key))) {
            return column.known;
        }
        const Reaches least = ReachesOf(x, stripFirstRow, stripLastRow);
        if (!column.leastBounded) {
            // Cheap, and enough for most far searches.
            column.known.noEndBelow = EndlessBelowKey(least);
            column.leastBounded = true;
        }
        if (key < column.known.noEndBelow || (column.mostExact && column.known.endsBy < key) ||
            search.EndlessUpTo(key)) {
            return column.known;
        }
        // Both walks are looked at a little beyond `key`, so that a column
        // whose pixels ask ever farther asks a few times, and the search
        // enters few rings more than its pixels need.
        const uint32_t asked = uint32_t(std::min<uint64_t>(key + key / 4 + 1, farthestKey));
        if (!column.leastExact) {
            column.known.noEndBelow = search.FirstEndBelow(least, asked);
            column.leastExact = column.known.noEndBelow < asked;
        }
        // Only a walk whose last allowed offset does not matter can stop at
        // knowing it ends.
        if (alike != Alike::kDiffer && key >= column.known.noEndBelow && !column.mostExact &&
            key >= column.mostAsked) {
            const Reaches most = ReachesOf(x, stripLastRow, stripFirstRow);
            column.mostAsked = asked;
            column.mostExact = search.EndOf(most, asked, column.known);
        }
        return column.known;
    }

    void CopyPixel(const uint8_t* source, uint8_t* destination) const {
        if (packedRgb) {
            destination[0] = source[0];
            destination[1] = source[1];
            destination[2] = source[2];
            return;
        }
        const intptr_t planes = job.colorPlanes;
        const intptr_t from = job.input.planeStep;
        const intptr_t to = job.output.planeStep;
        for (intptr_t plane = 0; plane < planes; ++plane) {
            destination[plane * to] = source[plane * from];
        }
    }

    // A walk past this many candidates counts as long; the previous pixel's
    // colour farther than this (squared) makes a long walk likely where many
    // were long.
    static constexpr uint32_t kShortWalk = 32;
    static constexpr uint32_t kNearReach = 2;
    static constexpr uint32_t kUnlimited = ~uint32_t(0);

    const FlattenJob& job;
    NearestSearch& search;
    LineTest lineTest;
    ColouredBits coloured;
    uint16_t lastRow;
    uint16_t lastColumn;
    bool packedRgb;        // three planes side by side in both buffers: the usual copy
    uint32_t farthestKey;  // beyond the squared distance of any two pixels
    // The start radius of the next search; while walks are deferred, the
    // largest it may be, and lowestHint the smallest (else unused).
    uint16_t ringHint = 1;
    uint16_t lowestHint = 1;
    // Walks that ended without colour whose ring hints are not yet known
    // (DeferEndedWalk), all of the current strip, and the hint before them.
    struct DeferredWalk {
        uint16_t y;
        uint16_t x;
        uint32_t nearest;
    };
    std::vector<DeferredWalk> deferred;
    uint16_t hintBeforeDeferred = 1;
    uint32_t previousReach = 0;    // squared distance of the last line pixel's colour
    uint32_t lastFarNearest = 0;   // the nearest distance of the last pixel not listed
    uint32_t longWalks = 0;        // in the current strip
    uint32_t longWalksBefore = 0;  // in the strip before
    // Whether all line pixels have the same planes, found when first needed.
    enum class Alike { kUnknown, kAlike, kDiffer };
    Alike alike = Alike::kUnknown;
    std::vector<uint64_t> lineColumns;
    // Per listed offset of the search, in its order: the step from a
    // centre's coloured bit to the offset's, and from its input bytes.
    std::vector<int64_t> listedBitSteps;
    std::vector<intptr_t> listedByteSteps;
    std::vector<uint16_t> listedHints;  // NearestSearch::ListedHint
    // Per column of the strip: what is known of where its walks end; whether
    // the walk with the least room ends at noEndBelow, and the one with the
    // most room at endsBy, or else below which key it was looked for.
    struct ColumnEnd {
        uint32_t strip = 0;  // the strip it was made for
        NearestSearch::KnownEnds known;
        bool leastBounded = false;
        bool leastExact = false;
        bool mostExact = false;
        uint32_t mostAsked = 0;
        // For walks `known` shows to end: the farthest allowed axis offset
        // lies from endedAxisLow to endedAxisHigh (SurelyEndsBefore).
        bool endedAxesKnown = false;
        uint16_t endedAxisLow = 0;
        uint16_t endedAxisHigh = 0;
    };
    std::vector<ColumnEnd> columnEnds;
    uint32_t stripNumber = 0;  // counts the strips from 1
    // Column x's entry, made afresh when first asked for in a strip.
    ColumnEnd& ColumnOfStrip(uint16_t x) {
        ColumnEnd& column = columnEnds[x];
        if (column.strip != stripNumber) {
            column = ColumnEnd();
            column.strip = stripNumber;
        }
        return column;
    }
    uint16_t stripFirstRow = 0;
    uint16_t stripLastRow = 0;
    std::unique_ptr<ColouredDistance> distances;
};

}  // namespace

bool FlattenImage(const FlattenJob& job, NearestSearch& search, StripReporter& reporter) {
    FlattenPass pass(job, search);
    const bool worthSearching = job.height > 0 && job.width > 0 && pass.WorthSearching();
    for (uint32_t firstRow = 0; firstRow < job.height; firstRow += kStripRows) {
        const uint16_t rows = uint16_t(std::min<uint32_t>(kStripRows, job.height - firstRow));
        if (worthSearching) {
            pass.FlattenStrip(uint16_t(firstRow), rows);
        }
        if (reporter.ReportStrip(rows)) {
            return false;
        }
    }
    return true;
}
