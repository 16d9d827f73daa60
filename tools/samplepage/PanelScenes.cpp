#include "tools/samplepage/PanelScenes.h"

#include <algorithm>
#include <cmath>

#include "tools/samplepage/Shapes.h"

namespace oxlineart {
namespace {

constexpr double kPi = 3.14159265358979323846;

Point Offset(Point point, double dx, double dy) {
    return {point.x + dx, point.y + dy};
}

void DrawBox(InkCanvas& canvas, const Box& box, double width) {
    canvas.StrokePolyline({{box.left, box.top},
                           {box.right, box.top},
                           {box.right, box.bottom},
                           {box.left, box.bottom}},
                          width, true);
}

// A hill line across the whole panel, tapering from one end to the other.
void DrawHills(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    double horizon = prng.Uniform(0.55, 0.75);
    Point start = panel.At(-0.05, horizon + prng.Uniform(-0.1, 0.1));
    Point end = panel.At(1.05, horizon + prng.Uniform(-0.1, 0.1));
    Point control1 = panel.At(prng.Uniform(0.2, 0.4), horizon - prng.Uniform(0.1, 0.3));
    Point control2 = panel.At(prng.Uniform(0.6, 0.8), horizon + prng.Uniform(0.0, 0.2));
    canvas.StrokeTapered(CubicCurve(start, control1, control2, end), widths.Outline(prng),
                         widths.Detail(prng));
}

void DrawSun(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    Point center = panel.At(prng.Uniform(0.15, 0.85), prng.Uniform(0.15, 0.3));
    double radius = panel.ShortSide() * prng.Uniform(0.07, 0.11);
    canvas.StrokePolyline(EllipseOutline(center, radius, radius, 0), widths.Outline(prng), true);
    int rays = 8 + prng.Below(5);
    double rayWidth = widths.Detail(prng);
    for (int ray = 0; ray < rays; ++ray) {
        double angle = 2 * kPi * ray / rays;
        double inner = radius * 1.3;
        double outer = radius * prng.Uniform(1.6, 2.0);
        canvas.StrokeSegment(Offset(center, inner * std::cos(angle), inner * std::sin(angle)),
                             Offset(center, outer * std::cos(angle), outer * std::sin(angle)),
                             rayWidth);
    }
}

// A house whose roof overhangs the walls, with a door and a window cross.
void DrawHouse(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    double side = panel.ShortSide() * prng.Uniform(0.3, 0.42);
    Point base = panel.At(prng.Uniform(0.3, 0.7), prng.Uniform(0.75, 0.88));
    Box walls{base.x - side / 2, base.y - side * 0.8, base.x + side / 2, base.y};
    double outline = widths.Outline(prng);
    double detail = widths.Detail(prng);
    DrawBox(canvas, walls, outline);
    canvas.StrokePolyline({{walls.left - side * 0.12, walls.top + side * 0.08},
                           {base.x, walls.top - side * 0.45},
                           {walls.right + side * 0.12, walls.top + side * 0.08}},
                          outline, true);
    Box door{base.x - side * 0.1, base.y - side * 0.38, base.x + side * 0.1, base.y};
    canvas.StrokePolyline(
        RoundedRectangleOutline(door.left, door.top, door.right, door.bottom, side * 0.06), detail,
        true);
    Box window{walls.left + side * 0.1, walls.top + side * 0.15, walls.left + side * 0.32,
               walls.top + side * 0.37};
    DrawBox(canvas, window, detail);
    canvas.StrokeSegment(window.At(0.5, -0.1), window.At(0.5, 1.1), detail);
    canvas.StrokeSegment(window.At(-0.1, 0.5), window.At(1.1, 0.5), detail);
}

void DrawLandscape(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    DrawHills(canvas, panel, widths, prng);
    DrawSun(canvas, panel, widths, prng);
    DrawHouse(canvas, panel, widths, prng);
}

void DrawEye(InkCanvas& canvas, Point center, double size, const StrokeWidths& widths, Prng& prng) {
    canvas.StrokePolyline(EllipseOutline(center, size * 0.8, size, 0), widths.Detail(prng), true);
    double pupil = std::min(size * 0.9, 3 * widths.thickest);
    canvas.Dot(Offset(center, prng.Uniform(-0.2, 0.2) * size, size * 0.25), pupil);
}

// A face with ears, eyes, nose, mouth and hair over a body with crossing arms.
void DrawCharacter(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    double headX = panel.ShortSide() * prng.Uniform(0.16, 0.22);
    double headY = headX * prng.Uniform(1.0, 1.2);
    Point head = panel.At(prng.Uniform(0.35, 0.65), 0.42);
    double outline = widths.Outline(prng);

    Box body{head.x - headX * 1.3, head.y + headY * 0.9, head.x + headX * 1.3,
             panel.bottom + headY};
    canvas.StrokePolyline(
        RoundedRectangleOutline(body.left, body.top, body.right, body.bottom, headX * 0.6), outline,
        true);
    for (int ear : {-1, 1}) {
        canvas.StrokePolyline(
            EllipseOutline(Offset(head, ear * headX * 0.95, 0), headX * 0.25, headY * 0.3, 0),
            widths.Detail(prng), true);
    }
    canvas.StrokePolyline(EllipseOutline(head, headX, headY, prng.Uniform(-0.15, 0.15)), outline,
                          true);

    double eyeSize = headY * 0.2;
    DrawEye(canvas, Offset(head, -headX * 0.38, -headY * 0.15), eyeSize, widths, prng);
    DrawEye(canvas, Offset(head, headX * 0.38, -headY * 0.15), eyeSize, widths, prng);
    double detail = widths.Detail(prng);
    canvas.StrokePolyline(
        {Offset(head, 0, -headY * 0.05), Offset(head, -headX * 0.12, headY * 0.22),
         Offset(head, headX * 0.05, headY * 0.25)},
        detail, false);
    canvas.StrokePolyline(
        ArcCurve(Offset(head, 0, headY * 0.2), headX * 0.45, headY * 0.4, 0.2 * kPi, 0.8 * kPi),
        detail, false);
    for (int strand = 0; strand < 5; ++strand) {
        double across = -0.8 + 0.4 * strand;
        Point root = Offset(head, across * headX, -headY * 1.25);
        Point tip = Offset(head, (across + prng.Uniform(-0.3, 0.3)) * headX, -headY * 0.55);
        canvas.StrokeTapered(CubicCurve(root, Offset(root, headX * 0.3, headY * 0.1),
                                        Offset(tip, -headX * 0.2, -headY * 0.2), tip),
                             outline, widths.Detail(prng));
    }
    for (int arm : {-1, 1}) {
        Point shoulder = Offset(head, arm * headX * 1.15, headY * 1.35);
        Point hand = Offset(head, -arm * headX * 0.55, headY * 2.1);
        canvas.StrokeTapered(CubicCurve(shoulder, Offset(shoulder, arm * headX * 0.1, headY * 0.6),
                                        Offset(hand, arm * headX * 0.5, headY * 0.1), hand),
                             outline, widths.Detail(prng));
    }
}

// Overlapping outlines on a table edge: every overlap cuts more closed areas.
void DrawStillLife(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    canvas.StrokeSegment(panel.At(-0.05, prng.Uniform(0.6, 0.75)),
                         panel.At(1.05, prng.Uniform(0.6, 0.75)), widths.Outline(prng));
    int objects = 3 + prng.Below(4);
    for (int object = 0; object < objects; ++object) {
        Point center = panel.At(prng.Uniform(0.2, 0.8), prng.Uniform(0.25, 0.75));
        double size = panel.ShortSide() * prng.Uniform(0.1, 0.22);
        double rotation = prng.Uniform(0, kPi);
        double width = prng.Chance(0.5) ? widths.Outline(prng) : widths.Detail(prng);
        switch (prng.Below(4)) {
            case 0:
                canvas.StrokePolyline(
                    EllipseOutline(center, size, size * prng.Uniform(0.5, 1.0), rotation), width,
                    true);
                break;
            case 1:
                canvas.StrokePolyline(StarOutline(center, size, size * 0.45, 5, rotation), width,
                                      true);
                break;
            case 2:
                canvas.StrokePolyline(
                    RegularPolygonOutline(center, size, 3 + prng.Below(4), rotation), width, true);
                break;
            default:
                canvas.StrokePolyline(
                    RoundedRectangleOutline(center.x - size, center.y - size * 0.6, center.x + size,
                                            center.y + size * 0.6, size * 0.2),
                    width, true);
                break;
        }
    }
}

// Lines from a vanishing point past rows of windows.
void DrawStreet(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, Prng& prng) {
    Point vanishing = panel.At(prng.Uniform(0.3, 0.7), prng.Uniform(0.3, 0.45));
    int rays = 6 + prng.Below(5);
    double rayWidth = widths.Detail(prng);
    for (int ray = 0; ray < rays; ++ray) {
        double angle = prng.Uniform(0.05, 0.95) * kPi;
        double reach = panel.Width() + panel.Height();
        canvas.StrokeSegment(vanishing,
                             Offset(vanishing, reach * std::cos(angle), reach * std::sin(angle)),
                             rayWidth);
    }
    for (int side : {0, 1}) {
        Box building = side == 0 ? Box{panel.left - 10, panel.At(0, 0.2).y,
                                       panel.At(prng.Uniform(0.15, 0.3), 0).x, panel.bottom + 10}
                                 : Box{panel.At(prng.Uniform(0.7, 0.85), 0).x, panel.At(0, 0.15).y,
                                       panel.right + 10, panel.bottom + 10};
        DrawBox(canvas, building, widths.Outline(prng));
        double detail = widths.Detail(prng);
        for (double down = 0.1; down < 0.9; down += 0.2) {
            DrawBox(canvas,
                    {building.At(0.2, down).x, building.At(0, down).y, building.At(0.8, down).x,
                     building.At(0, down + 0.1).y},
                    detail);
            canvas.StrokeSegment(building.At(0.5, down - 0.02), building.At(0.5, down + 0.12),
                                 detail);
        }
    }
}

// An opaque balloon with a tail that crosses its outline, and scribbled lines
// of text.
void DrawSpeechBalloon(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths,
                       Prng& prng) {
    bool onLeft = prng.Chance(0.5);
    Point center = panel.At(onLeft ? prng.Uniform(0.17, 0.22) : prng.Uniform(0.78, 0.83), 0.16);
    double radiusX = panel.Width() * prng.Uniform(0.12, 0.15);
    double radiusY = panel.Height() * prng.Uniform(0.08, 0.1);
    double outline = widths.Outline(prng);
    canvas.ClearEllipse(center, radiusX, radiusY);
    canvas.StrokePolyline(EllipseOutline(center, radiusX, radiusY, 0), outline, true);
    Point tip = Offset(center, radiusX * (onLeft ? 0.6 : -0.6), radiusY * 2.2);
    canvas.StrokePolyline({Offset(center, -radiusX * 0.2, radiusY * 0.6), tip,
                           Offset(center, radiusX * 0.15, radiusY * 0.65)},
                          outline, false);
    double detail = widths.Detail(prng);
    for (double down : {-0.35, 0.0, 0.35}) {
        double half = radiusX * prng.Uniform(0.4, 0.65) * (1 - std::fabs(down));
        canvas.StrokeSegment(Offset(center, -half, down * radiusY),
                             Offset(center, half, down * radiusY), detail);
    }
}

}  // namespace

void DrawPanel(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, int sceneNumber,
               Prng& prng) {
    double border = widths.Border(prng);
    canvas.StrokePolyline(RoundedRectangleOutline(panel.left, panel.top, panel.right, panel.bottom,
                                                  panel.ShortSide() * 0.04),
                          border, true);
    Box inside = panel.Inset(border / 2);
    canvas.SetClip(inside.left, inside.top, inside.right, inside.bottom);
    switch (sceneNumber % 4) {
        case 0:
            DrawLandscape(canvas, panel, widths, prng);
            break;
        case 1:
            DrawCharacter(canvas, panel, widths, prng);
            break;
        case 2:
            DrawStillLife(canvas, panel, widths, prng);
            break;
        default:
            DrawStreet(canvas, panel, widths, prng);
            break;
    }
    if (prng.Chance(0.5)) {
        DrawSpeechBalloon(canvas, panel, widths, prng);
    }
    canvas.ClearClip();
}

}  // namespace oxlineart
