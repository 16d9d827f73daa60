// The About box of a deliverable: its text (string resource dialogId) and a
// button that opens the vendor's web site. Each platform shows it its own way.
#pragma once

#include <cstdint>

// Shows the box modally through the platform's native dialogs; returns the
// dialog box result, or -1 when the platform cannot show it (on Linux: a
// host without the native dialog suite). Callers report success either way.
// Rethrows a host failure of the web site button after the box has closed.
int32_t ShowAboutBox(void* plugInRef, int32_t dialogId);
