#include "TintfloodDescriptor.h"

namespace oxhost {

using namespace tintfloodkeys;

Descriptor TintfloodColorObject(const RGBColor& color) {
    Descriptor object;
    object.entries = {DescriptorEntry::Integer(kRed, color.red),
                      DescriptorEntry::Integer(kGreen, color.green),
                      DescriptorEntry::Integer(kBlue, color.blue), DescriptorEntry::Integer(0, 0)};
    return object;
}

namespace {

DescriptorEntry ColorEntry(DescriptorKeyID key, const RGBColor& color) {
    return DescriptorEntry::Object(key, kRgbColorClass, TintfloodColorObject(color));
}

// int32 is how the descriptor carries the record's 32-bit sizes.
DescriptorEntry SizeEntry(DescriptorKeyID key, uint32_t size) {
    return DescriptorEntry::Integer(key, int32_t(size));
}

}  // namespace

Descriptor TintfloodDefaultDescriptor() {
    Descriptor descriptor;
    descriptor.entries = {
        ColorEntry(kFillColor, RGBColor{65535, 65535, 65535}),
        ColorEntry(kFlagColor, RGBColor{65535, 0, 65535}),
        DescriptorEntry::Text(kPalette, ""),
        DescriptorEntry::Integer(kTolerance, 0),
        DescriptorEntry::Boolean(kRandomColors, false),
        DescriptorEntry::Boolean(kMeasureArea, false),
        DescriptorEntry::Boolean(kFlagAreas, false),
        DescriptorEntry::Boolean(kJoinAreas, false),
        SizeEntry(kFlagSize, 20),
        SizeEntry(kJoinSize, 10),
    };
    return descriptor;
}

void ApplyTintfloodChoices(const TintfloodChoices& choices, Descriptor& descriptor) {
    if (choices.fillColor) {
        descriptor.Set(ColorEntry(kFillColor, *choices.fillColor));
    }
    if (choices.flagColor) {
        descriptor.Set(ColorEntry(kFlagColor, *choices.flagColor));
    }
    if (choices.palette) {
        descriptor.Set(DescriptorEntry::Text(kPalette, *choices.palette));
        descriptor.Set(DescriptorEntry::Boolean(kRandomColors, false));
    }
    if (choices.tolerance) {
        descriptor.Set(DescriptorEntry::Integer(kTolerance, *choices.tolerance));
    }
    if (choices.random) {
        descriptor.Set(DescriptorEntry::Boolean(kRandomColors, true));
    }
    if (choices.measureArea) {
        descriptor.Set(DescriptorEntry::Boolean(kMeasureArea, *choices.measureArea));
    }
    if (choices.flagSize) {
        descriptor.Set(DescriptorEntry::Boolean(kFlagAreas, true));
        descriptor.Set(SizeEntry(kFlagSize, *choices.flagSize));
    }
    if (choices.joinSize) {
        descriptor.Set(DescriptorEntry::Boolean(kJoinAreas, true));
        descriptor.Set(SizeEntry(kJoinSize, *choices.joinSize));
    }
}

}  // namespace oxhost
