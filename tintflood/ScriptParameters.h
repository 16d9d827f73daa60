// Tintflood's settings in the host's scripting descriptors: the replayed
// descriptor is read at the start of parameters and start, and every run that
// gets through its fill records the settings it used.
#pragma once

#include "Descriptors.h"
#include "FilterRecord.h"
#include "TintfloodSettings.h"

// Applies the keys of the replayed descriptor to `settings` (fields whose key
// is absent keep their values) and consumes the descriptor, so a second read
// changes nothing. Returns true when the options dialog is to be shown: the
// host offers no usable scripting callbacks, or asks for the dialog.
bool ReadScriptParameters(FilterRecord* record, TintfloodSettings& settings);

// Hands the host a new descriptor with all ten keys of `settings`, replacing
// any descriptor still in the block. Does nothing without usable callbacks.
void WriteScriptParameters(FilterRecord* record, const TintfloodSettings& settings);

// Reads the colour object under the key `reader` has just reported. Channels
// missing from the object become 0; when the object cannot be fetched or
// opened `color` is left alone. Returns the host's result (non-zero then).
// Requires usable scripting callbacks.
OSErr ReadColorObject(FilterRecord* record, PIReadDescriptor reader, RGBColor16& color);

// Puts `color` under `key` as an object of class 'RGBC'; when the host
// refuses a step the key is left out. Requires usable scripting callbacks.
void WriteColorObject(FilterRecord* record, PIWriteDescriptor writer, DescriptorKeyID key,
                      const RGBColor16& color);
