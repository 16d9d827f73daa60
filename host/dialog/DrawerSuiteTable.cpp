// "ADM Drawer Suite" 3, every slot in the published order. A drawer
// reference is the address of the toolkit's record of one draw callback:
// the calls are kept as operations, so that what was drawn can be shown by
// a face or checked without a display.
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/NotServed.h"
#include "host/dialog/ToolkitSuites.h"

namespace oxhost {
namespace {

void Record(ADMDrawerRef drawer, const DrawOperation& operation) {
    if (drawer != nullptr) {
        reinterpret_cast<DrawContext*>(drawer)->operations.push_back(operation);
    }
}

void HOSTAPI_CALL SetADMColor(ADMDrawerRef drawer, int32_t color) {
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::ToolkitColor;
    operation.color = color;
    Record(drawer, operation);
}

void HOSTAPI_CALL SetRGBColor(ADMDrawerRef drawer, const RGBColor* color) {
    if (color == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::RgbColor;
    operation.rgb = *color;
    Record(drawer, operation);
}

void HOSTAPI_CALL DrawRect(ADMDrawerRef drawer, const ADMRect* rect) {
    if (rect == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::Outline;
    operation.rect = *rect;
    Record(drawer, operation);
}

void HOSTAPI_CALL FillRect(ADMDrawerRef drawer, const ADMRect* rect) {
    if (rect == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::Fill;
    operation.rect = *rect;
    Record(drawer, operation);
}

const ADMDrawerSuite drawerSuite = {
    NotServed,                                     // 0 GetPortRef
    NotServed,                                     // 1 Clear
    NotServed,                                     // 2 GetBoundsRect
    NotServed,                                     // 3 GetClipRect
    NotServed,                                     // 4 SetClipRect
    NotServed,                                     // 5 IntersectClipRect
    NotServed,                                     // 6 UnionClipRect
    NotServed,                                     // 7 SubtractClipRect
    {NotServed, NotServed, NotServed, NotServed},  // 8-11 clip polygons
    NotServed,                                     // 12 GetOrigin
    NotServed,                                     // 13 SetOrigin
    NotServed,                                     // 14 GetRGBColor
    SetRGBColor,                                   // 15
    NotServed,                                     // 16 GetADMColor
    SetADMColor,                                   // 17
    NotServed,                                     // 18 GetDrawMode
    NotServed,                                     // 19 SetDrawMode
    NotServed,                                     // 20 GetFont
    NotServed,                                     // 21 SetFont
    NotServed,                                     // 22 DrawLine
    NotServed,                                     // 23 DrawPolygon
    NotServed,                                     // 24 FillPolygon
    DrawRect,                                      // 25
    FillRect,                                      // 26
    NotServed,                                     // 27 ClearRect
    NotServed,                                     // 28 DrawSunkenRect
    NotServed,                                     // 29 DrawRaisedRect
    NotServed,                                     // 30 InvertRect
    NotServed,                                     // 31 DrawOval
    NotServed,                                     // 32 FillOval
    NotServed,                                     // 33 GetAGMPort
    NotServed,                                     // 34 DrawAGMImage
    NotServed,                                     // 35 DrawResPicture
    NotServed,                                     // 36 DrawResPictureCentered
    {NotServed, NotServed},                        // 37-38 recoloured pictures
    {NotServed, NotServed, NotServed, NotServed},  // 39-42 icons
    NotServed,                                     // 43 GetResPictureBounds
    NotServed,                                     // 44 GetTextWidth
    NotServed,                                     // 45 GetFontInfo
    NotServed,                                     // 46 DrawText
    NotServed,                                     // 47 DrawTextLeft
    NotServed,                                     // 48 DrawTextCentered
    NotServed,                                     // 49 DrawTextRight
    {NotServed, NotServed, NotServed, NotServed},  // 50-53 arrows
    NotServed,                                     // 54 Create
    NotServed,                                     // 55 Destroy
    NotServed,                                     // 56 DrawADMImage
    NotServed,                                     // 57 DrawADMImageCentered
    NotServed,                                     // 58 GetADMWindowPort
    NotServed,                                     // 59 ReleaseADMWindowPort
    NotServed,                                     // 60 GetThisFontInfo
    NotServed,                                     // 61 DrawTextInABox
    NotServed,                                     // 62 GetUpdateRect
};

}  // namespace

const ADMDrawerSuite* DrawerSuiteTable() {
    return &drawerSuite;
}

}  // namespace oxhost
