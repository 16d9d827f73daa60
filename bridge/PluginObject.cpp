#include "PluginObject.h"

#include "FilterSelectors.h"
#include "PluginGlobals.h"
#include "ResultCodes.h"

int16_t PluginObject::Dispatch(int16_t selector, void* parameterBlock) {
    filterRecord = static_cast<FilterRecord*>(parameterBlock);
    aboutRecord = nullptr;

    switch (selector) {
        case filterSelectorAbout:
            filterRecord = nullptr;
            aboutRecord = static_cast<AboutRecord*>(parameterBlock);
            basicSuite = aboutRecord->sSPBasic;
            return DoAbout();
        case filterSelectorParameters:
            return DoParameters();
        case filterSelectorPrepare:
            return DoPrepare();
        case filterSelectorStart:
            return DoStart();
        case filterSelectorContinue:
            return DoContinue();
        case filterSelectorFinish:
            return DoFinish();
        default:
            return filterBadParameters;
    }
}

int16_t PluginObject::DoAbout() {
    return noErr;
}
int16_t PluginObject::DoParameters() {
    return noErr;
}
int16_t PluginObject::DoPrepare() {
    return noErr;
}
int16_t PluginObject::DoStart() {
    return noErr;
}
int16_t PluginObject::DoFinish() {
    return noErr;
}

int16_t PluginObject::DoContinue() {
    // Everything was done in start; an empty request ends the run.
    filterRecord->outRect = Rect16{0, 0, 0, 0};
    filterRecord->inRect = Rect16{0, 0, 0, 0};
    return noErr;
}
