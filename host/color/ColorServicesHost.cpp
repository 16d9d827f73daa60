#include "host/color/ColorServicesHost.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ResultCodes.h"
#include "host/color/ComponentScaling.h"

namespace oxhost {
namespace {

// Largest colour difference (CIE 1976 delta E) between the picked colour and
// the answer in the result space that still counts as in gamut: rounding to
// whole HSB degrees or CMYK steps alone makes up to about 2.
constexpr double kInGamutDeltaE = 3.0;

double DeltaE(const int16_t lab[4], const int16_t otherLab[4]) {
    const double lightness = (lab[0] - otherLab[0]) * 100.0 / 255.0;
    const double a = lab[1] - otherLab[1];
    const double b = lab[2] - otherLab[2];
    return std::sqrt(lightness * lightness + a * a + b * b);
}

std::string PromptOf(const ColorServicesInfo& info) {
    const Str255* prompt = info.selectorParameter.pickerPrompt;
    if (prompt == nullptr) {
        return std::string();
    }
    const unsigned char length = (*prompt)[0];
    return std::string(reinterpret_cast<const char*>(&(*prompt)[1]), length);
}

PickRequest RequestOf(const ColorServicesInfo& info) {
    PickRequest request;
    request.sourceSpace = info.sourceSpace;
    request.resultSpace = info.resultSpace;
    std::copy(info.colorComponents, info.colorComponents + 4, request.startingComponents);
    request.prompt = PromptOf(info);
    return request;
}

}  // namespace

ColorServicesHost::ColorServicesHost(ColorConverter converter, ColorPickerScript picker)
    : converter_(std::move(converter)), picker_(std::move(picker)) {}

OSErr ColorServicesHost::Serve(ColorServicesInfo* info) {
    if (info == nullptr || info->infoSize < static_cast<int32_t>(sizeof(ColorServicesInfo))) {
        return paramErr;
    }
    switch (info->selector) {
        case plugIncolorServicesConvertColor:
            return ServeConvert(*info);
        case plugIncolorServicesChooseColor:
            return ServeChoose(*info);
        default:
            return paramErr;
    }
}

OSErr ColorServicesHost::ServeConvert(ColorServicesInfo& info) const {
    const OSErr result =
        converter_.Convert(info.sourceSpace, info.resultSpace, info.colorComponents);
    if (result == noErr) {
        info.resultGamutInfoValid = 0;
    }
    return result;
}

OSErr ColorServicesHost::ServeChoose(ColorServicesInfo& info) {
    const int16_t resultSpace = info.resultSpace == plugIncolorServicesChosenSpace
                                    ? int16_t{plugIncolorServicesRGBSpace}
                                    : info.resultSpace;
    if (!IsSupportedColorSpace(resultSpace)) {
        return paramErr;
    }
    const std::optional<PickedColor> picked = picker_.Pick(RequestOf(info));
    if (!picked) {
        return userCanceledErr;
    }
    int16_t components[4] = {picked->red, picked->green, picked->blue, 0};
    converter_.Convert(plugIncolorServicesRGBSpace, resultSpace, components);
    std::copy(components, components + 4, info.colorComponents);
    info.resultGamutInfoValid = 1;
    info.resultInGamut = LooksLikePick(resultSpace, components, *picked) ? 1 : 0;
    return noErr;
}

// In gamut: the answer in the result space looks like the picked colour, as
// judged in Lab, where distances follow what the eye sees.
bool ColorServicesHost::LooksLikePick(int16_t space, const int16_t components[4],
                                      const PickedColor& picked) const {
    int16_t answerLab[4] = {components[0], components[1], components[2], components[3]};
    converter_.Convert(space, plugIncolorServicesLabSpace, answerLab);
    int16_t pickedLab[4] = {picked.red, picked.green, picked.blue, 0};
    converter_.Convert(plugIncolorServicesRGBSpace, plugIncolorServicesLabSpace, pickedLab);
    return DeltaE(answerLab, pickedLab) <= kInGamutDeltaE;
}

}  // namespace oxhost
