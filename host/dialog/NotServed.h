// What the host's suite tables hold in the slots this host does not serve.
// Plug-ins call suites by slot, so every slot of a published table is
// filled: a stray call returns a zero of the slot's result type instead of
// jumping to null. Named plainly in a table's initialiser, the slot's own
// type picks the instance.
#pragma once

#include "HostTypes.h"

namespace oxhost {

template <typename Result, typename... Arguments>
Result HOSTAPI_CALL NotServed(Arguments...) {
    return Result();
}

}  // namespace oxhost
