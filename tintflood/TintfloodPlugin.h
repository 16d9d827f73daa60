// Tintflood's plug-in object. The multi flood fill itself is not in this
// module yet: start reports bad parameters so a host never mistakes the
// untouched image for a result.
#pragma once

#include "PluginObject.h"

class TintfloodPlugin : public PluginObject {
protected:
    int16_t DoAbout() override;
    int16_t DoPrepare() override;
    int16_t DoStart() override;
};
