// Process-wide state of a loaded module. Host callbacks are plain functions
// without a context argument, so they reach the run through these pointers;
// the host calls one module on one thread at a time, so no locks.
#pragma once

#include "SPBasic.h"

class PluginObject;

// The suite mechanism of the current call; set by the entry point on every call.
extern SPBasicSuite* basicSuite;
// The object of the run in progress (the host's data slot); null between runs.
extern PluginObject* currentPlugin;

PluginObject* CurrentPlugin();
