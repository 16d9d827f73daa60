// A colour between decoding and encoding of the interface's 16-bit components:
// floating-point values in the units of lcms's double formats, unclamped.
#pragma once

namespace oxhost {

// Units by space: RGB and Gray 0..1; CMYK ink 0..100 (0 = no ink); Lab L* 0..100,
// a* and b* signed; HSB hue in degrees, saturation and brightness 0..1.
// Channels a space does not use are 0.
struct ColorValues {
    double channel[4] = {0.0, 0.0, 0.0, 0.0};
};

}  // namespace oxhost
