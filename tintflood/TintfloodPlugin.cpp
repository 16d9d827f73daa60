#include "TintfloodPlugin.h"

#include <new>

#include "AboutBox.h"
#include "ImageAccess.h"
#include "ParameterBlock.h"
#include "ResultCodes.h"
#include "ScriptParameters.h"

TintfloodPlugin* activeTintflood = nullptr;

namespace {
constexpr int32_t kAboutDialogId = 16000;
}  // namespace

uint8_t TintfloodPlugin::ChannelCountForPlanes(int16_t colorPlanes) {
    uint8_t count = uint8_t(colorPlanes);
    if (count > 4) {
        count = 4;
    }
    return count == 0 ? 3 : count;
}

PluginObject* CreatePluginObject() {
    return new (std::nothrow) TintfloodPlugin();
}

TintfloodPlugin::TintfloodPlugin() {
    activeTintflood = this;
}

TintfloodPlugin::~TintfloodPlugin() {
    if (activeTintflood == this) {
        activeTintflood = nullptr;
    }
}

int16_t TintfloodPlugin::DoAbout() {
    ShowAboutBox(aboutRecord->plugInRef, kAboutDialogId);
    return noErr;
}

int16_t TintfloodPlugin::DoPrepare() {
    filterRecord->bufferSpace = 0;
    filterRecord->maxSpace = 0;
    return noErr;
}

int16_t TintfloodPlugin::DoStart() {
    FilterRecord* record = filterRecord;
    settings.SetDefaults();
    // A replay without the dialog runs from the replayed keys; otherwise the
    // parameters selector has left the settings in the parameter block.
    if (ReadScriptParameters(record, settings) && !LoadParameterBlock(record, settings)) {
        return filterBadParameters;
    }
    channelCount = ChannelCountForPlanes(ColorPlanes(record));
    SetRange(settings.fillColor, settings.tolerance);
    if (!settings.randomColors) {
        swatchPalette = std::make_unique<SwatchPalette>(SwatchFolder() + settings.paletteFile);
    }
    if (record->advanceState == nullptr) {
        return filterBadParameters;
    }

    int16_t result = RequestWholeImage(record, /*withInput=*/false);
    if (result == noErr) {
        result = ScanAndFill();
    }
    EmptyOutputRequest(record);
    // Recorded whatever happened, so the run leaves the settings it used.
    WriteScriptParameters(record, settings);
    StoreParameterBlock(record, settings);
    return result;
}

void TintfloodPlugin::SetRange(const RGBColor16& color, uint16_t tolerance) {
    // A failed conversion leaves the low bounds as they were; the bounds are
    // then built around those bytes.
    ConvertRGBColor(color, range.low);
    for (uint8_t k = 0; k < channelCount; ++k) {
        const uint32_t centre = range.low[k];
        range.high[k] = uint8_t(centre + tolerance <= 255 ? centre + tolerance : 255);
        range.low[k] = uint8_t(centre > tolerance ? centre - tolerance : 0);
    }
}
