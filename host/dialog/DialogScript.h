// Dialog scripts as a user writes them for `oxhost run --dialog-script`: one
// step a line (see ParseDialogScript in ScriptedFace.h), run so that every
// step must find its item and be taken, or the script fails with the line at
// fault instead of going on silently.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dialog/ScriptedFace.h"

namespace oxhost {

struct ScriptLine {
    DialogStep step;
    int lineNumber = 0;
};

// The steps of the script with their line numbers. An item is named by
// "#id", by its text or its label (DialogSession::FindAll), or by either in
// double quotes when it holds an '=' itself: set "Join Areas <=" = 15.
// Throws HostError naming the line for anything else.
std::vector<ScriptLine> ParseDialogScriptLines(const std::string& text);

// How a checked script went: the first problem ("line 3: the dialog has no
// item "#9999""), or whether it ran out before ending the dialog.
struct ScriptOutcome {
    std::string problem;
    bool ranOut = false;
};

// Steps for a ScriptedFace that perform `lines` with checks. Each step takes
// the first item it names that fits its action (a number field for set,
// something clickable for click, a popup for choose) and is enabled. A step
// that names no item, finds none that fits or is enabled, or chooses an
// entry a popup lacks records the problem in `outcome` and cancels the
// dialog, so that nothing the user did not ask for is confirmed. Picker
// answers are kept as they are, for PickerAnswersOf.
std::vector<DialogStep> CheckedDialogSteps(const std::vector<ScriptLine>& lines,
                                           const std::shared_ptr<ScriptOutcome>& outcome);

}  // namespace oxhost
