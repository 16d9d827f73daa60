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
// distance of its centre to the centre line, ramping linearly over one pixel
// at the edge; overlapping strokes keep the larger coverage. Each segment is
// rasterised only over the span of each row it can reach, so the cost follows
// the stroke's area, not the canvas's.
class InkCanvas {
public:
    InkCanvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint8_t InkAt(int column, int row) const { return ink_[size_t(row) * width_ + column]; }
    const std::vector<uint8_t>& Ink() const { return ink_; }

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

private:
    void InkRow(int row, double fromX, double toX, Point from, Point to, double reach);

    int width_;
    int height_;
    std::vector<uint8_t> ink_;
    int clipLeft_ = 0;
    int clipTop_ = 0;
    int clipRight_;
    int clipBottom_;
};

}  // namespace oxlineart
