// Resources (property list, strings, dialogs, pictures) of the plug-in
// module this code is built into, loaded by number.
#pragma once

#include <cstddef>

struct ResourceBytes {
    const unsigned char* data;  // null when the module has no such resource
    size_t size;
};

// Resource `id` of type `type` ("PIPL", "STRING", "BITMAP", ...; ASCII case
// does not matter) of the calling module. The bytes stay valid for as long as
// the module is loaded; they are never freed.
ResourceBytes LoadModuleResource(const char* type, int id);
