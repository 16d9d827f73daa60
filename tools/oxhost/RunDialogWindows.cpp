// The Windows build has no window face for the host's dialog toolkit: the
// options dialog runs from a script only.
#include "RunDialog.h"
#include "host/HostError.h"

namespace oxhost {

std::unique_ptr<DialogFace> RunDialog::WindowFace() {
    throw HostError(
        "--dialog needs a script on this build of oxhost: --dialog-script FILE answers the "
        "options dialog from a script of steps");
}

ColorPickerScript RunDialog::WindowPicker() const {
    return ColorPickerScript(std::vector<PickedColor>{});
}

}  // namespace oxhost
