// A grey-level canvas of ink coverage onto which anti-aliased strokes are
// drawn: 0 is bare paper, 255 full ink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oxlineart {

struct Point {
    double x = 0;
    double y = 0;
};

// A stroke covers every point within half its width of its centre line, with
// round caps and joins. A pixel's ink is its coverage estimated from the
// distance of its centre to the centre line, ramping linearly over
// `edgeSoftness` pixels centred on the edge (one pixel approximates the area
// a crisp edge covers; more looks scanned); overlapping strokes keep the
// larger coverage. Each segment is rasterised only over the span of each row
// it can reach, so the cost follows the stroke's area, not the canvas's.
class InkCanvas {
public:
    // A closed polyline as it was stroked, for cutting gaps into it later.
    struct ClosedOutline {
        std::vector<Point> points;
        double width;
    };

    InkCanvas(int width, int height, double edgeSoftness = 1);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint8_t InkAt(int column, int row) const { return ink_[size_t(row) * width_ + column]; }
    const std::vector<uint8_t>& Ink() const { return ink_; }
    double EdgeSoftness() const { return edgeSoftness_; }
    // Every closed polyline stroked so far, clipped or not.
    const std::vector<ClosedOutline>& ClosedOutlines() const { return closedOutlines_; }

    // Limits drawing to columns [left, right) and rows [top, bottom).
    void SetClip(double left, double top, double right, double bottom);
    void ClearClip();

    void StrokeSegment(Point from, Point to, double width);
    // `width` for every segment; the last point joins the first when closed.
    void StrokePolyline(const std::vector<Point>& points, double width, bool closed);
    // The width changes linearly along the points, for tapered brush strokes.
    void StrokeTapered(const std::vector<Point>& points, double startWidth, double endWidth);
    // A filled disc of the given diameter.
    void Dot(Point center, double diameter);
    // Removes the ink inside an axis-aligned ellipse, within the clip.
    void ClearEllipse(Point center, double radiusX, double radiusY);
    // Removes the ink of one pixel; the caller keeps within the canvas.
    void ClearPixel(int column, int row) { ink_[size_t(row) * width_ + column] = 0; }

private:
    void InkRow(int row, double fromX, double toX, Point from, Point to, double reach);

    int width_;
    int height_;
    double edgeSoftness_;
    std::vector<uint8_t> ink_;
    std::vector<ClosedOutline> closedOutlines_;
    int clipLeft_ = 0;
    int clipTop_ = 0;
    int clipRight_;
    int clipBottom_;
};

}  // namespace oxlineart
