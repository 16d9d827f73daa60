// Building the options dialog: the shell's size and buttons, the nineteen
// controls in their order, the palette menu, and the record read into them.
#include <string>

#include "DialogSuites.h"
#include "TintfloodDialog.h"
#include "VendorSite.h"

namespace {

const ADMItemSuite& Items() {
    return *DialogSuites.item;
}

const std::string kSiteTip = std::string("Go to ") + kVendorSiteName;

}  // namespace

SPErr CTintfloodDialog::Init() {
    CDialogWrapper::Init();
    PlaceButtons();
    CreateControls();
    FillPaletteMenu();
    if (settings != nullptr) {
        ReadFromSettings();
    }
    UpdateEnabling();
    return kSPNoError;
}

void CTintfloodDialog::PlaceButtons() {
    const ADMDialogSuite& dialogs = *DialogSuites.dialog;
    const ADMRect whole{0, 0, 330, 300};
    dialogs.SetLocalRect(Dialog(), &whole);
    const ADMRect okBounds{250, 260, 310, 280};
    const ADMRect cancelBounds{178, 260, 238, 280};
    Items().SetBoundsRect(dialogs.GetItem(Dialog(), dialogs.GetDefaultItemID(Dialog())), &okBounds);
    Items().SetBoundsRect(dialogs.GetItem(Dialog(), dialogs.GetCancelItemID(Dialog())),
                          &cancelBounds);
}

ADMItemRef CTintfloodDialog::MakeItem(const char* type, const ADMRect& bounds, const char* text,
                                      const char* tip) {
    ADMItemRef item = DialogSuites.dialog->CreateItem(Dialog(), kADMUniqueItemID, type, &bounds,
                                                      nullptr, nullptr, 0);
    if (item != nullptr && text != nullptr) {
        Items().SetText(item, text);
    }
    if (item != nullptr && tip != nullptr) {
        Items().SetTipString(item, tip);
    }
    return item;
}

ADMItemRef CTintfloodDialog::MakeNumberField(const ADMRect& bounds, int32_t maximum, int32_t value,
                                             int32_t units, const char* tip) {
    ADMItemRef field = MakeItem(kADMTextEditType, bounds, nullptr, tip);
    if (field != nullptr) {
        Items().SetMinIntValue(field, 0);
        Items().SetMaxIntValue(field, maximum);
        Items().SetIntValue(field, value);
        Items().SetUnits(field, units);
        Items().SetAllowUnits(field, units != kADMNoUnits);
    }
    return field;
}

CColorSwatch* CTintfloodDialog::MakeSwatch(const ADMRect& bounds, const RGBColor16& color,
                                           const char* tip) {
    ADMItemRef item = MakeItem(kADMUserType, bounds, nullptr, tip);
    if (item == nullptr) {
        return nullptr;
    }
    // The item owns the swatch from here on; its destroy callback deletes it.
    auto* swatch = new CColorSwatch(item);
    swatch->color = color;
    return swatch;
}

