// Everything a Tintflood run needs from the user, in one record. The
// preferences file, the scripting descriptor, the parameter block and the
// options dialog all read and write this same record.
#pragma once

#include <cstdint>

#include "HostTypes.h"

// The host's RGB colour, 16 bits a channel; the engine uses the high bytes.
using RGBColor16 = RGBColor;

constexpr OSType kTintfloodSignature = HOSTAPI_FOURCC('T', 'n', 'F', 'l');
constexpr int16_t kTintfloodSettingsVersion = 3;
constexpr int kPaletteFileSize = 256;

class TintfloodSettings {
public:
    TintfloodSettings() { SetDefaults(); }
    virtual ~TintfloodSettings() = default;

    void SetDefaults();
    // True for a record of this plug-in and of the version this code knows.
    bool IsValid() const;

    OSType signature;
    int16_t version;
    uint8_t byteOrderFlag;               // always 0
    RGBColor16 fillColor;                // the colour of the areas to be filled
    char paletteFile[kPaletteFileSize];  // swatch file name; the last byte is always 0
    uint16_t tolerance;                  // per-channel distance still counted as fillColor
    uint8_t reservedFlag;                // kept, never consulted
    uint8_t randomColors;                // 1: random fill colours; 0: the palette first
    uint8_t measureArea;  // 1: an area's size is its pixel count; 0: height and width
    uint8_t flagAreas;    // paint areas up to flagSize with flagColor
    RGBColor16 flagColor;
    uint32_t flagSize;
    uint8_t joinAreas;  // give areas up to joinSize the nearest normal area's colour
    uint32_t joinSize;
};
