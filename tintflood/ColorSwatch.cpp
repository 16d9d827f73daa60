#include "ColorSwatch.h"

#include "DialogSuites.h"
#include "PluginGlobals.h"
#include "PluginObject.h"

namespace {

ADMRect Shrunk(const ADMRect& rect, int32_t by) {
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

}  // namespace

CColorSwatch::~CColorSwatch() {
    if (item != nullptr && DialogSuites.item != nullptr) {
        DialogSuites.item->SetMask(item, 0);
    }
}

SPErr CColorSwatch::Init() {
    const SPErr result = CItemWrapper::Init();
    DialogSuites.item->SetMask(item, DialogSuites.item->GetMask(item) | kADMButtonUpMask);
    return result;
}

void CColorSwatch::Draw(ADMDrawerRef drawer) {
    const ADMDrawerSuite* drawerSuite = DialogSuites.drawer;
    ADMRect rect{0, 0, 0, 0};
    DialogSuites.item->GetLocalRect(item, &rect);
    const bool enabled = DialogSuites.item->IsEnabled(item) != 0;
    drawerSuite->SetADMColor(drawer, enabled ? kADMBlackColor : kADMDisabledColor);
    drawerSuite->DrawRect(drawer, &rect);
    drawerSuite->SetADMColor(drawer, kADMWhiteColor);
    rect = Shrunk(rect, 1);
    drawerSuite->DrawRect(drawer, &rect);
    rect = Shrunk(rect, 1);
    drawerSuite->SetRGBColor(drawer, &color);
    drawerSuite->FillRect(drawer, &rect);
}

bool CColorSwatch::Track(ADMTrackerRef tracker) {
    const bool result = CItemWrapper::Track(tracker);
    if (DialogSuites.tracker->GetAction(tracker) == kADMButtonUpAction) {
        return true;
    }
    return result;
}

void CColorSwatch::Notify(ADMNotifierRef notifier) {
    CItemWrapper::Notify(notifier);
    if (!DialogSuites.notifier->IsNotifierType(notifier, kADMUserChangedNotifier)) {
        return;
    }
    PluginObject* plugin = CurrentPlugin();
    // The picker starts from the swatch's own colour.
    uint8_t picked[4] = {uint8_t(color.red >> 8), uint8_t(color.green >> 8),
                         uint8_t(color.blue >> 8), 0};
    if (plugin == nullptr || !plugin->PickColor(picked, /*resultInRGB=*/true)) {
        return;
    }
    color.red = uint16_t(picked[0] * 256);
    color.green = uint16_t(picked[1] * 256);
    color.blue = uint16_t(picked[2] * 256);
    DialogSuites.item->Invalidate(item);
}
