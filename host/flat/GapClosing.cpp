#include "host/flat/GapClosing.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "host/flat/ComponentRuns.h"
#include "host/flat/DiskDilation.h"

namespace oxhost {

namespace {

// What each pixel is to the gap closing.
enum PixelKind : uint8_t {
    kInk = 0,
    kCore = 1,     // paper beyond the gap radius from all ink
    kBand = 2,     // paper near ink, not yet given a core's label
    kReached = 3,  // paper near ink, labelled
};

std::vector<uint8_t> PixelKinds(const InkMask& mask, uint64_t nearSquare) {
    std::vector<uint8_t> kind =
        WithinDistance(mask.ink, DistanceTo::NonzeroPixels, mask.width, mask.height, nearSquare);
    // Raw pointers, or every byte stored might move the vectors' own data
    // pointers as far as the compiler knows, and the loop would not vectorise.
    uint8_t* kinds = kind.data();
    const uint8_t* ink = mask.ink.data();
    const size_t count = kind.size();
    for (size_t i = 0; i < count; ++i) {
        // Far 1, near ink 0, near paper 2; branch-free.
        const unsigned near = kinds[i] != 0 ? 1u : 0u;
        const unsigned paper = ink[i] == 0 ? 1u : 0u;
        kinds[i] = uint8_t((1u - near) + near * paper * 2u);
    }
    return kind;
}

// Labels of the band pixels (meaningful where kind is kReached, never read
// elsewhere, so never cleared: on a large page most pixels are cores), the
// queue of the breadth-first growth, and the seams drawn so far.
class CoreGrowth {
public:
    CoreGrowth(std::vector<uint8_t>& kind, InkMask& closed)
        : kind(kind), closed(closed), label(new uint32_t[kind.size()]) {}

    // The first ring: every band pixel beside a core run, so each queued
    // pixel is one step from its core and every pair of a core pixel and a
    // band pixel is looked at here.
    void TouchCores(const ComponentRuns& cores) {
        const size_t width = size_t(closed.width);
        for (const ComponentRun& run : cores.runs) {
            const size_t rowStart = size_t(run.y) * width;
            if (run.begin > 0) {
                Meet(rowStart + size_t(run.begin) - 1, rowStart + size_t(run.begin), run.component);
            }
            if (size_t(run.end) < width) {
                Meet(rowStart + size_t(run.end), rowStart + size_t(run.end) - 1, run.component);
            }
            if (run.y > 0) {
                MeetRow(rowStart - width, rowStart, run);
            }
            if (run.y + 1 < closed.height) {
                MeetRow(rowStart + width, rowStart, run);
            }
        }
    }

    // Breadth-first from the first ring; returns the number of seam pixels.
    size_t Grow() {
        const size_t width = size_t(closed.width);
        const size_t height = size_t(closed.height);
        for (size_t head = 0; head < queue.size(); ++head) {
            const size_t i = queue[head];
            const size_t x = i % width;
            const size_t y = i / width;
            const uint32_t own = label[i];
            if (x > 0) {
                Meet(i - 1, i, own);
            }
            if (x + 1 < width) {
                Meet(i + 1, i, own);
            }
            if (y > 0) {
                Meet(i - width, i, own);
            }
            if (y + 1 < height) {
                Meet(i + width, i, own);
            }
        }
        return seams;
    }

private:
    // Pixel `from`, of label `own`, beside `pixel`: an unlabelled band pixel
    // takes the label; a labelled one of another label means two cores meet,
    // and the upper or left pixel of the pair becomes ink. Cores are met only
    // from TouchCores, whose runs carry their labels.
    void Meet(size_t pixel, size_t from, uint32_t own) {
        if (kind[pixel] == kBand) {
            kind[pixel] = kReached;
            label[pixel] = own;
            queue.push_back(uint32_t(pixel));
        } else if (kind[pixel] == kReached && label[pixel] != own) {
            uint8_t& seam = closed.ink[pixel < from ? pixel : from];
            seams += seam == 0 ? 1 : 0;
            seam = 1;
        }
    }

    // The pixels of the row starting at `besideStart` above or below `run`;
    // eight at a time where none is band (kBand and kReached have bit 1 set).
    void MeetRow(size_t besideStart, size_t runRowStart, const ComponentRun& run) {
        const uint8_t* beside = kind.data() + besideStart;
        int x = run.begin;
        while (x < run.end) {
            uint64_t eight = 0;
            if (x + 8 <= run.end) {
                std::memcpy(&eight, beside + x, sizeof eight);
                if ((eight & 0x0202020202020202u) == 0) {
                    x += 8;
                    continue;
                }
            }
            if (beside[x] >= kBand) {
                Meet(besideStart + size_t(x), runRowStart + size_t(x), run.component);
            }
            ++x;
        }
    }

    std::vector<uint8_t>& kind;
    InkMask& closed;
    std::unique_ptr<uint32_t[]> label;
    std::vector<uint32_t> queue;
    size_t seams = 0;
};

}  // namespace

InkMask CloseGaps(const InkMask& ink, int gapWidth, size_t* addedPixels) {
    if (addedPixels != nullptr) {
        *addedPixels = 0;
    }
    RequireWholeMask(ink, "gap closing");
    if (gapWidth <= 0) {
        return ink;
    }
    // Core pixels lie farther than (gapWidth + 1) / 2 from ink: 4 d^2 > (gapWidth + 1)^2.
    const uint64_t span = uint64_t(gapWidth) + 1;
    std::vector<uint8_t> kind = PixelKinds(ink, span * span / 4);
    const ComponentRuns cores = LabelComponentRuns(kind, ink.width, ink.height, kCore);
    if (cores.count < 2) {
        return ink;  // nothing to keep apart
    }
    InkMask closed = ink;
    CoreGrowth growth(kind, closed);
    growth.TouchCores(cores);
    const size_t seams = growth.Grow();
    if (addedPixels != nullptr) {
        *addedPixels = seams;
    }
    return closed;
}

}  // namespace oxhost
