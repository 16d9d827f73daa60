#include "RunDialog.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/HostError.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/ScriptedFace.h"
#include "host/dialog/WebBrowser.h"
#include "host/nativedialog/BrowserLauncher.h"

namespace oxhost {

std::unique_ptr<RunDialog> RunDialog::Prepare(bool dialog, const std::string& scriptPath) {
    if (!dialog && scriptPath.empty()) {
        return nullptr;
    }
    if (scriptPath.empty()) {
        return std::unique_ptr<RunDialog>(new RunDialog(WindowFace(), {}, true));
    }
    std::error_code error;
    if (std::filesystem::is_directory(scriptPath, error)) {
        throw HostError("--dialog-script '" + scriptPath + "' is a folder, not a dialog script");
    }
    std::ifstream file(scriptPath);
    if (!file) {
        throw HostError("cannot read the dialog script '" + scriptPath + "'");
    }
    std::stringstream text;
    text << file.rdbuf();
    std::vector<ScriptLine> lines;
    try {
        lines = ParseDialogScriptLines(text.str());
    } catch (const HostError& problem) {
        throw HostError("'" + scriptPath + "': " + problem.what());
    }
    auto outcome = std::make_shared<ScriptOutcome>();
    std::vector<DialogStep> steps = CheckedDialogSteps(lines, outcome);
    std::vector<PickedColor> picks = PickerAnswersOf(steps);
    std::unique_ptr<RunDialog> run(
        new RunDialog(std::make_unique<ScriptedFace>(std::move(steps)), std::move(picks), false));
    run->scriptPath = scriptPath;
    run->outcome = std::move(outcome);
    return run;
}

std::unique_ptr<RunDialog> RunDialog::FromSteps(std::vector<DialogStep> steps) {
    std::vector<PickedColor> picks = PickerAnswersOf(steps);
    return std::unique_ptr<RunDialog>(
        new RunDialog(std::make_unique<ScriptedFace>(std::move(steps)), std::move(picks), false));
}

std::string RunDialog::ScriptProblem() const {
    if (!outcome || outcome->problem.empty()) {
        return std::string();
    }
    return "dialog script '" + scriptPath + "' " + outcome->problem;
}

RunDialog::RunDialog(std::unique_ptr<DialogFace> face, std::vector<PickedColor> scriptedPicks,
                     bool interactive)
    : face(std::move(face)), scriptedPicks(std::move(scriptedPicks)), interactive(interactive) {
    DialogToolkit::Instance().SetFace(this->face.get());
    // The dialog's site button: a window opens the browser; a script opens
    // nothing, but the test hook's log still hears of the address.
    SetWebBrowser([interactive](const std::string& address) {
        if (interactive) {
            LaunchBrowser(address);
        } else {
            WriteToBrowseLog(address);
        }
        return SPErr(kSPNoError);
    });
}

RunDialog::~RunDialog() {
    SetWebBrowser(nullptr);
    DialogToolkit::Instance().SetFace(nullptr);
}

ColorPickerScript RunDialog::Picker(const std::vector<PickedColor>& extraAnswers) const {
    if (interactive) {
        return WindowPicker();
    }
    std::vector<PickedColor> answers = extraAnswers;
    answers.insert(answers.end(), scriptedPicks.begin(), scriptedPicks.end());
    return ColorPickerScript(answers);
}

}  // namespace oxhost
