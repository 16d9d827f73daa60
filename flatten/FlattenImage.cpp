#include "FlattenImage.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ColouredBits.h"
#include "ColouredDistance.h"
#include "LineTest.h"

namespace {

class FlattenPass {
public:
    FlattenPass(const FlattenJob& job, NearestSearch& search)
        : job(job),
          search(search),
          lineTest(job.imageMode, job.colorPlanes, job.input.planeStep),
          coloured(job, lineTest),
          lastRow(uint16_t(job.height - 1)),
          lastColumn(uint16_t(job.width - 1)) {}

    bool HasColouredPixel() const { return coloured.Any(); }

    void FlattenStrip(uint16_t firstRow, uint16_t rows) {
        if (!distances) {
            distances.reset(new ColouredDistance(coloured, job.width, job.height));
        }
        distances->NextStrip(firstRow, rows);
        longWalksBefore = longWalks;
        longWalks = 0;
        ringHint = 1;
        previousReach = 0;

        const uint16_t lastStripRow = uint16_t(firstRow + rows - 1);
        for (uint16_t x = 0; x < job.width; ++x) {
            if (x % 2 == 0) {
                for (uint32_t y = firstRow; y <= lastStripRow; ++y) {
                    VisitPixel(uint16_t(y), x);
                }
            } else {
                for (int32_t y = lastStripRow; y >= int32_t(firstRow); --y) {
                    VisitPixel(uint16_t(y), x);
                }
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

    void VisitPixel(uint16_t y, uint16_t x) {
        if (coloured.Coloured(y, x)) {
            ringHint = 1;
            previousReach = 0;
            return;
        }
        FlattenPixel(y, x);
    }

    // The search of line pixel (y, x), from ringHint outward, nearest first;
    // the first coloured pixel it meets gives the value.
    void FlattenPixel(uint16_t y, uint16_t x) {
        search.boundTop = -int32_t(y);
        search.boundLeft = -int32_t(x);
        search.boundBottom = int32_t(lastRow) - y;
        search.boundRight = int32_t(lastColumn) - x;
        if (ringHint > 1) {
            --ringHint;
        }
        const uint16_t startRadius = ringHint;
        const uint8_t* source = InputPixel(y, x);

        // Most searches end within a few rings; those that do not (or, where
        // many have not, those next to a pixel whose colour lay far) skip to
        // the distance of the nearest coloured pixel. Either way the outcome
        // is the walk's.
        const bool expectFar = previousReach > kNearReach && WalksAreLong();
        if (expectFar || !Walk(y, x, kShortWalk, source)) {
            if (!expectFar) {
                ++longWalks;
            }
            ringHint = startRadius;
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
    // walk can pass over them all at once; it then goes on as usual. Where
    // ringHint already starts it beyond that distance there is nothing to skip.
    void WalkFromNearestColour(uint16_t y, uint16_t x, const uint8_t*& source) {
        const uint32_t nearest = distances->SquaredDistance(y, x);
        search.Start(ringHint);
        NearestSearch::Passed passed;
        const bool going = search.SkipNearerThan(nearest, passed);
        if (passed.anyAllowed) {
            source = InputPixel(uint32_t(y + passed.lastAllowed.dy),
                                uint32_t(x + passed.lastAllowed.dx));
        }
        if (passed.axisRadius != 0) {
            ringHint = passed.axisRadius;
        }
        previousReach = ~uint32_t(0);
        if (going) {
            int dx = 0;
            int dy = 0;
            const bool yielded = search.Next(dx, dy);
            Continue(y, x, yielded, dx, dy, kUnlimited, source);
        }
    }

    void CopyPixel(const uint8_t* source, uint8_t* destination) const {
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
    uint16_t ringHint = 1;
    uint32_t previousReach = 0;    // squared distance of the last line pixel's colour
    uint32_t longWalks = 0;        // in the current strip
    uint32_t longWalksBefore = 0;  // in the strip before
    std::unique_ptr<ColouredDistance> distances;
};

}  // namespace

bool FlattenImage(const FlattenJob& job, NearestSearch& search, StripReporter& reporter) {
    FlattenPass pass(job, search);
    // With no coloured pixel anywhere every search would walk until the
    // eight-try rule ends it near the far side of the image, which is
    // quadratic in the page size; the outcome would only shuffle line pixels
    // among themselves, so the image is left as it is.
    const bool worthSearching = pass.HasColouredPixel();

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
