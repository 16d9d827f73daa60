// Outlines of simple shapes as point lists, fine enough that their straight
// segments stay within a tenth of a pixel of the true curve.
#pragma once

#include <vector>

#include "tools/samplepage/InkCanvas.h"

namespace oxlineart {

// Closed outlines: the last point joins the first.
std::vector<Point> EllipseOutline(Point center, double radiusX, double radiusY, double rotation);
std::vector<Point> RoundedRectangleOutline(double left, double top, double right, double bottom,
                                           double cornerRadius);
std::vector<Point> StarOutline(Point center, double outerRadius, double innerRadius, int tips,
                               double rotation);
std::vector<Point> RegularPolygonOutline(Point center, double radius, int sides, double rotation);

// Open curves. Angles are in radians, y pointing down.
std::vector<Point> ArcCurve(Point center, double radiusX, double radiusY, double startAngle,
                            double endAngle);
std::vector<Point> CubicCurve(Point start, Point control1, Point control2, Point end);

}  // namespace oxlineart
