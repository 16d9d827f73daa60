// The keys and classes of Tintflood's scripting descriptor. The terminology
// resource (AETE 16000 in Tintflood.rc) names the same codes.
#pragma once

#include "Descriptors.h"

// The event and class under which the host records Tintflood.
constexpr DescriptorKeyID kTintfloodEventKey = HOSTAPI_FOURCC('T', 'n', 'F', 'l');

// Settings keys.
constexpr DescriptorKeyID keyFlagColor = HOSTAPI_FOURCC('C', 'l', 'r', ' ');
constexpr DescriptorKeyID keyFillColor = HOSTAPI_FOURCC('B', 'c', 'k', 'C');
constexpr DescriptorKeyID keyPaletteFile = HOSTAPI_FOURCC('P', 'l', 't', 'F');
constexpr DescriptorKeyID keyTolerance = HOSTAPI_FOURCC('T', 'l', 'r', 'n');
constexpr DescriptorKeyID keyRandomColors = HOSTAPI_FOURCC('R', 'a', 'n', 'D');
constexpr DescriptorKeyID keyMeasureArea = HOSTAPI_FOURCC('A', 'r', ' ', ' ');
constexpr DescriptorKeyID keyFlagAreas = HOSTAPI_FOURCC('F', 'l', 'a', 'G');
constexpr DescriptorKeyID keyJoinAreas = HOSTAPI_FOURCC('J', 'o', 'i', 'N');
constexpr DescriptorKeyID keyFlagSize = HOSTAPI_FOURCC('F', 'l', 'g', 'S');
constexpr DescriptorKeyID keyJoinSize = HOSTAPI_FOURCC('J', 'i', 'n', 'S');

// A colour object: class and channel keys. Tintflood ends each colour object
// it writes with an integer entry under the zero key.
constexpr DescriptorClassID classRGBColor = HOSTAPI_FOURCC('R', 'G', 'B', 'C');
constexpr DescriptorKeyID keyRed = HOSTAPI_FOURCC('R', 'd', ' ', ' ');
constexpr DescriptorKeyID keyGreen = HOSTAPI_FOURCC('G', 'r', 'n', ' ');
constexpr DescriptorKeyID keyBlue = HOSTAPI_FOURCC('B', 'l', ' ', ' ');
constexpr DescriptorKeyID keyColorEnd = 0;
