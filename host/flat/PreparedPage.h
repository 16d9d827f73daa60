// The page the filters receive: pure black line work on pure white, so that
// the flood fill's white areas and the flatting filter's line pixels are
// exactly the mask's paper and ink.
#pragma once

#include "host/flat/InkMask.h"
#include "host/image/Document.h"

namespace oxhost {

// RGB document without alpha: ink pixels (0,0,0), paper (255,255,255).
// Throws HostError when the mask data does not match its size.
Document PreparedDocument(const InkMask& mask);

}  // namespace oxhost
