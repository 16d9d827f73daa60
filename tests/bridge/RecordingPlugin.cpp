#include "RecordingPlugin.h"

PluginScript pluginScript;

int16_t RecordingPlugin::DoStart() {
    if (pluginScript.throwInStart) {
        throw int32_t(0x5061726D);  // the way suite failures travel
    }
    return Record("start", pluginScript.startResult);
}

PluginObject* CreatePluginObject() {
    if (pluginScript.failCreation) {
        return nullptr;
    }
    return new RecordingPlugin(++pluginScript.created);
}
