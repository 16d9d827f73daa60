#include "tools/samplepage/InkCanvas.h"

#include <algorithm>
#include <cmath>

namespace oxlineart {
namespace {

int ClampToInt(double value, int low, int high) {
    return int(std::max(double(low), std::min(double(high), value)));
}

}  // namespace

InkCanvas::InkCanvas(int width, int height, double edgeSoftness)
    : width_(width),
      height_(height),
      edgeSoftness_(edgeSoftness),
      ink_(size_t(width) * size_t(height), 0),
      clipRight_(width),
      clipBottom_(height) {}

void InkCanvas::SetClip(double left, double top, double right, double bottom) {
    clipLeft_ = ClampToInt(std::ceil(left), 0, width_);
    clipTop_ = ClampToInt(std::ceil(top), 0, height_);
    clipRight_ = ClampToInt(std::floor(right), clipLeft_, width_);
    clipBottom_ = ClampToInt(std::floor(bottom), clipTop_, height_);
}

void InkCanvas::ClearClip() {
    clipLeft_ = 0;
    clipTop_ = 0;
    clipRight_ = width_;
    clipBottom_ = height_;
}

void InkCanvas::StrokeSegment(Point from, Point to, double width) {
    // Beyond `reach` from the centre line a pixel centre gets no ink.
    double reach = width / 2 + edgeSoftness_ / 2;
    double deltaY = to.y - from.y;
    int firstRow =
        ClampToInt(std::floor(std::min(from.y, to.y) - reach - 0.5), clipTop_, clipBottom_);
    int endRow = ClampToInt(std::ceil(std::max(from.y, to.y) + reach + 0.5), clipTop_, clipBottom_);
    for (int row = firstRow; row < endRow; ++row) {
        double centerY = row + 0.5;
        // The part of the segment within `reach` of this row vertically.
        double startT = 0;
        double endT = 1;
        if (deltaY != 0) {
            double aboveT = (centerY - reach - from.y) / deltaY;
            double belowT = (centerY + reach - from.y) / deltaY;
            startT = std::max(0.0, std::min(aboveT, belowT));
            endT = std::min(1.0, std::max(aboveT, belowT));
            if (startT > endT) {
                continue;
            }
        } else if (std::fabs(centerY - from.y) > reach) {
            continue;
        }
        double startX = from.x + startT * (to.x - from.x);
        double endX = from.x + endT * (to.x - from.x);
        InkRow(row, std::min(startX, endX) - reach, std::max(startX, endX) + reach, from, to,
               reach);
    }
}

void InkCanvas::InkRow(int row, double fromX, double toX, Point from, Point to, double reach) {
    int firstColumn = ClampToInt(std::floor(fromX - 0.5), clipLeft_, clipRight_);
    int endColumn = ClampToInt(std::ceil(toX + 0.5), clipLeft_, clipRight_);
    double deltaX = to.x - from.x;
    double deltaY = to.y - from.y;
    double lengthSquared = deltaX * deltaX + deltaY * deltaY;
    double offsetY = row + 0.5 - from.y;
    uint8_t* ink = ink_.data() + size_t(row) * width_;
    for (int column = firstColumn; column < endColumn; ++column) {
        double offsetX = column + 0.5 - from.x;
        double along = 0;
        if (lengthSquared > 0) {
            along = std::clamp((offsetX * deltaX + offsetY * deltaY) / lengthSquared, 0.0, 1.0);
        }
        double awayX = offsetX - along * deltaX;
        double awayY = offsetY - along * deltaY;
        double coverage = (reach - std::sqrt(awayX * awayX + awayY * awayY)) / edgeSoftness_;
        if (coverage <= 0) {
            continue;
        }
        uint8_t value = coverage >= 1 ? 255 : uint8_t(coverage * 255 + 0.5);
        ink[column] = std::max(ink[column], value);
    }
}

void InkCanvas::StrokePolyline(const std::vector<Point>& points, double width, bool closed) {
    for (size_t index = 1; index < points.size(); ++index) {
        StrokeSegment(points[index - 1], points[index], width);
    }
    if (closed && points.size() > 2) {
        StrokeSegment(points.back(), points.front(), width);
        closedOutlines_.push_back({points, width});
    }
}

void InkCanvas::StrokeTapered(const std::vector<Point>& points, double startWidth,
                              double endWidth) {
    size_t segments = points.size() > 1 ? points.size() - 1 : 0;
    for (size_t index = 0; index < segments; ++index) {
        double middle = (index + 0.5) / segments;
        StrokeSegment(points[index], points[index + 1],
                      startWidth + (endWidth - startWidth) * middle);
    }
}

void InkCanvas::Dot(Point center, double diameter) {
    StrokeSegment(center, center, diameter);
}

void InkCanvas::ClearEllipse(Point center, double radiusX, double radiusY) {
    int firstRow = ClampToInt(std::floor(center.y - radiusY), clipTop_, clipBottom_);
    int endRow = ClampToInt(std::ceil(center.y + radiusY), clipTop_, clipBottom_);
    for (int row = firstRow; row < endRow; ++row) {
        double down = (row + 0.5 - center.y) / radiusY;
        if (down * down >= 1) {
            continue;
        }
        double halfSpan = radiusX * std::sqrt(1 - down * down);
        int firstColumn = ClampToInt(std::ceil(center.x - halfSpan - 0.5), clipLeft_, clipRight_);
        int endColumn =
            ClampToInt(std::floor(center.x + halfSpan - 0.5) + 1, clipLeft_, clipRight_);
        uint8_t* ink = ink_.data() + size_t(row) * width_;
        std::fill(ink + firstColumn, ink + std::max(firstColumn, endColumn), uint8_t(0));
    }
}

}  // namespace oxlineart
