// What shows a running modal dialog to someone and turns their actions into
// toolkit events: a script without a display, or a real window. The toolkit
// builds and initialises the dialog before, and closes and destroys it after.
#pragma once

#include <cstdint>

namespace oxhost {

class DialogSession;

class DialogFace {
public:
    virtual ~DialogFace() = default;

    // Shows the dialog of `session` and acts on it through the session until
    // an item ends it; returns the id of that item. A face that stops
    // without an item having ended the dialog returns the cancel item's id.
    virtual int32_t Run(DialogSession& session) = 0;
};

}  // namespace oxhost
