// A native box as the host lays it out: the items of a dialog template with
// their bounds converted from dialog units to pixels.
//
// Dialog units are fractions of the font's average character: a quarter of
// its width horizontally, an eighth of its height vertically. The host draws
// every box in one font of 6 x 13 px average cell (what "MS Sans Serif" 8
// gives on a 96 dpi screen), so x px = x du * 6 / 4 and y px = y du * 13 / 8,
// rounded to the nearest pixel. A 189 x 120 du box is 284 x 195 px.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/platform/linux/DialogTemplate.h"

namespace oxhost {

constexpr int kDialogBaseUnitWidth = 6;
constexpr int kDialogBaseUnitHeight = 13;

enum class BoxItemKind { PushButton, StaticText, Other };

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct BoxItem {
    int32_t id = 0;
    BoxItemKind kind = BoxItemKind::Other;
    bool visible = true;
    bool enabled = true;
    std::string text;  // Windows-1252 bytes, as the plug-in gives them
    PixelRect bounds;  // in the box's inner coordinates
};

struct BoxLayout {
    int width = 0;  // inner area, pixels
    int height = 0;
    std::string caption;
    bool hasSystemMenu = false;
    std::vector<BoxItem> items;
};

int HorizontalPixels(int dialogUnits);
int VerticalPixels(int dialogUnits);

BoxLayout LayOutBox(const oxres::DialogTemplate& dialog);

}  // namespace oxhost
