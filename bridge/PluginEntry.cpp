// The module's entry point: the one exception barrier between the host and
// the plug-in object, and the keeper of the object's lifetime across selectors.
#include "PluginEntry.h"

#include "FilterSelectors.h"
#include "PluginGlobals.h"
#include "PluginObject.h"
#include "ResultCodes.h"

SPBasicSuite* basicSuite = nullptr;
PluginObject* currentPlugin = nullptr;

PluginObject* CurrentPlugin() {
    return currentPlugin;
}

namespace {

SPBasicSuite* SuiteOfBlock(int16_t selector, void* parameterBlock) {
    if (parameterBlock == nullptr) {
        return nullptr;
    }
    if (selector == filterSelectorAbout) {
        return static_cast<AboutRecord*>(parameterBlock)->sSPBasic;
    }
    return static_cast<FilterRecord*>(parameterBlock)->sSPBasic;
}

void ReleaseRun(intptr_t* data) {
    delete currentPlugin;
    currentPlugin = nullptr;
    *data = 0;
}

}  // namespace

extern "C" HOSTAPI_EXPORT void HOSTAPI_CALL PluginMain(int16_t selector, void* parameterBlock,
                                                       intptr_t* data, int16_t* result) {
    SPBasicSuite* suite = SuiteOfBlock(selector, parameterBlock);
    if (suite == nullptr) {
        *result = filterBadParameters;
        return;
    }
    basicSuite = suite;

    try {
        currentPlugin = reinterpret_cast<PluginObject*>(*data);
        if (currentPlugin == nullptr) {
            currentPlugin = CreatePluginObject();
            if (currentPlugin == nullptr) {
                *result = filterBadParameters;
                return;
            }
            *data = reinterpret_cast<intptr_t>(currentPlugin);
        }

        *result = currentPlugin->Dispatch(selector, parameterBlock);

        const bool runGoesOn =
            selector != filterSelectorAbout && selector != filterSelectorFinish && *result == noErr;
        if (!runGoesOn) {
            ReleaseRun(data);
        }
    } catch (...) {
        // Nothing may escape to the host. The object stays in the slot, so a
        // host that calls again reuses it.
        *result = filterBadParameters;
    }
}
