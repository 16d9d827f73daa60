// Colour conversion and the colour picker through the host's colour services.
#include "ColorServices.h"
#include "ImageModes.h"
#include "PluginObject.h"
#include "ResultCodes.h"

namespace {

ColorServicesInfo NewColorRequest(int16_t selector, int16_t sourceSpace, int16_t resultSpace) {
    ColorServicesInfo info{};
    info.infoSize = sizeof(ColorServicesInfo);
    info.selector = selector;
    info.sourceSpace = sourceSpace;
    info.resultSpace = resultSpace;
    info.reservedSourceSpaceInfo = nullptr;
    info.reservedResultSpaceInfo = nullptr;
    info.reserved = nullptr;
    info.selectorParameter.pickerPrompt = nullptr;
    return info;
}

bool CallColorServices(FilterRecord* record, ColorServicesInfo& info) {
    if (record == nullptr || record->colorServices == nullptr) {
        return false;
    }
    return record->colorServices(&info) == noErr;
}

}  // namespace

int16_t PluginObject::ColorSpaceForMode() const {
    switch (filterRecord->imageMode) {
        case plugInModeGrayScale:
            return plugIncolorServicesGraySpace;
        case plugInModeCMYKColor:
            return plugIncolorServicesCMYKSpace;
        case plugInModeHSBColor:
            return plugIncolorServicesHSBSpace;
        case plugInModeLabColor:
            return plugIncolorServicesLabSpace;
        default:
            return plugIncolorServicesRGBSpace;
    }
}

bool PluginObject::PickColor(uint8_t color[4], bool resultInRGB) {
    const int16_t resultSpace =
        resultInRGB ? int16_t(plugIncolorServicesRGBSpace) : ColorSpaceForMode();
    ColorServicesInfo info =
        NewColorRequest(plugIncolorServicesChooseColor, plugIncolorServicesRGBSpace, resultSpace);
    for (int i = 0; i < 4; ++i) {
        info.colorComponents[i] = color[i];
    }
    if (!CallColorServices(filterRecord, info)) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        color[i] = uint8_t(info.colorComponents[i] & 0xFF);
    }
    return true;
}

bool PluginObject::ConvertRGBColor(const RGBColor& color, uint8_t destination[4]) {
    const int16_t components[4] = {int16_t(color.red >> 8), int16_t(color.green >> 8),
                                   int16_t(color.blue >> 8), 0};
    return ConvertToDocumentColor(plugIncolorServicesRGBSpace, components, destination);
}

bool PluginObject::ConvertToDocumentColor(int16_t sourceSpace, const int16_t components[4],
                                          uint8_t destination[4]) {
    ColorServicesInfo info =
        NewColorRequest(plugIncolorServicesConvertColor, sourceSpace, ColorSpaceForMode());
    for (int i = 0; i < 4; ++i) {
        info.colorComponents[i] = components[i];
    }
    if (!CallColorServices(filterRecord, info)) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        destination[i] = uint8_t(info.colorComponents[i] & 0xFF);
    }
    return true;
}
