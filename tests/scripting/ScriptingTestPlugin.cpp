// The bridge asks every program that links it for the deliverable's plug-in
// object; these tests never run the entry point, so the base object will do.
#include <new>

#include "PluginObject.h"

PluginObject* CreatePluginObject() {
    return new (std::nothrow) PluginObject();
}
