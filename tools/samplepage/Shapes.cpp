#include "tools/samplepage/Shapes.h"

#include <algorithm>
#include <cmath>

namespace oxlineart {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFlatness = 0.1;  // largest gap between a chord and its arc, in pixels

// Segments for an arc of `angle` radians so that no chord strays from the
// curve by more than kFlatness.
int SegmentsForArc(double radius, double angle) {
    if (radius <= kFlatness) {
        return 4;
    }
    double stepAngle = 2 * std::acos(1 - kFlatness / radius);
    return std::clamp(int(std::ceil(std::fabs(angle) / stepAngle)), 4, 20000);
}

Point Rotated(Point offset, double rotation) {
    double cosine = std::cos(rotation);
    double sine = std::sin(rotation);
    return {offset.x * cosine - offset.y * sine, offset.x * sine + offset.y * cosine};
}

}  // namespace

std::vector<Point> ArcCurve(Point center, double radiusX, double radiusY, double startAngle,
                            double endAngle) {
    int segments = SegmentsForArc(std::max(radiusX, radiusY), endAngle - startAngle);
    std::vector<Point> points;
    points.reserve(segments + 1);
    for (int index = 0; index <= segments; ++index) {
        double angle = startAngle + (endAngle - startAngle) * index / segments;
        points.push_back(
            {center.x + radiusX * std::cos(angle), center.y + radiusY * std::sin(angle)});
    }
    return points;
}

std::vector<Point> EllipseOutline(Point center, double radiusX, double radiusY, double rotation) {
    std::vector<Point> points = ArcCurve({0, 0}, radiusX, radiusY, 0, 2 * kPi);
    points.pop_back();  // the closing segment returns to the first point
    for (Point& point : points) {
        Point turned = Rotated(point, rotation);
        point = {center.x + turned.x, center.y + turned.y};
    }
    return points;
}

std::vector<Point> RoundedRectangleOutline(double left, double top, double right, double bottom,
                                           double cornerRadius) {
    double radius = std::min({cornerRadius, (right - left) / 2, (bottom - top) / 2});
    struct Corner {
        Point center;
        double startAngle;
    };
    const Corner corners[] = {{{right - radius, top + radius}, -kPi / 2},
                              {{right - radius, bottom - radius}, 0},
                              {{left + radius, bottom - radius}, kPi / 2},
                              {{left + radius, top + radius}, kPi}};
    std::vector<Point> points;
    for (const Corner& corner : corners) {
        std::vector<Point> arc =
            ArcCurve(corner.center, radius, radius, corner.startAngle, corner.startAngle + kPi / 2);
        points.insert(points.end(), arc.begin(), arc.end());
    }
    return points;
}

std::vector<Point> StarOutline(Point center, double outerRadius, double innerRadius, int tips,
                               double rotation) {
    std::vector<Point> points;
    for (int index = 0; index < 2 * tips; ++index) {
        double radius = index % 2 == 0 ? outerRadius : innerRadius;
        double angle = rotation - kPi / 2 + kPi * index / tips;
        points.push_back(
            {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)});
    }
    return points;
}

std::vector<Point> RegularPolygonOutline(Point center, double radius, int sides, double rotation) {
    std::vector<Point> points;
    for (int index = 0; index < sides; ++index) {
        double angle = rotation - kPi / 2 + 2 * kPi * index / sides;
        points.push_back(
            {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)});
    }
    return points;
}

std::vector<Point> CubicCurve(Point start, Point control1, Point control2, Point end) {
    // The control polygon is longer than the curve; a step of two pixels
    // along it keeps chords close to a gently bent curve.
    auto distance = [](Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); };
    double polygonLength =
        distance(start, control1) + distance(control1, control2) + distance(control2, end);
    int segments = std::clamp(int(polygonLength / 2), 8, 20000);
    std::vector<Point> points;
    points.reserve(segments + 1);
    for (int index = 0; index <= segments; ++index) {
        double t = double(index) / segments;
        double u = 1 - t;
        double a = u * u * u;
        double b = 3 * u * u * t;
        double c = 3 * u * t * t;
        double d = t * t * t;
        points.push_back({a * start.x + b * control1.x + c * control2.x + d * end.x,
                          a * start.y + b * control1.y + c * control2.y + d * end.y});
    }
    return points;
}

}  // namespace oxlineart
