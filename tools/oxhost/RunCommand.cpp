// oxhost run: a filter from an image file to an image file.
#include <cstdio>

#include "Commands.h"
#include "FilterSelectors.h"
#include "ImageModes.h"
#include "PluginLookup.h"
#include "PluginReference.h"
#include "ResultCodes.h"
#include "RunDialog.h"
#include "RunScripting.h"
#include "host/HostError.h"
#include "host/color/ColorServicesHost.h"
#include "host/image/ImageFile.h"
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

void CheckOutputCanHold(const Document& document, const std::string& output) {
    if (!IsSupportedOutputPath(output)) {
        throw HostError("cannot write '" + output + "': use a " + SupportedOutputExtensions() +
                        " file name");
    }
    const bool png = output.size() >= 4 && (output.compare(output.size() - 4, 4, ".png") == 0 ||
                                            output.compare(output.size() - 4, 4, ".PNG") == 0);
    if (png && document.model == ColorModel::CMYK) {
        throw HostError("cannot write '" + output + "': PNG cannot hold a CMYK document; use " +
                        CmykOutputExtensions());
    }
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
    // From here on Ctrl-C stops the filter at its next abort check, also
    // when pressed while the input is still being read.
    InterruptWatch interruptWatch;

    auto module =
        PluginModule::Open(FindPluginModule(plugin, PluginFolders(options.pluginFolders)));
    const std::string name = PlainPluginName(module->Properties().name);
    std::unique_ptr<RunScripting> scripting = RunScripting::Prepare(options, module->Properties());
    Document document = LoadImageFile(input);
    CheckOutputCanHold(document, output);
    const int mode = document.model == ColorModel::CMYK ? plugInModeCMYKColor : plugInModeRGBColor;
    if (!module->Properties().SupportsMode(mode)) {
        throw HostError(name + " does not work on " +
                        (mode == plugInModeCMYKColor ? "CMYK" : "RGB") + " documents");
    }

    const std::unique_ptr<RunDialog> dialog =
        RunDialog::Prepare(options.dialog, options.dialogScript);
    ColorServicesHost colorServices(
        ColorConverter(options.cmykProfile),
        dialog ? dialog->Picker(options.pickedColors) : ColorPickerScript(options.pickedColors));
    TerminalProgress progress(name, options.quiet);
    RunOptions runOptions;
    runOptions.layout = options.layout;
    runOptions.progress = &progress;
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

    FilterRun run(module->Entry(), document, runOptions);
    const RunResult result = run.Run();
    if (result.result == userCanceledErr && result.failedSelector == filterSelectorParameters) {
        std::fprintf(stderr, "oxhost: the %s options dialog was cancelled; '%s' not written\n",
                     name.c_str(), output.c_str());
        return kExitFailed;
    }
    if (result.result != 0 || !result.hostProblem.empty()) {
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
    if (InterruptWatch::Interrupted()) {
        std::fprintf(stderr, "oxhost: interrupted; '%s' not written\n", output.c_str());
        return kExitInterrupted;
    }
    SaveImageFile(document, output);
    if (scripting) {
        scripting->SaveRecording();
    }
    return kExitDone;
}

}  // namespace oxhost
