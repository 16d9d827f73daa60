// oxhost run: a filter from an image file to an image file. The run keeps
// its results whole or not at all: every destination is checked before the
// filter starts, the outputs are finished beside their targets and put in
// place together at the end, and a wish to stop (Ctrl-C, SIGTERM) at any
// stage ends it with nothing written.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Commands.h"
#include "FilterSelectors.h"
#include "ImageModes.h"
#include "PluginLookup.h"
#include "ResultCodes.h"
#include "RunChecks.h"
#include "RunDialog.h"
#include "RunScripting.h"
#include "host/HostError.h"
#include "host/color/ColorServicesHost.h"
#include "host/dialog/PluginReference.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageFile.h"
#include "host/module/PluginCatalog.h"
#include "host/module/PluginModule.h"
#include "host/run/FilterRun.h"
#include "host/run/InterruptWatch.h"
#include "host/run/ResultNames.h"
#include "host/run/TerminalProgress.h"
#include "host/scripting/OwnedHandle.h"

namespace oxhost {
namespace {

const char* SelectorName(int16_t selector) {
    static const char* const names[] = {"about", "parameters", "prepare",
                                        "start", "continue",   "finish"};
    return selector >= 0 && selector <= 5 ? names[selector] : "a call";
}

// Test hook: OXHOST_TEST_STOP_AT=loading|filtering|writing stops the process
// (SIGSTOP) as that stage begins, so that a test can send its signals at a
// known moment and then let it go on (SIGCONT).
void TestStopAt(const char* stage) {
#ifdef SIGSTOP
    const char* wanted = std::getenv("OXHOST_TEST_STOP_AT");
    if (wanted != nullptr && std::strcmp(wanted, stage) == 0) {
        std::raise(SIGSTOP);
    }
#else
    (void)stage;
#endif
}

int Interrupted(TerminalProgress& progress, const std::string& output) {
    progress.Finish();
    std::fprintf(stderr, "oxhost: interrupted; '%s' not written\n", output.c_str());
    return kExitInterrupted;
}

void PrintWarningsBelowBar(TerminalProgress& progress, const std::vector<std::string>& warnings) {
    if (!warnings.empty()) {
        progress.Finish();
    }
    PrintWarnings(warnings);
}

// The name of the file `path` names, for the bar's label.
std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

Document LoadInput(const std::string& input, const std::string& output,
                   TerminalProgress& progress) {
    progress.Start("Loading " + FileName(input));
    // Reading has no abort check of its own and nothing to undo. The bar is
    // on the terminal from the start, so the message ends its line first.
    const ExitAtOnceOnInterrupt exitAtOnce(std::string(progress.Drawn() ? "\n" : "") +
                                           "oxhost: interrupted while reading '" + input + "'; '" +
                                           output + "' not written");
    TestStopAt("loading");
    return LoadImageFile(input, ProgressOnBar(progress));
}

int ReportFailure(const RunResult& result, const std::string& name, const std::string& output,
                  const RunDialog* dialog) {
    if (result.result == userCanceledErr && result.failedSelector == filterSelectorParameters) {
        const char* why =
            dialog != nullptr && dialog->ScriptRanOut() ? " (its script ended without 'ok')" : "";
        std::fprintf(stderr, "oxhost: the %s options dialog was cancelled%s; '%s' not written\n",
                     name.c_str(), why, output.c_str());
        return kExitFailed;
    }
    std::string message = name + " failed";
    if (result.failedSelector >= 0) {
        message += std::string(" at ") + SelectorName(result.failedSelector);
    }
    message += ": " + DescribeResult(result.result);
    if (!result.hostProblem.empty()) {
        message += " (" + result.hostProblem + ")";
    }
    if (!result.pluginMessage.empty()) {
        message += ": " + result.pluginMessage;
    }
    std::fprintf(stderr, "oxhost: %s; '%s' not written\n", message.c_str(), output.c_str());
    return InterruptWatch::Interrupted() ? kExitInterrupted : kExitFailed;
}

// Finishes the image and the recorded action beside their targets, then puts
// both in place, unless the user asked to stop meanwhile.
int WriteResults(const Document& document, const std::string& output, const RunScripting* scripting,
                 TerminalProgress& progress) {
    AtomicCommitGroup results;
    progress.Start("Writing " + FileName(output));
    SaveImageFile(document, output, ProgressOnBar(progress));
    if (scripting != nullptr) {
        scripting->SaveRecording();
    }
    TestStopAt("writing");
    if (InterruptWatch::Interrupted()) {
        return Interrupted(progress, output);
    }
    results.Commit();
    return kExitDone;
}

}  // namespace

int RunCommand(const Options& options) {
    if (options.arguments.size() != 3) {
        throw UsageError("run needs PLUGIN INPUT OUTPUT");
    }
    const std::string& plugin = options.arguments[0];
    const std::string& input = options.arguments[1];
    const std::string& output = options.arguments[2];
    if (!IsSupportedOutputPath(output)) {
        throw HostError("cannot write '" + output + "': use a " + SupportedOutputExtensions() +
                        " file name");
    }
    // From here on a wish to stop ends the run at the next stage or abort
    // check, with nothing written.
    InterruptWatch interruptWatch;

    auto module =
        PluginModule::Open(FindPluginModule(plugin, PluginFolders(options.pluginFolders)));
    const std::string name = PlainPluginName(module->Properties().name);
    // A run whose result could not be kept does not start.
    CheckReplaceable(output);
    std::unique_ptr<RunScripting> scripting = RunScripting::Prepare(options, module->Properties());
    const std::unique_ptr<RunDialog> dialog =
        RunDialog::Prepare(options.dialog, options.dialogScript);
    const std::vector<std::string> losses = CheckInputKept(input, output);
    SetPixelBudget(PixelBudgetOf(options));
    // One bar line, taken over by each stage: loading, the filter, writing.
    // Whatever is printed while it shows ends its line first.
    TerminalProgress progress(std::string(), options.quiet);
    Document document = LoadInput(input, output, progress);
    if (InterruptWatch::Interrupted()) {
        return Interrupted(progress, output);
    }
    PrintWarningsBelowBar(progress, losses);
    if (options.dialog && PluginNameMatches(module->Properties().name, "tintflood")) {
        PrintWarningsBelowBar(progress, CheckPreferencesSavable());
    }
    CheckOutputCanHold(document.model, output);
    const int mode = document.model == ColorModel::CMYK ? plugInModeCMYKColor : plugInModeRGBColor;
    if (!module->Properties().SupportsMode(mode)) {
        throw HostError(name + " does not work on " +
                        (mode == plugInModeCMYKColor ? "CMYK" : "RGB") + " documents");
    }

    ColorServicesHost colorServices(
        ColorConverter(options.cmykProfile),
        dialog ? dialog->Picker(options.pickedColors) : ColorPickerScript(options.pickedColors));
    RunOptions runOptions;
    runOptions.layout = options.layout;
    runOptions.progress = &progress;
    // A failed run exits without writing, so the document need not survive it.
    runOptions.keepDocumentOnFailure = false;
    runOptions.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    // The toolkit finds the module's dialog resources through this reference.
    const PluginReference reference(*module);
    runOptions.plugInRef = reference.Get();
    runOptions.callParameters = options.dialog;
    // The plug-in's parameters handle lives for this one run.
    OwnedHandle parameters;
    runOptions.parameters = parameters.Receive();
    if (scripting) {
        scripting->Attach(runOptions);
    }

    TestStopAt("filtering");
    progress.Start(name);
    FilterRun run(module->Entry(), document, runOptions);
    const RunResult result = run.Run();
    if (dialog && !dialog->ScriptProblem().empty()) {
        progress.Finish();
        std::fprintf(stderr, "oxhost: %s; '%s' not written\n", dialog->ScriptProblem().c_str(),
                     output.c_str());
        return kExitFailed;
    }
    if (result.result != 0 || !result.hostProblem.empty()) {
        progress.Finish();
        return ReportFailure(result, name, output, dialog.get());
    }
    if (InterruptWatch::Interrupted()) {
        return Interrupted(progress, output);
    }
    if (scripting) {
        PrintWarningsBelowBar(progress, scripting->PaletteWarnings());
    }
    return WriteResults(document, output, scripting.get(), progress);
}

}  // namespace oxhost
