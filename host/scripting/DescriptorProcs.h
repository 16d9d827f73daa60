// The scripting callback tables the host puts in PIDescriptorParameters.
//
// Readers: openReadDescriptorProc copies the descriptor out of the handle it
// is given (the handle stays the caller's) and returns null for a null,
// unknown or damaged handle. getKeyProc walks the entries in order; each
// getter reads the entry getKeyProc moved to and returns paramErr when there
// is none or its kind differs (counts read integers, strings read text).
// getTextProc, getAliasProc and getObjectProc hand out a NEW handle that the
// caller disposes. Pinned getters clamp to the bounds given; a null bound is
// no bound. closeReadDescriptorProc returns kDescriptorKeyMissing when a key
// of the key list never came up.
//
// Writers: every put appends an entry, in order. putObjectProc and
// putScopedObjectProc copy the nested descriptor; that handle stays the
// caller's. putTextProc and putAliasProc copy the bytes and TAKE the handle
// over: the host disposes it, whether the put succeeds or not, because
// plug-ins do not release a text handle after putting it. Handles must be
// the host's own (HostHandles); others are refused with nilHandleErr.
// closeWriteDescriptorProc hands the finished descriptor out in a NEW handle
// that the caller owns.
#pragma once

#include "Descriptors.h"

namespace oxhost {

// Version 0, 18 callbacks, all present.
ReadDescriptorProcs* HostReadDescriptorProcs();
// Version 0, 16 callbacks, all present.
WriteDescriptorProcs* HostWriteDescriptorProcs();

}  // namespace oxhost
