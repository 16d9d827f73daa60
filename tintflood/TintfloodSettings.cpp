#include "TintfloodSettings.h"

#include <cstring>

void TintfloodSettings::SetDefaults() {
    signature = kTintfloodSignature;
    version = kTintfloodSettingsVersion;
    byteOrderFlag = 0;
    fillColor = RGBColor16{65535, 65535, 65535};
    std::memset(paletteFile, 0, sizeof(paletteFile));
    tolerance = 0;
    reservedFlag = 0;
    randomColors = 0;
    measureArea = 0;
    flagAreas = 0;
    flagColor = RGBColor16{65535, 0, 65535};
    flagSize = 20;
    joinAreas = 0;
    joinSize = 10;
}

bool TintfloodSettings::IsValid() const {
    return signature == kTintfloodSignature && version == kTintfloodSettingsVersion;
}
