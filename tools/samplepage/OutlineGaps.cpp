#include "tools/samplepage/OutlineGaps.h"

#include <algorithm>
#include <cmath>

#include "tools/samplepage/FlatColoring.h"

namespace oxlineart {
namespace {

// Tries per gap asked for before giving up on a page.
constexpr int kTriesPerGap = 50;

// Whether the pixel under `point` is on the canvas with ink below `limit`
// (open) or at least `limit` (line), as `wantInk` asks.
bool InkIs(const InkCanvas& canvas, Point point, bool wantInk) {
    const int column = int(std::floor(point.x));
    const int row = int(std::floor(point.y));
    if (column < 0 || row < 0 || column >= canvas.Width() || row >= canvas.Height()) {
        return false;
    }
    return (canvas.InkAt(column, row) >= kAreaInkLimit) == wantInk;
}

// Clears the pixels whose centres lie in the band `halfLength` either side of
// `center` along `along` (a unit vector) and `halfAcross` across it.
void ClearBand(InkCanvas& canvas, Point center, Point along, double halfLength, double halfAcross) {
    const double reach = halfLength + halfAcross;
    const int firstRow = std::max(0, int(std::floor(center.y - reach)));
    const int endRow = std::min(canvas.Height(), int(std::ceil(center.y + reach)) + 1);
    const int firstColumn = std::max(0, int(std::floor(center.x - reach)));
    const int endColumn = std::min(canvas.Width(), int(std::ceil(center.x + reach)) + 1);
    for (int row = firstRow; row < endRow; ++row) {
        for (int column = firstColumn; column < endColumn; ++column) {
            const double offsetX = column + 0.5 - center.x;
            const double offsetY = row + 0.5 - center.y;
            const double lengthwise = offsetX * along.x + offsetY * along.y;
            const double across = offsetY * along.x - offsetX * along.y;
            if (std::fabs(lengthwise) <= halfLength && std::fabs(across) <= halfAcross) {
                canvas.ClearPixel(column, row);
            }
        }
    }
}

}  // namespace

int CutOutlineGaps(InkCanvas& canvas, int widestGap, int count, Prng& prng) {
    const std::vector<InkCanvas::ClosedOutline>& outlines = canvas.ClosedOutlines();
    int cut = 0;
    for (int tries = 0; cut < count && !outlines.empty() && tries < count * kTriesPerGap; ++tries) {
        const InkCanvas::ClosedOutline& outline =
            outlines[size_t(prng.Below(int(outlines.size())))];
        const size_t segment = size_t(prng.Below(int(outline.points.size())));
        const Point from = outline.points[segment];
        const Point to = outline.points[(segment + 1) % outline.points.size()];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        const int gap = 1 + prng.Below(widestGap);
        if (length < 1e-6) {
            continue;
        }
        const Point along{(to.x - from.x) / length, (to.y - from.y) / length};
        const Point center{(from.x + to.x) / 2, (from.y + to.y) / 2};
        // Past the stroke's reach and a pixel more, so no grey edge is left.
        const double halfAcross = outline.width / 2 + canvas.EdgeSoftness() / 2 + 1.5;
        const Point outside{center.x - along.y * (halfAcross + 1),
                            center.y + along.x * (halfAcross + 1)};
        const Point inside{center.x + along.y * (halfAcross + 1),
                           center.y - along.x * (halfAcross + 1)};
        if (!InkIs(canvas, center, true) || !InkIs(canvas, outside, false) ||
            !InkIs(canvas, inside, false)) {
            continue;  // clipped away, or other lines crowd the place
        }
        // A band |along.x| + |along.y| times the gap wide holds a 4-connected
        // row of pixel centres across however the outline runs.
        const double halfLength = gap * (std::fabs(along.x) + std::fabs(along.y)) / 2;
        ClearBand(canvas, center, along, halfLength, halfAcross);
        ++cut;
    }
    return cut;
}

}  // namespace oxlineart
