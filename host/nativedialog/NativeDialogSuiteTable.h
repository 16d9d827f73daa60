// The host's "Oxlen Native Dialog Suite" 1 and the BrowseUrl of
// "Photoshop GetFileList Suite for Plug-ins" 4, served through SuiteRegistry
// over one NativeDialogFace. The tables' functions carry no context, so one
// face serves the whole process at a time.
#pragma once

#include "GetFileListSuite.h"
#include "NativeDialogSuite.h"
#include "host/nativedialog/NativeDialogFace.h"

namespace oxhost {

// Registers both suites over `face`, replacing any earlier registration of
// the same names; `face` must outlive the registration.
void RegisterNativeDialogSuite(NativeDialogFace& face);
// Takes both suites away again.
void UnregisterNativeDialogSuite();

// The tables themselves (tests call them directly). Without a registered
// face RunModal returns -1 and BrowseUrl an error.
const NativeDialogSuite* NativeDialogSuiteTable();
const GetFileListSuite* BrowserSuiteTable();

// Registers on construction, unregisters on destruction.
class NativeDialogRegistration {
public:
    explicit NativeDialogRegistration(NativeDialogFace& face) { RegisterNativeDialogSuite(face); }
    ~NativeDialogRegistration() { UnregisterNativeDialogSuite(); }
    NativeDialogRegistration(const NativeDialogRegistration&) = delete;
    NativeDialogRegistration& operator=(const NativeDialogRegistration&) = delete;
};

}  // namespace oxhost
