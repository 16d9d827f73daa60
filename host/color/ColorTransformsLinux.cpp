// On Linux the managed spaces convert through Little CMS.
#include "host/color/ColorTransformTable.h"
#include "host/color/ColorTransforms.h"

namespace oxhost {

std::unique_ptr<const ColorTransforms> MakeColorTransforms(const std::string& cmykProfilePath) {
    return std::make_unique<ColorTransformTable>(cmykProfilePath);
}

}  // namespace oxhost
