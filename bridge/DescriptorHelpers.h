// Small operations over the host's scripting descriptor callbacks, shared by
// the code that reads a replayed descriptor and the code that records one.
// Closing and putting require a usable block (DescriptorProcsUsable) whose
// writing callbacks they call are present.
#pragma once

#include "Descriptors.h"
#include "HandleProcs.h"

// True when the block is of version 0 and both callback tables are present,
// of version 0 and long enough (18 reading, 16 writing callbacks), and every
// reading callback is non-null. Writing callbacks are not checked one by one.
bool DescriptorProcsUsable(const PIDescriptorParameters* parameters);

// Closes the reader opened on the block's descriptor, disposes of that
// descriptor (reading is destructive) and sets `reader` to null. Returns the
// host's result of the close.
OSErr CloseDescriptorReader(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                            PIReadDescriptor& reader);

// Closes the main writer and hands the finished descriptor to the host in the
// block, disposing of any descriptor still held there; recordInfo becomes
// plugInDialogOptional and `writer` null. Returns the host's result of the close.
OSErr CloseDescriptorWriter(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                            PIWriteDescriptor& writer);

// Puts the nested descriptor `object` under `key`. On success the handle is
// disposed of and set to null; on failure it stays the caller's.
OSErr PutDescriptorObject(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                          PIWriteDescriptor writer, DescriptorKeyID key, DescriptorClassID type,
                          PIDescriptorHandle& object);

// True exactly when the host asks for the dialog on replay (playInfo 1).
bool DialogRequested(const PIDescriptorParameters* parameters);
