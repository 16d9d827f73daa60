// On Linux the options dialog can show in an FLTK window on the X display.
#include "RunDialog.h"
#include "host/HostError.h"
#include "host/dialog/FltkFace.h"

namespace oxhost {

std::unique_ptr<DialogFace> RunDialog::WindowFace() {
    if (!FltkFace::DisplayAvailable()) {
        throw HostError(
            "--dialog needs an X display (DISPLAY); --dialog-script FILE runs the dialog "
            "from a script instead");
    }
    return std::make_unique<FltkFace>();
}

ColorPickerScript RunDialog::WindowPicker() const {
    return ColorPickerScript(static_cast<FltkFace&>(*face).PickerAnswerer());
}

}  // namespace oxhost
