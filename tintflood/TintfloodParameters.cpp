// The parameters selector: defaults, then the preferences file, then any
// replayed keys; the options dialog when the user is to see it; the result
// left in the parameter block for start.
#include "DialogSuites.h"
#include "ParameterBlock.h"
#include "Preferences.h"
#include "ResultCodes.h"
#include "ScriptParameters.h"
#include "SwatchPalette.h"
#include "TintfloodDialog.h"
#include "TintfloodPlugin.h"

namespace {

// The Dialog suite was acquired but the host handed out no table.
constexpr int16_t kNoDialogSuite = -1;

}  // namespace

int16_t TintfloodPlugin::DoParameters() {
    int16_t result = noErr;
    const DialogSuitesLease suites;
    if (!suites.Acquired()) {
        return filterBadParameters;
    }
    if (DialogSuites.dialog == nullptr) {
        return kNoDialogSuite;
    }
    CTintfloodDialog dialog(filterRecord->plugInRef);
    TintfloodSettings edited;
    edited.SetDefaults();
    ReadPreferences(edited);
    const bool showDialog = ReadScriptParameters(filterRecord, edited);
    if (!showDialog) {
        StoreParameterBlock(filterRecord, edited);
        return result;
    }
    dialog.SetSettings(&edited);
    dialog.paletteNames = ListSwatchFiles(SwatchFolder());
    if (dialog.Run()) {
        WritePreferences(edited);
    } else {
        result = userCanceledErr;
    }
    if (result == noErr) {
        StoreParameterBlock(filterRecord, edited);
    }
    return result;
}
