// The host toolkit's dialogs and items as plain data: what a plug-in has set
// through the suites and what a face shows. The references the suites hand
// out are the addresses of these objects; DialogToolkit owns them all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ADMTypes.h"

namespace oxhost {

// One call a plug-in made on a drawer, kept so that what was drawn can be
// checked without a display.
struct DrawOperation {
    enum class Kind { ToolkitColor, RgbColor, Outline, Fill };
    Kind kind = Kind::ToolkitColor;
    int32_t color = 0;  // ToolkitColor: the colour code
    RGBColor rgb{};     // RgbColor
    ADMRect rect{};     // Outline, Fill
};
using Drawing = std::vector<DrawOperation>;

// The ids dialog resources give their OK and Cancel buttons; a toolkit
// dialog makes those its default and cancel items.
constexpr int32_t kResourceOkItemId = 1;
constexpr int32_t kResourceCancelItemId = 2;

struct PopupList;

struct ListEntry {
    explicit ListEntry(PopupList& list) : list(list) {}
    PopupList& list;
    int32_t id = 0;
    std::string text;
};

// The entries of a popup; at most one is active, and that one is shown.
struct PopupList {
    std::vector<std::unique_ptr<ListEntry>> entries;
    ListEntry* active = nullptr;
};

struct ItemCallbacks {
    ADMItemDrawProc draw = nullptr;
    ADMItemTrackProc track = nullptr;
    ADMItemNotifyProc notify = nullptr;
    ADMItemDestroyProc destroy = nullptr;
    ADMItemTextToFloatProc textToFloat = nullptr;
    ADMItemFloatToTextProc floatToText = nullptr;
};

struct DialogCallbacks {
    ADMDialogDrawProc draw = nullptr;
    ADMDialogTrackProc track = nullptr;
    ADMDialogNotifyProc notify = nullptr;
    ADMDialogDestroyProc destroy = nullptr;
};

class ToolkitDialog;

class ToolkitItem {
public:
    ToolkitItem(ToolkitDialog& dialog, int32_t id, std::string kind, const ADMRect& bounds);

    // Sets the value kept within [minimum, maximum].
    void SetValue(int32_t newValue);
    void SetMinimum(int32_t newMinimum);
    void SetMaximum(int32_t newMaximum);
    // Check boxes and radio buttons; a radio turned on turns the others of
    // its dialog off.
    void SetOn(bool newOn);
    bool IsRadio() const { return kind == kADMTextRadioButtonType; }
    ADMRect LocalRect() const {
        return {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    }

    ToolkitDialog& dialog;
    const int32_t id;
    const std::string kind;
    ADMRect bounds;
    std::string text;
    std::string tip;
    int32_t value = 0;
    int32_t minimum = INT32_MIN;
    int32_t maximum = INT32_MAX;
    bool on = false;
    bool enabled = true;
    bool visible = true;
    int32_t pictureId = 0;
    int32_t style = 0;
    int32_t units = kADMNoUnits;
    bool allowUnits = false;
    // Mouse releases are tracked unless the plug-in asks otherwise.
    ADMActionMask mask = kADMButtonUpMask;
    ADMUserData userData = nullptr;
    ItemCallbacks callbacks;
    std::unique_ptr<PopupList> list;  // popup list items only
    bool invalid = false;             // marked to be drawn again
    bool destroying = false;          // its destroy callback has been called
    Drawing lastDrawing;              // what the last draw produced
    int32_t drawCount = 0;
};

class ToolkitDialog {
public:
    ToolkitDialog(void* plugin, std::string name, int32_t resourceId);

    // A new item; id 0 takes the next id not in use. Null when the id is in
    // use already.
    ToolkitItem* AddItem(int32_t id, const std::string& kind, const ADMRect& bounds);
    ToolkitItem* FindItem(int32_t id) const;
    // Turns every radio button off except `keep`.
    void ClearRadioGroup(const ToolkitItem* keep);

    void* const plugin;
    const std::string name;
    const int32_t resourceId;
    std::string caption;
    ADMRect localRect{0, 0, 0, 0};
    int32_t defaultItemId = kResourceOkItemId;
    int32_t cancelItemId = kResourceCancelItemId;
    bool modal = false;
    int32_t endedBy = 0;  // the id of the item that ended the dialog; 0 while it runs
    bool destroying = false;
    ADMUserData userData = nullptr;
    DialogCallbacks callbacks;
    std::vector<std::unique_ptr<ToolkitItem>> items;  // in creation order

private:
    int32_t nextGeneratedId = 1000;  // above the ids dialog resources use
};

// Item kinds the toolkit can build.
bool IsKnownItemKind(const std::string& kind);

}  // namespace oxhost
