#include "FlattenImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "ColouredDistance.h"
#include "LineTest.h"

namespace {

class FlattenPass {
public:
    FlattenPass(const FlattenJob& job, NearestSearch& search)
        : job(job),
          search(search),
          lineTest(job.imageMode, job.colorPlanes, job.input.planeStep),
          lastRow(uint16_t(job.height - 1)),
          lastColumn(uint16_t(job.width - 1)) {}

    bool HasColouredPixel() const {
        for (uint16_t y = 0; y < job.height; ++y) {
            for (uint16_t x = 0; x < job.width; ++x) {
                if (!lineTest.IsLinePixel(InputPixel(y, x))) {
                    return true;
                }
            }
        }
        return false;
    }

    void FlattenStrip(uint16_t firstRow, uint16_t rows) {
        const uint16_t lastStripRow = uint16_t(firstRow + rows - 1);
        for (uint16_t x = 0; x < job.width; ++x) {
            if (x % 2 == 0) {
                for (uint32_t y = firstRow; y <= lastStripRow; ++y) {
                    FlattenPixel(uint16_t(y), x);
                }
            } else {
                for (int32_t y = lastStripRow; y >= int32_t(firstRow); --y) {
                    FlattenPixel(uint16_t(y), x);
                }
            }
        }
    }

    void RestartHint() { ringHint = 1; }

    // Decides, from how far the searches of the strip just done had to go,
    // whether the next strip starts its searches from the known distance of
    // the nearest coloured pixel. The result is the same either way.
    void ChooseSearchStart(uint16_t nextFirstRow, uint16_t nextRows) {
        const bool walksWereLong = farPixelsInStrip > uint32_t(job.width) / 8;
        farPixelsInStrip = 0;
        useDistances = walksWereLong;
        if (!useDistances) {
            return;
        }
        if (!distances) {
            distances.reset(new ColouredDistance(job, lineTest));
        }
        distances->PrepareRows(nextFirstRow, nextRows);
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

    void FlattenPixel(uint16_t y, uint16_t x) {
        const uint8_t* pixel = InputPixel(y, x);
        if (!lineTest.IsLinePixel(pixel)) {
            ringHint = 1;
            return;
        }
        search.boundTop = -int32_t(y);
        search.boundLeft = -int32_t(x);
        search.boundBottom = int32_t(lastRow) - y;
        search.boundRight = int32_t(lastColumn) - x;
        if (ringHint > 1) {
            --ringHint;
        }

        const uint8_t* source = pixel;
        int dx = 0;
        int dy = 0;
        farFromColour = false;
        bool yielded =
            useDistances ? BeginAtNearestColour(y, x, dx, dy) : search.Begin(dx, dy, ringHint);
        uint32_t candidates = 0;
        while (yielded) {
            if (dy == 0) {
                ringHint = uint16_t(std::abs(dx));
            }
            source = InputPixel(uint32_t(y + dy), uint32_t(x + dx));
            const bool coloured = !lineTest.IsLinePixel(source);
            ++candidates;
            yielded = search.Next(dx, dy);
            if (coloured) {
                break;
            }
        }
        if (candidates > kFarCandidates || farFromColour) {
            ++farPixelsInStrip;
        }
        CopyPixel(source, OutputPixel(y, x));
    }

    // Starts the search of line pixel (y, x) where the ordinary walk from
    // ringHint would first meet a coloured pixel, when that is certain: the
    // walk starts no farther out than the nearest coloured pixel (distance
    // squared d2), and every offset up to d2 lies inside the image, so no run
    // of disallowed offsets could have ended it earlier. Every offset nearer
    // than d2 is a line pixel; of those the walk would have handed out, the
    // last on the row is (r, 0) with r the largest whole number below the
    // distance, so ringHint ends where the walk would have left it.
    bool BeginAtNearestColour(uint16_t y, uint16_t x, int& dx, int& dy) {
        const uint32_t d2 = distances->SquaredDistance(y, x);
        const uint32_t start = ringHint;
        const uint32_t edge =
            std::min(std::min<uint32_t>(y, x), std::min<uint32_t>(lastRow - y, lastColumn - x));
        farFromColour = d2 > kNearSquaredDistance && d2 != ColouredDistance::kUnknown;
        if (!farFromColour || start * start > d2 || uint64_t(edge) * edge < d2) {
            return search.Begin(dx, dy, ringHint);
        }
        const uint32_t below = IntegerSquareRoot(d2 - 1);
        if (below >= start) {
            ringHint = uint16_t(below);
        }
        return search.BeginAtDistance(dx, dy, d2);
    }

    static uint32_t IntegerSquareRoot(uint32_t value) {
        uint32_t root = uint32_t(std::sqrt(double(value)));
        while (uint64_t(root) * root > value) {
            --root;
        }
        while (uint64_t(root + 1) * (root + 1) <= value) {
            ++root;
        }
        return root;
    }

    void CopyPixel(const uint8_t* source, uint8_t* destination) const {
        for (int16_t plane = 0; plane < job.colorPlanes; ++plane) {
            destination[intptr_t(plane) * job.output.planeStep] =
                source[intptr_t(plane) * job.input.planeStep];
        }
    }

    const FlattenJob& job;
    NearestSearch& search;
    LineTest lineTest;
    uint16_t lastRow;
    uint16_t lastColumn;
    uint16_t ringHint = 1;

    // A search past this many candidates, or a nearest colour past this
    // squared distance, counts as a long walk.
    static constexpr uint32_t kFarCandidates = 48;
    static constexpr uint32_t kNearSquaredDistance = 16;
    uint32_t farPixelsInStrip = 0;
    bool farFromColour = false;
    bool useDistances = false;
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
            pass.ChooseSearchStart(uint16_t(firstRow), rows);
            pass.FlattenStrip(uint16_t(firstRow), rows);
        }
        pass.RestartHint();
        if (reporter.ReportStrip(rows)) {
            return false;
        }
    }
    return true;
}
