// The scripting descriptor of a Tintflood run as the host builds it: the
// ten keys, in the order and with the types the plug-in writes them, from the
// settings record's defaults with the user's choices laid over them.
#pragma once

#include "TintfloodOptions.h"
#include "host/scripting/Descriptor.h"

namespace oxhost {

namespace tintfloodkeys {
constexpr DescriptorKeyID kFillColor = HOSTAPI_FOURCC('B', 'c', 'k', 'C');
constexpr DescriptorKeyID kFlagColor = HOSTAPI_FOURCC('C', 'l', 'r', ' ');
constexpr DescriptorKeyID kPalette = HOSTAPI_FOURCC('P', 'l', 't', 'F');
constexpr DescriptorKeyID kTolerance = HOSTAPI_FOURCC('T', 'l', 'r', 'n');
constexpr DescriptorKeyID kRandomColors = HOSTAPI_FOURCC('R', 'a', 'n', 'D');
constexpr DescriptorKeyID kMeasureArea = HOSTAPI_FOURCC('A', 'r', ' ', ' ');
constexpr DescriptorKeyID kFlagAreas = HOSTAPI_FOURCC('F', 'l', 'a', 'G');
constexpr DescriptorKeyID kJoinAreas = HOSTAPI_FOURCC('J', 'o', 'i', 'N');
constexpr DescriptorKeyID kFlagSize = HOSTAPI_FOURCC('F', 'l', 'g', 'S');
constexpr DescriptorKeyID kJoinSize = HOSTAPI_FOURCC('J', 'i', 'n', 'S');

// The host's RGB colour class and its channels.
constexpr DescriptorClassID kRgbColorClass = HOSTAPI_FOURCC('R', 'G', 'B', 'C');
constexpr DescriptorKeyID kRed = HOSTAPI_FOURCC('R', 'd', ' ', ' ');
constexpr DescriptorKeyID kGreen = HOSTAPI_FOURCC('G', 'r', 'n', ' ');
constexpr DescriptorKeyID kBlue = HOSTAPI_FOURCC('B', 'l', ' ', ' ');
}  // namespace tintfloodkeys

// A colour object as the plug-in writes one: the three channels zero-extended,
// then an integer 0 under the key 0.
Descriptor TintfloodColorObject(const RGBColor& color);

// The defaults of the settings record: white to replace, tolerance 0, no
// palette, palette colours first, areas measured by height and width, no
// flagging (size 20, magenta), no joining (size 10).
Descriptor TintfloodDefaultDescriptor();

// Sets the keys the user chose, replacing those the descriptor holds and
// appending those it lacks.
void ApplyTintfloodChoices(const TintfloodChoices& choices, Descriptor& descriptor);

}  // namespace oxhost
