// Action files: the descriptor a plug-in recorded, saved as JSON with the
// plug-in it belongs to, so that the run can be replayed later:
//
//   {"oxhostAction": 1, "plugin": "Tintflood...", "class": "TnFl",
//    "event": "TnFl", "descriptor": [entries as in DescriptorJson.h]}
#pragma once

#include <string>

#include "HostTypes.h"
#include "host/scripting/Descriptor.h"

namespace oxhost {

struct RecordedAction {
    std::string plugin;     // the plug-in's PiPL name
    OSType eventClass = 0;  // class and event of its scripting terminology
    OSType event = 0;
    Descriptor descriptor;
};

// Writes the file atomically: it holds the old content or the whole new one.
// Throws HostError when it cannot be written.
void SaveActionFile(const RecordedAction& action, const std::string& path);

// Throws HostError, one line naming the file, when it cannot be read or is
// not a whole action file: damaged JSON, a missing field, an unknown type.
RecordedAction LoadActionFile(const std::string& path);

// Throws HostError unless the action was recorded for the plug-in of that
// PiPL name, class and event.
void CheckActionFor(const RecordedAction& action, const std::string& piplName, OSType eventClass,
                    OSType event, const std::string& path);

}  // namespace oxhost
