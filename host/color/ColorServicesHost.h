// What answers a plug-in's colorServices callback in the headless host:
// conversions through a ColorConverter, picks from a ColorPickerScript.
// One plug-in thread at a time: picks change the script's state.
#pragma once

#include "ColorServices.h"
#include "host/color/ColorConverter.h"
#include "host/color/ColorPickerScript.h"

namespace oxhost {

class ColorServicesHost {
public:
    ColorServicesHost(ColorConverter converter, ColorPickerScript picker);

    // Serves one request, as the callback returns it:
    // - convert colour: the components converted in place (see
    //   ColorConverter::Convert); gamut information is not computed.
    // - choose colour: the next scripted colour, given in resultSpace (RGB
    //   when resultSpace is the chosen space, -1), with gamut information;
    //   userCanceledErr and the components untouched when the script is used up.
    // paramErr for a null record, an infoSize below this platform's record
    // size, an unknown selector or an unknown space. Never throws.
    OSErr Serve(ColorServicesInfo* info);

    const ColorConverter& Converter() const { return converter_; }
    const ColorPickerScript& Picker() const { return picker_; }

private:
    OSErr ServeConvert(ColorServicesInfo& info) const;
    OSErr ServeChoose(ColorServicesInfo& info);
    bool LooksLikePick(int16_t space, const int16_t components[4], const PickedColor& picked) const;

    ColorConverter converter_;
    ColorPickerScript picker_;
};

}  // namespace oxhost
