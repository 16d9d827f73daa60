// Tintflood's options dialog: every field of a TintfloodSettings record on
// controls made in code over the dialog shell 16001. The record is written
// back whenever the dialog loses activation, closing included, so it holds
// the controls' last state when Run returns; the owner keeps it or not.
#pragma once

#include <string>
#include <vector>

#include "ColorSwatch.h"
#include "DialogWrapper.h"
#include "TintfloodSettings.h"

constexpr int32_t kOptionsDialogId = 16001;
// The OK button of dialog 16001: Modal returns its id when OK ends the dialog.
constexpr int32_t kOptionsOkItemId = 1;
constexpr int32_t kSiteButtonPictureId = 16009;

class CTintfloodDialog : public CDialogWrapper {
public:
    explicit CTintfloodDialog(void* pluginRef) : pluginRef(pluginRef) {}

    // The record to edit in place; not owned, and must outlive Run.
    void SetSettings(TintfloodSettings* record) { settings = record; }
    // Runs the dialog modally; true when it ended with OK.
    bool Run();

    SPErr Init() override;
    void Notify(ADMNotifierRef notifier) override;
    // The toolkit's items are going: the controls are forgotten.
    void Destroying() override;
    // Size fields, measure radios and the flag swatch follow the two check boxes.
    void UpdateEnabling();

    // Swatch file names offered before "Random Colors", in order; the owner
    // fills it before Run.
    std::vector<std::string> paletteNames;

private:
    ADMItemRef MakeItem(const char* type, const ADMRect& bounds, const char* text = nullptr,
                        const char* tip = nullptr);
    ADMItemRef MakeNumberField(const ADMRect& bounds, int32_t maximum, int32_t value, int32_t units,
                               const char* tip);
    CColorSwatch* MakeSwatch(const ADMRect& bounds, const RGBColor16& color, const char* tip);
    void PlaceButtons();
    void CreateControls();
    void FillPaletteMenu();
    void ReadFromSettings();
    void SaveToSettings();
    bool IsItem(ADMItemRef notified, ADMItemRef control) const;

    void* pluginRef;
    ADMItemRef paletteMenu = nullptr;
    ADMListRef paletteList = nullptr;
    ADMItemRef toleranceEdit = nullptr;
    ADMItemRef joinSizeEdit = nullptr;
    ADMItemRef flagSizeEdit = nullptr;
    CColorSwatch* flagSwatch = nullptr;  // owned by its item
    CColorSwatch* fillSwatch = nullptr;  // owned by its item
    ADMItemRef joinCheck = nullptr;
    ADMItemRef flagCheck = nullptr;
    ADMItemRef byDimensionsRadio = nullptr;
    ADMItemRef byAreaRadio = nullptr;
    ADMItemRef siteButton = nullptr;
    TintfloodSettings* settings = nullptr;
};
