#include "RunScripting.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "PluginLookup.h"
#include "SwatchFolder.h"
#include "TintfloodDescriptor.h"
#include "host/HostError.h"
#include "host/module/PluginCatalog.h"
#include "host/scripting/ActionFile.h"

namespace oxhost {
namespace {

void CheckRecordFolder(const std::string& recordFile) {
    const std::filesystem::path parent = std::filesystem::path(recordFile).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw HostError("cannot record into '" + recordFile + "': no folder '" + folder + "'");
    }
}

// What the run offers the plug-in: the played action or, for Tintflood, the
// defaults; Tintflood's options laid over either.
std::optional<Descriptor> ReplayedDescriptor(const Options& options, const PiplProperties& pipl,
                                             bool tintflood) {
    std::optional<Descriptor> replayed;
    if (!options.playFile.empty()) {
        const RecordedAction action = LoadActionFile(options.playFile);
        CheckActionFor(action, pipl.name, pipl.terminology.classId, pipl.terminology.eventId,
                       options.playFile);
        replayed = action.descriptor;
    } else if (tintflood) {
        replayed = TintfloodDefaultDescriptor();
    }
    if (tintflood) {
        TintfloodChoices choices = options.tintflood;
        ResolvePalette(choices, SwatchFolder());
        ApplyTintfloodChoices(choices, *replayed);
    }
    return replayed;
}

}  // namespace

std::unique_ptr<RunScripting> RunScripting::Prepare(const Options& options,
                                                    const PiplProperties& pipl) {
    const std::string name = PlainPluginName(pipl.name);
    const bool tintflood = PluginNameMatches(pipl.name, "tintflood");
    if (!tintflood && options.tintflood.Any()) {
        throw UsageError(options.tintflood.given.front() + " is an option of Tintflood, not of " +
                         name);
    }
    const bool scripted = !options.playFile.empty() || !options.recordFile.empty();
    if (!tintflood && !scripted) {
        return nullptr;
    }
    if (scripted && !pipl.terminology.present) {
        throw UsageError(name + " cannot be scripted: it names no scripting terminology, so " +
                         "--play and --record do not apply");
    }
    std::optional<Descriptor> replayed = ReplayedDescriptor(options, pipl, tintflood);
    if (!options.recordFile.empty()) {
        CheckRecordFolder(options.recordFile);
    }
    const int16_t playInfo =
        options.dialog ? int16_t(plugInDialogDisplay) : int16_t(plugInDialogDontDisplay);
    return std::make_unique<RunScripting>(pipl, std::move(replayed), options.recordFile, playInfo);
}

RunScripting::RunScripting(const PiplProperties& pipl, std::optional<Descriptor> replayed,
                           const std::string& recordFile, int16_t playInfo)
    : pluginName(pipl.name),
      eventClass(pipl.terminology.classId),
      event(pipl.terminology.eventId),
      recordFile(recordFile),
      session(playInfo, std::move(replayed)) {}

void RunScripting::Attach(RunOptions& runOptions) {
    session.Attach(runOptions);
    runOptions.callParameters = true;
}

void RunScripting::SaveRecording() const {
    if (recordFile.empty()) {
        return;
    }
    if (!session.Recorded()) {
        throw HostError(PlainPluginName(pluginName) + " recorded no settings; '" + recordFile +
                        "' not written");
    }
    RecordedAction action;
    action.plugin = pluginName;
    action.eventClass = eventClass;
    action.event = event;
    action.descriptor = *session.Recorded();
    SaveActionFile(action, recordFile);
}

}  // namespace oxhost
