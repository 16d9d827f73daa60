// On Linux the About box is served through our own host's dialog services,
// which this module does not have yet; until then the about selector shows
// nothing and succeeds, as the host expects of it.
#include "AboutBox.h"

int32_t ShowAboutBox(void* /*plugInRef*/, int32_t /*dialogId*/) {
    return 0;
}
