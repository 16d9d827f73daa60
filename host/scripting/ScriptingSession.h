// Scripting for one filter run: the PIDescriptorParameters block the plug-in
// sees, the descriptor replayed to it and the descriptor it records.
//
// As a host replaying an action does, the session offers the replayed
// descriptor to every selector: before each call whose block holds no
// descriptor it puts a fresh copy there (reading disposes it and nulls the
// field). After each call it collects a descriptor the plug-in handed back -
// any handle in the block that the session did not put there - as the
// recorded descriptor and disposes that handle. Every handle the session puts
// into the block or takes out of it is disposed by the session, at the latest
// when it is destroyed.
#pragma once

#include <optional>

#include "Descriptors.h"
#include "host/run/FilterRun.h"
#include "host/scripting/Descriptor.h"

namespace oxhost {

class ScriptingSession {
public:
    // `playInfo`: plugInDialogDontDisplay, plugInDialogDisplay or
    // plugInDialogSilent. `replayed`: the descriptor to offer, or none.
    ScriptingSession(int16_t playInfo, std::optional<Descriptor> replayed);
    ~ScriptingSession();
    ScriptingSession(const ScriptingSession&) = delete;
    ScriptingSession& operator=(const ScriptingSession&) = delete;

    // Makes the run use this session's block and sets the run's beforeCall
    // and afterCall hooks (replacing any). The session must outlive the run.
    void Attach(RunOptions& options);

    void BeforeCall();
    void AfterCall();

    PIDescriptorParameters& Block() { return block; }
    // The last descriptor the plug-in handed back, if any.
    const std::optional<Descriptor>& Recorded() const { return recorded; }
    // How many handed-back descriptors could not be decoded (a plug-in that
    // built its handle by itself).
    int RefusedDescriptors() const { return refused; }

private:
    void DisposeBlockDescriptor();

    PIDescriptorParameters block{};
    std::optional<Descriptor> replayed;
    Handle offered = nullptr;  // the copy the session put into the block, if still there
    std::optional<Descriptor> recorded;
    int refused = 0;
};

}  // namespace oxhost
