// The frame a plug-in's dialog resource gives a toolkit dialog before its
// init callback runs: caption, size, and where OK and Cancel sit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ADMTypes.h"

namespace oxhost {

struct DialogShell {
    std::string caption;
    int32_t width = 0;
    int32_t height = 0;
    ADMRect okBounds{0, 0, 0, 0};
    ADMRect cancelBounds{0, 0, 0, 0};
};

// The shell used when the plug-in has no dialog resource of that id (or one
// this host cannot read): 300 x 200 pixels, captioned with the dialog's name,
// the buttons in the bottom right corner.
DialogShell DefaultDialogShell(const std::string& name);

// The shell a dialog resource describes: its caption, its size and the
// places of items 1 and 2, converted from dialog units to pixels; the
// default places for buttons it lacks. nullopt for bytes that are no dialog
// resource.
std::optional<DialogShell> DialogShellFromResource(const unsigned char* data, size_t size);

// Finds the shell of dialog resource `resourceId` of a plug-in; nullopt when
// there is none.
using DialogShellSource =
    std::function<std::optional<DialogShell>(void* plugin, int32_t resourceId)>;

// Reads the dialog resource from the file of the module that the plug-in
// reference names in PluginAccessTable.
std::optional<DialogShell> ReadDialogShellOfModule(void* plugin, int32_t resourceId);

}  // namespace oxhost
