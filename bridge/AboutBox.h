// The About box of a deliverable: its text (string resource dialogId) and a
// button that opens the vendor's web site. Each platform shows it its own way.
#pragma once

#include <cstdint>

// Shows the box modally; returns the dialog box result.
int32_t ShowAboutBox(void* plugInRef, int32_t dialogId);
