#include "FilterOnDocument.h"

#include "FilterSelectors.h"
#include "ImageModes.h"
#include "PluginLookup.h"
#include "RunScripting.h"
#include "host/HostError.h"
#include "host/color/ColorServicesHost.h"
#include "host/dialog/PluginReference.h"
#include "host/run/FilterRun.h"
#include "host/run/InterruptWatch.h"
#include "host/run/ResultNames.h"
#include "host/scripting/OwnedHandle.h"

namespace oxhost {

FilterOutcome RunFilterOnDocument(const PluginModule& module, Document& document,
                                  const Options& options, ProgressSink* progress) {
    const std::string name = PlainPluginName(module.Properties().name);
    const int mode = document.model == ColorModel::CMYK ? plugInModeCMYKColor : plugInModeRGBColor;
    if (!module.Properties().SupportsMode(mode)) {
        throw HostError(name + " does not work on " +
                        (mode == plugInModeCMYKColor ? "CMYK" : "RGB") + " documents");
    }
    std::unique_ptr<RunScripting> scripting = RunScripting::Prepare(options, module.Properties());
    ColorServicesHost colorServices(ColorConverter(options.cmykProfile),
                                    ColorPickerScript(options.pickedColors));
    RunOptions runOptions;
    runOptions.layout = options.layout;
    runOptions.progress = progress;
    // The caller drops the document when the run fails: no copy to keep it whole.
    runOptions.keepDocumentOnFailure = false;
    runOptions.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    const PluginReference reference(module);
    runOptions.plugInRef = reference.Get();
    OwnedHandle parameters;
    runOptions.parameters = parameters.Receive();
    if (scripting) {
        scripting->Attach(runOptions);
    }

    FilterRun run(module.Entry(), document, runOptions);
    const RunResult result = run.Run();
    FilterOutcome outcome;
    if (InterruptWatch::Interrupted()) {
        outcome.interrupted = true;
        return outcome;
    }
    if (result.result != 0 || !result.hostProblem.empty()) {
        std::string message = name + " failed: " + DescribeResult(result.result);
        if (!result.hostProblem.empty()) {
            message += " (" + result.hostProblem + ")";
        }
        if (!result.pluginMessage.empty()) {
            message += ": " + result.pluginMessage;
        }
        throw HostError(message);
    }
    if (scripting) {
        outcome.warnings = scripting->PaletteWarnings();
    }
    return outcome;
}

}  // namespace oxhost
