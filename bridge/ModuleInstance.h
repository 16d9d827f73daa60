// The module that dialogs, strings and pictures are loaded from: the
// plug-in's own, or the one the host names for its plug-in reference.
#pragma once

// With a null reference, the cached instance (the module's own until the
// host names another). Otherwise asks "SP Access Suite" 3 for the
// reference's access record and caches its resource module (its default
// module when that is null). Host refusals leave the cache as it was; a
// failed access-record query gives null. Throws the host's code when the
// suite cannot be acquired.
void* ModuleInstance(void* pluginRef);

// The module's own instance, as the platform names it.
void* OwnModuleInstance();

// Sets the cache: the platform's loader does so as the module (or a thread of
// the host) comes and goes.
void ResetModuleInstanceCache(void* instance);
