// The host offers its dialog toolkit to every plug-in it runs: the suites
// are registered as the program starts. Every program linking this library
// links this file too, through the symbol below (see CMakeLists.txt).
#include "host/dialog/ToolkitSuites.h"

extern "C" {
extern const bool oxhost_dialog_toolkit_offered;
const bool oxhost_dialog_toolkit_offered = (oxhost::RegisterDialogToolkitSuites(), true);
}
