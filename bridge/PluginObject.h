// The per-run plug-in object: one virtual operation per host selector. The
// entry point keeps the object in the host's data slot from the first selector
// of a run until finish, or until a selector fails.
#pragma once

#include <cstdint>

#include "AboutRecord.h"
#include "FilterRecord.h"

class PluginObject {
public:
    PluginObject() = default;
    PluginObject(const PluginObject&) = delete;
    PluginObject& operator=(const PluginObject&) = delete;
    virtual ~PluginObject() = default;

    // Routes a selector to its operation; unknown selectors give filterBadParameters.
    int16_t Dispatch(int16_t selector, void* parameterBlock);

    // Colour services of the current FilterRecord.
    // The host's colour space code for the document's image mode.
    int16_t ColorSpaceForMode() const;
    // Runs the host's colour picker on color (4 bytes, in and out); true when
    // the host answered without error, and color then holds the pick.
    bool PickColor(uint8_t color[4], bool resultInRGB);
    // Converts a 16-bit RGB colour (high bytes used) into the document's space;
    // destination is written only on success.
    bool ConvertRGBColor(const RGBColor& color, uint8_t destination[4]);
    // Converts four components of a host colour space into the document's
    // space; destination is written only on success.
    bool ConvertToDocumentColor(int16_t sourceSpace, const int16_t components[4],
                                uint8_t destination[4]);

    FilterRecord* filterRecord = nullptr;  // the record of the current call; null during about
    AboutRecord* aboutRecord = nullptr;    // set during about only

protected:
    virtual int16_t DoAbout();
    virtual int16_t DoParameters();
    virtual int16_t DoPrepare();
    virtual int16_t DoStart();
    virtual int16_t DoContinue();
    virtual int16_t DoFinish();
};

// Each deliverable defines this: a new object of its own class, or null when
// memory is exhausted.
PluginObject* CreatePluginObject();