void CTintfloodDialog::CreateControls() {
    fillSwatch = MakeSwatch({135, 20, 163, 48}, {65535, 65535, 65535},
                            "Select color to replace with Tintflood");
    flagSwatch =
        MakeSwatch({282, 142, 310, 170}, {65535, 0, 65535}, "Select color for flagged area's");
    MakeItem(kADMTextStaticType, {20, 27, 130, 43}, "Tintflooded Color:");
    MakeItem(kADMTextStaticType, {170, 27, 240, 43}, "Tolerance:");
    MakeItem(kADMTextStaticType, {76, 267, 156, 280}, kVendorSiteName);
    MakeItem(kADMTextStaticType, {20, 59, 110, 75}, "Color Palette:");
    MakeItem(kADMTextStaticType, {20, 175, 127, 191}, "Measure size by:");
    MakeItem(kADMTextStaticType, {230, 149, 270, 165}, "Color:");
    siteButton = MakeItem(kADMPicturePushButtonType, {20, 232, 68, 280}, nullptr, kSiteTip.c_str());
    if (siteButton != nullptr) {
        Items().SetPictureID(siteButton, kSiteButtonPictureId);
    }
    toleranceEdit = MakeNumberField({247, 24, 310, 44}, 100, 0, kADMNoUnits,
                                    "Increase Tolerance if Tintflood does not find the desired "
                                    "area's.");
    joinSizeEdit = MakeNumberField({135, 115, 220, 135}, 10000, 10, kADMPixelUnits,
                                   "Area's up to this size will be joined in the same color as "
                                   "the nearest normal area");
    flagSizeEdit = MakeNumberField({135, 147, 220, 167}, 10000, 20, kADMPixelUnits,
                                   "Flag area size in pixels");
    for (const ADMRect& line : {ADMRect{20, 96, 310, 97}, ADMRect{20, 220, 310, 221}}) {
        if (ADMItemRef separator = MakeItem(kADMFrameType, line)) {
            Items().SetItemStyle(separator, kADMEtchedFrameStyle);
        }
    }
    byDimensionsRadio = MakeItem(kADMTextRadioButtonType, {135, 197, 270, 211}, "Height & Width",
                                 "Select area's with x and y size smaller than selected size");
    byAreaRadio = MakeItem(kADMTextRadioButtonType, {135, 177, 270, 191}, "Area",
                           "Select area's with pixel count smaller than selected size");
    if (byAreaRadio != nullptr && byDimensionsRadio != nullptr) {
        Items().SetBooleanValue(byAreaRadio, 1);
        Items().SetBooleanValue(byDimensionsRadio, 0);
    }
    joinCheck = MakeItem(kADMTextCheckBoxType, {20, 115, 127, 135}, "Join Areas <=");
    flagCheck = MakeItem(kADMTextCheckBoxType, {20, 147, 127, 167}, "Flag Areas <=");
    paletteMenu = MakeItem(kADMPopupListType, {135, 56, 310, 76}, nullptr,
                           "Select color pallete used for filling");
    paletteList = paletteMenu != nullptr ? Items().GetList(paletteMenu) : nullptr;
}

void CTintfloodDialog::FillPaletteMenu() {
    if (paletteList == nullptr) {
        return;
    }
    const ADMListSuite& lists = *DialogSuites.list;
    const ADMEntrySuite& entries = *DialogSuites.entry;
    const std::string saved = settings != nullptr ? settings->paletteFile : "";
    const bool random = settings != nullptr && settings->randomColors != 0;
    const int32_t count = int32_t(paletteNames.size());
    for (int32_t i = 0; i < count; ++i) {
        ADMEntryRef entry = lists.InsertEntry(paletteList, i);
        entries.SetID(entry, i);
        entries.SetText(entry, paletteNames[size_t(i)].c_str());
        if (i == 0 || paletteNames[size_t(i)] == saved) {
            entries.Select(entry, 1);
        }
    }
    ADMEntryRef randomEntry = lists.InsertEntry(paletteList, count);
    entries.SetID(randomEntry, count);
    entries.SetText(randomEntry, "Random Colors");
    if (count == 0 || random) {
        entries.Select(randomEntry, 1);
    }
    Items().Update(paletteMenu);
}

void CTintfloodDialog::ReadFromSettings() {
    if (fillSwatch != nullptr) {
        fillSwatch->color = settings->fillColor;
    }
    if (flagSwatch != nullptr) {
        flagSwatch->color = settings->flagColor;
    }
    Items().SetIntValue(toleranceEdit, settings->tolerance);
    Items().SetBooleanValue(byAreaRadio, settings->measureArea != 0);
    Items().SetBooleanValue(byDimensionsRadio, settings->measureArea == 0);
    Items().SetBooleanValue(flagCheck, settings->flagAreas != 0);
    Items().SetIntValue(flagSizeEdit, int32_t(settings->flagSize));
    Items().SetBooleanValue(joinCheck, settings->joinAreas != 0);
    Items().SetIntValue(joinSizeEdit, int32_t(settings->joinSize));
}
