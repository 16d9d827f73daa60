#include "host/scripting/ScriptingSession.h"

#include <utility>

#include "host/run/HostHandles.h"
#include "host/scripting/DescriptorProcs.h"
#include "host/scripting/DescriptorStorage.h"
#include "host/scripting/DescriptorTokens.h"

namespace oxhost {

ScriptingSession::ScriptingSession(int16_t playInfo, std::optional<Descriptor> replayed)
    : replayed(std::move(replayed)) {
    block.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
    block.playInfo = playInfo;
    block.recordInfo = plugInDialogOptional;
    block.readDescriptorProcs = HostReadDescriptorProcs();
    block.writeDescriptorProcs = HostWriteDescriptorProcs();
}

ScriptingSession::~ScriptingSession() {
    DisposeBlockDescriptor();
    // Readers and writers hold no handles; those a plug-in left open end here.
    DescriptorTokens::Instance().DiscardAll();
}

void ScriptingSession::Attach(RunOptions& options) {
    options.descriptorParameters = &block;
    options.beforeCall = [this](int16_t) { BeforeCall(); };
    options.afterCall = [this](int16_t) { AfterCall(); };
}

void ScriptingSession::BeforeCall() {
    DescriptorTokens::Instance().ClearHandedOut();
    if (block.descriptor == nullptr && replayed) {
        block.descriptor = NewDescriptorHandle(*replayed);
        offered = block.descriptor;
    }
}

void ScriptingSession::AfterCall() {
    const Handle current = block.descriptor;
    if (current == nullptr) {
        offered = nullptr;
        return;
    }
    // The offered copy may have been read and disposed, and its address given
    // to a descriptor the plug-in wrote in the same call: the handed-out log
    // tells the two apart.
    if (current == offered && !DescriptorTokens::Instance().WasHandedOut(current)) {
        return;
    }
    Descriptor written;
    if (LoadDescriptorHandle(current, written)) {
        recorded = std::move(written);
    } else {
        ++refused;
    }
    DisposeBlockDescriptor();
}

void ScriptingSession::DisposeBlockDescriptor() {
    if (block.descriptor != nullptr) {
        HostHandles::Instance().Dispose(block.descriptor);
        block.descriptor = nullptr;
    }
    offered = nullptr;
}

}  // namespace oxhost
