// The FLTK widget of each kind of toolkit item. A widget shows what the model
// holds and hands every user action to an ItemActions; it never changes the
// model itself, so both faces share one set of rules (DialogSession).
#pragma once

#include <cstdint>
#include <string>

#include "host/dialog/DialogModel.h"

class Fl_Image;
class Fl_Widget;

namespace oxhost {

// What a widget asks of the face when the user acts on it.
class ItemActions {
public:
    virtual ~ItemActions() = default;
    // A button, check box or radio button was pressed, or the mouse was
    // released over a user item.
    virtual void Clicked(ToolkitItem& item) = 0;
    // A number was typed into a number field; `text` is what the field holds.
    virtual void Typed(ToolkitItem& item, const char* text) = 0;
    // Entry `index` of a popup list was chosen.
    virtual void Chosen(ToolkitItem& item, int32_t index) = 0;
    // The plug-in's drawing of a user item, made now.
    virtual const Drawing& Drawn(ToolkitItem& item) = 0;
};

// The text size of every item's widget, in pixels.
constexpr int kItemTextSize = 12;

// Makes the widget of `item` at its bounds in the current FLTK group, which
// owns it. `picture` (may be null, not owned, must outlive the widget) is
// shown by a picture button; `isDefault` marks the button Enter presses.
Fl_Widget* MakeItemWidget(ToolkitItem& item, ItemActions& actions, const Fl_Image* picture,
                          bool isDefault);

// Brings the widget in line with the model: text, value, checked state,
// popup entries, enabling, visibility, tooltip; user items whose plug-in
// asked for a redraw are redrawn.
void ShowItemState(Fl_Widget& widget, ToolkitItem& item);

// What kind of widget MakeItemWidget made: "button", "check box", "radio
// button", "number field", "popup", "frame", "user item" or "text".
const char* WidgetKindOf(const Fl_Widget& widget);

// What the widget shows: its label, number or chosen popup entry.
std::string ShownTextOf(const Fl_Widget& widget);

// Replays the plug-in's drawing onto FLTK, item-local rectangles placed at
// (x, y). Toolkit colours: 0 black, 1 white, 7 the disabled grey.
void ReplayDrawing(const Drawing& drawing, int x, int y);

}  // namespace oxhost
