#include "FlattenImage.h"

#include <algorithm>
#include <cstdlib>

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

private:
    const uint8_t* InputPixel(uint32_t y, uint32_t x) const {
        return job.input.base + intptr_t(y) * job.input.rowBytes + intptr_t(x) * job.input.columnStep;
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
        bool yielded = search.Begin(dx, dy, ringHint);
        while (yielded) {
            if (dy == 0) {
                ringHint = uint16_t(std::abs(dx));
            }
            source = InputPixel(uint32_t(y + dy), uint32_t(x + dx));
            const bool coloured = !lineTest.IsLinePixel(source);
            yielded = search.Next(dx, dy);
            if (coloured) {
                break;
            }
        }
        CopyPixel(source, OutputPixel(y, x));
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
        pass.RestartHint();
        if (reporter.ReportStrip(rows)) {
            return false;
        }
    }
    return true;
}
