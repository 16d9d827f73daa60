#include "TintfloodPlugin.h"

#include <new>

#include "AboutBox.h"
#include "ResultCodes.h"

namespace {
constexpr int32_t kAboutDialogId = 16000;
}

PluginObject* CreatePluginObject() { return new (std::nothrow) TintfloodPlugin(); }

int16_t TintfloodPlugin::DoAbout() {
    ShowAboutBox(aboutRecord->plugInRef, kAboutDialogId);
    return noErr;
}

int16_t TintfloodPlugin::DoPrepare() {
    filterRecord->bufferSpace = 0;
    filterRecord->maxSpace = 0;
    return noErr;
}

int16_t TintfloodPlugin::DoStart() { return filterBadParameters; }
