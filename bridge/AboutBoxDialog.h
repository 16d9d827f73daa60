// The About box: the module's About text (string resource of the dialog's
// id) and a button that opens the vendor's web site. It closes on OK or
// Cancel, on Escape or Return, or on a click anywhere outside the button.
#pragma once

#include "PlainDialog.h"

// Items of dialog resource 16000.
constexpr int32_t kAboutTextItem = 3;
constexpr int32_t kAboutSiteButton = 4;
constexpr int32_t kAboutSecondSiteButton = 5;  // not in our boxes; handled alike

class CAboutBox : public CPlainDialog {
public:
    using CPlainDialog::CPlainDialog;
    ~CAboutBox() override = default;

    void Init() override;
    // Items 4 and 5 open "http://" followed by the item's text through the
    // host's BrowseUrl; throws the host's code when that suite is missing.
    void Command(int32_t itemId) override;
    void Message(uint32_t message, uintptr_t wordParam, intptr_t longParam) override;
};

// Shows the About box of dialog resource `dialogId` through `platform`.
int32_t ShowAboutBox(NativeDialogs& platform, void* plugInRef, int32_t dialogId);
