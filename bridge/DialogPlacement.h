// Where a plug-in's native dialog box appears: centred horizontally over its
// parent's inner area and shifted left by about a title-bar button, a third
// of the free height down, and kept on the screen.
#pragma once

#include "NativeDialogs.h"

void PlaceDialog(NativeDialogs& platform, NativeWindow dialog);
