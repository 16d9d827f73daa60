// The scripting side of `oxhost run`: the descriptor replayed to the
// plug-in (for Tintflood built from its defaults or an action file, with the
// options on top; with --dialog only the options, laid over the preferences)
// and the action file its recorded descriptor is saved to.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Options.h"
#include "host/module/Pipl.h"
#include "host/run/FilterRun.h"
#include "host/scripting/ScriptingSession.h"

namespace oxhost {

class RunScripting {
public:
    // Null for a plain run: a plug-in other than Tintflood with no --play or
    // --record. Throws UsageError for options the plug-in cannot take or a
    // palette that is not offered, HostError for an action file that cannot
    // be replayed or a --record file that could not be written.
    static std::unique_ptr<RunScripting> Prepare(const Options& options,
                                                 const PiplProperties& pipl);

    // `replayed`: what to offer the plug-in before every selector, or none.
    // `playInfo`: plugInDialogDisplay when the user is to see the dialog.
    RunScripting(const PiplProperties& pipl, std::optional<Descriptor> replayed,
                 const std::string& recordFile, int16_t playInfo);

    // The run replays (showing the dialog or not, by the play mode) and, as a
    // host playing an action does, calls the parameters selector first.
    void Attach(RunOptions& runOptions);

    // After a Tintflood run: a warning when the palette its settings named
    // gave no usable colour, so that the areas got random colours.
    std::vector<std::string> PaletteWarnings() const;

    // Saves the recorded descriptor when --record was given. Throws HostError
    // when the plug-in recorded nothing or the file cannot be written.
    void SaveRecording() const;

private:
    std::string pluginName;
    OSType eventClass;
    OSType event;
    std::string recordFile;
    ScriptingSession session;
    bool tintflood = false;
};

}  // namespace oxhost
