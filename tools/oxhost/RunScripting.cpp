#include "RunScripting.h"

#include <utility>

#include "PluginLookup.h"
#include "RunChecks.h"
#include "SwatchFolder.h"
#include "TintfloodDescriptor.h"
#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/module/PluginCatalog.h"
#include "host/scripting/ActionFile.h"

namespace oxhost {
namespace {

// A palette name of an action file is put behind the swatch folder by the
// filter as it stands, so one with a path in it could read any file.
void CheckPaletteNames(const Descriptor& replayed, const std::string& playFile) {
    for (const DescriptorEntry& entry : replayed.entries) {
        if (entry.key == tintfloodkeys::kPalette && entry.kind == DescriptorKind::Text &&
            !IsNameInSwatchFolder(entry.bytes)) {
            throw HostError("'" + playFile + "': the palette '" + entry.bytes +
                            "' is not a file name of the swatch folder (an action names its "
                            "palette without a path)");
        }
    }
}

// What the run offers the plug-in: the played action or, for Tintflood, the
// defaults; Tintflood's options laid over either. An interactive run offers
// no defaults: the plug-in lays whatever it is offered over the preferences
// it has just read, so the dialog must see only what the user asked for on
// the command line (as a real host offers nothing to an interactive run).
std::optional<Descriptor> ReplayedDescriptor(const Options& options, const PiplProperties& pipl,
                                             bool tintflood) {
    std::optional<Descriptor> replayed;
    if (!options.playFile.empty()) {
        const RecordedAction action = LoadActionFile(options.playFile);
        CheckActionFor(action, pipl.name, pipl.terminology.classId, pipl.terminology.eventId,
                       options.playFile);
        replayed = action.descriptor;
    } else if (tintflood && !options.dialog) {
        replayed = TintfloodDefaultDescriptor();
    }
    if (tintflood) {
        TintfloodChoices choices = options.tintflood;
        ResolvePalette(choices, SwatchFolder());
        if (!replayed && choices.Any()) {
            replayed = Descriptor();
        }
        if (replayed) {
            ApplyTintfloodChoices(choices, *replayed);
        }
        if (replayed && !options.playFile.empty()) {
            CheckPaletteNames(*replayed, options.playFile);
        }
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
        try {
            CheckReplaceable(options.recordFile);
        } catch (const HostError& error) {
            throw HostError(std::string("cannot record (--record): ") + error.what());
        }
    }
    const int16_t playInfo =
        options.dialog ? int16_t(plugInDialogDisplay) : int16_t(plugInDialogDontDisplay);
    auto scripting =
        std::make_unique<RunScripting>(pipl, std::move(replayed), options.recordFile, playInfo);
    scripting->tintflood = tintflood;
    return scripting;
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

std::vector<std::string> RunScripting::PaletteWarnings() const {
    if (!tintflood || !session.Recorded()) {
        return {};
    }
    return CheckPaletteUsed(*session.Recorded(), SwatchFolder());
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
