#include "TintfloodDialog.h"

#include <algorithm>
#include <cstring>

#include "DialogSuites.h"
#include "VendorSite.h"

namespace {

const ADMItemSuite& Items() {
    return *DialogSuites.item;
}

}  // namespace

bool CTintfloodDialog::Run() {
    return Modal(pluginRef, "CTintfloodDialog", kOptionsDialogId, kADMModalDialogStyle, 0) ==
           kOptionsOkItemId;
}

void CTintfloodDialog::Destroying() {
    // The swatches have been deleted with their items; nothing here may
    // reach the toolkit's items any more.
    paletteMenu = nullptr;
    paletteList = nullptr;
    toleranceEdit = nullptr;
    joinSizeEdit = nullptr;
    flagSizeEdit = nullptr;
    flagSwatch = nullptr;
    fillSwatch = nullptr;
    joinCheck = nullptr;
    flagCheck = nullptr;
    byDimensionsRadio = nullptr;
    byAreaRadio = nullptr;
    siteButton = nullptr;
}

void CTintfloodDialog::UpdateEnabling() {
    if (joinCheck == nullptr || flagCheck == nullptr || byAreaRadio == nullptr ||
        byDimensionsRadio == nullptr || flagSizeEdit == nullptr || joinSizeEdit == nullptr) {
        return;
    }
    const bool join = Items().GetBooleanValue(joinCheck) != 0;
    const bool flag = Items().GetBooleanValue(flagCheck) != 0;
    Items().Enable(byAreaRadio, join || flag);
    Items().Enable(byDimensionsRadio, join || flag);
    Items().Enable(joinSizeEdit, join);
    Items().Enable(flagSizeEdit, flag);
    if (flagSwatch != nullptr) {
        Items().Enable(flagSwatch->Item(), flag);
    }
}

bool CTintfloodDialog::IsItem(ADMItemRef notified, ADMItemRef control) const {
    return control != nullptr && notified != nullptr &&
           Items().GetID(notified) == Items().GetID(control);
}

void CTintfloodDialog::Notify(ADMNotifierRef notifier) {
    CDialogWrapper::Notify(notifier);
    const ADMNotifierSuite& notifiers = *DialogSuites.notifier;
    ADMItemRef item = notifiers.GetItem(notifier);
    if (notifiers.IsNotifierType(notifier, kADMUserChangedNotifier)) {
        if (IsItem(item, joinCheck) || IsItem(item, flagCheck)) {
            UpdateEnabling();
        } else if (IsItem(item, siteButton) && DialogSuites.fileList != nullptr &&
                   DialogSuites.fileList->BrowseUrl != nullptr) {
            DialogSuites.fileList->BrowseUrl(kVendorSiteAddress);  // a failure is not reported
        }
    }
    if (notifiers.IsNotifierType(notifier, kADMDeactivateWindowNotifier)) {
        SaveToSettings();
    }
}

void CTintfloodDialog::SaveToSettings() {
    if (settings == nullptr || toleranceEdit == nullptr) {
        return;
    }
    if (fillSwatch != nullptr) {
        settings->fillColor = fillSwatch->color;
    }
    if (flagSwatch != nullptr) {
        settings->flagColor = flagSwatch->color;
    }
    settings->tolerance = uint16_t(Items().GetIntValue(toleranceEdit));
    settings->measureArea = Items().GetBooleanValue(byAreaRadio) != 0 ? 1 : 0;
    settings->flagAreas = Items().GetBooleanValue(flagCheck) != 0 ? 1 : 0;
    settings->flagSize = uint32_t(Items().GetIntValue(flagSizeEdit));
    settings->joinAreas = Items().GetBooleanValue(joinCheck) != 0 ? 1 : 0;
    settings->joinSize = uint32_t(Items().GetIntValue(joinSizeEdit));

    ADMEntryRef active =
        paletteList != nullptr ? DialogSuites.list->GetActiveEntry(paletteList) : nullptr;
    const int32_t chosen = active != nullptr ? DialogSuites.entry->GetID(active) : -1;
    if (!paletteNames.empty() && chosen >= 0 && size_t(chosen) < paletteNames.size()) {
        const std::string& name = paletteNames[size_t(chosen)];
        const size_t length = std::min(name.size(), size_t(kPaletteFileSize) - 1);
        settings->randomColors = 0;
        std::memset(settings->paletteFile, 0, sizeof(settings->paletteFile));
        std::memcpy(settings->paletteFile, name.data(), length);
    } else {
        settings->randomColors = 1;
    }
}
