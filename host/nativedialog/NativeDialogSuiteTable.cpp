#include "host/nativedialog/NativeDialogSuiteTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/CallerBuffer.h"
#include "host/dialog/FileListSuiteServing.h"
#include "host/run/SuiteRegistry.h"

namespace oxhost {
namespace {

NativeDialogFace* currentFace = nullptr;
// Boxes being run, innermost last: the only box references the table accepts.
std::vector<ModalBox*> openBoxes;
// The desktop's reference: the address of this byte, never dereferenced.
char desktopToken = 0;

OxWindowRef Desktop() {
    return &desktopToken;
}

ModalBox* FindBox(OxWindowRef window) {
    for (ModalBox* box : openBoxes) {
        if (box->Window() == window) {
            return box;
        }
    }
    return nullptr;
}

class OpenBox {
public:
    explicit OpenBox(ModalBox& box) { openBoxes.push_back(&box); }
    ~OpenBox() { openBoxes.pop_back(); }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
};

intptr_t HOSTAPI_CALL RunModal(const unsigned char* dialogTemplate, size_t templateSize,
                               OxWindowRef owner, OxDialogProc procedure, intptr_t initParam) {
    oxres::DialogTemplate dialog;
    if (currentFace == nullptr || procedure == nullptr || dialogTemplate == nullptr ||
        !oxres::ReadDialogTemplate(dialogTemplate, templateSize, &dialog)) {
        return -1;
    }
    try {
        ModalBox box(LayOutBox(dialog), owner, procedure);
        OpenBox open(box);
        if (!currentFace->RunModal(box, initParam)) {
            return -1;
        }
        return box.Result();
    } catch (...) {
        // Nothing may cross back into the plug-in.
        return -1;
    }
}

void HOSTAPI_CALL EndModal(OxWindowRef window, intptr_t result) {
    if (ModalBox* box = FindBox(window)) {
        box->End(result);
    }
}

OxWindowRef HOSTAPI_CALL ActiveWindow() {
    // oxhost has no window of its own; an open box is the active one.
    return openBoxes.empty() ? nullptr : openBoxes.back()->Window();
}

void HOSTAPI_CALL SetItemText(OxWindowRef window, int32_t itemId, const char* text) {
    ModalBox* box = FindBox(window);
    if (box != nullptr && box->SetItemText(itemId, text)) {
        currentFace->ItemTextChanged(*box, itemId);
    }
}

int32_t HOSTAPI_CALL GetItemText(OxWindowRef window, int32_t itemId, char* buffer,
                                 int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    const ModalBox* box = FindBox(window);
    const BoxItem* item = box == nullptr ? nullptr : box->Item(itemId);
    if (item == nullptr) {
        return 0;
    }
    return int32_t(CopyToCallerBuffer(item->text, buffer, capacity));
}

OxWindowRef HOSTAPI_CALL ParentWindow(OxWindowRef window) {
    const ModalBox* box = FindBox(window);
    return box == nullptr ? nullptr : box->Owner();
}

OxWindowRef HOSTAPI_CALL DesktopWindow() {
    return Desktop();
}

// The window's inner area in screen coordinates; false for an unknown window.
bool ClientArea(OxWindowRef window, OxScreenRect& area) {
    if (currentFace == nullptr) {
        return false;
    }
    if (window == Desktop()) {
        area = currentFace->Screen();
        return true;
    }
    if (const ModalBox* box = FindBox(window)) {
        area = currentFace->ClientArea(*box);
        return true;
    }
    return false;
}

void HOSTAPI_CALL ClientRect(OxWindowRef window, OxScreenRect* rect) {
    OxScreenRect area = {};
    if (rect != nullptr && ClientArea(window, area)) {
        *rect = {0, 0, area.right - area.left, area.bottom - area.top};
    }
}

void HOSTAPI_CALL ClientToScreen(OxWindowRef window, int32_t* x, int32_t* y) {
    OxScreenRect area = {};
    if (x != nullptr && y != nullptr && ClientArea(window, area)) {
        *x += area.left;
        *y += area.top;
    }
}

void HOSTAPI_CALL WindowRect(OxWindowRef window, OxScreenRect* rect) {
    if (rect == nullptr || currentFace == nullptr) {
        return;
    }
    if (const ModalBox* box = FindBox(window)) {
        *rect = currentFace->Frame(*box);
    } else if (window == Desktop()) {
        *rect = currentFace->Screen();
    }
}

SPBoolean HOSTAPI_CALL HasSystemMenu(OxWindowRef window) {
    const ModalBox* box = FindBox(window);
    return box != nullptr && box->Layout().hasSystemMenu ? 1 : 0;
}

int32_t HOSTAPI_CALL SystemMetric(int32_t which) {
    if (currentFace == nullptr) {
        return 0;
    }
    const OxScreenRect screen = currentFace->Screen();
    switch (which) {
        case kOxMetricScreenWidth:
            return screen.right - screen.left;
        case kOxMetricScreenHeight:
            return screen.bottom - screen.top;
        case kOxMetricTitleButtonWidth:
            return currentFace->TitleButtonWidth();
        default:
            return 0;
    }
}

void HOSTAPI_CALL MoveWindow(OxWindowRef window, int32_t x, int32_t y) {
    if (ModalBox* box = FindBox(window)) {
        currentFace->Move(*box, x, y);
    }
}

SPErr HOSTAPI_CALL BrowseUrl(const char* url) {
    if (url == nullptr || currentFace == nullptr) {
        return kSPBadParameterError;
    }
    try {
        currentFace->OpenAddress(url);
        return kSPNoError;
    } catch (...) {
        return kSPBadParameterError;
    }
}

const NativeDialogSuite nativeDialogSuite = {
    RunModal,      EndModal,      ActiveWindow, SetItemText,    GetItemText,
    ParentWindow,  DesktopWindow, ClientRect,   ClientToScreen, WindowRect,
    HasSystemMenu, SystemMetric,  MoveWindow};

// Only BrowseUrl: the file listing slots are for no plug-in of ours.
const GetFileListSuite browserSuite = FileListSuiteServing(BrowseUrl);

}  // namespace

const NativeDialogSuite* NativeDialogSuiteTable() {
    return &nativeDialogSuite;
}

const GetFileListSuite* BrowserSuiteTable() {
    return &browserSuite;
}

namespace {

// The file-list table that was registered before ours (the dialog toolkit
// serves one too), given back when ours goes.
const void* replacedBrowserSuite = nullptr;

const void* RegisteredSuite(const char* name, int32_t version) {
    SuiteRegistry& registry = SuiteRegistry::Instance();
    const void* suite = nullptr;
    if (registry.Acquire(name, version, &suite) != kSPNoError) {
        return nullptr;
    }
    registry.Release(name, version);
    return suite;
}

}  // namespace

void RegisterNativeDialogSuite(NativeDialogFace& face) {
    SuiteRegistry& registry = SuiteRegistry::Instance();
    const void* previous = RegisteredSuite(kGetFileListSuiteName, kGetFileListSuiteVersion);
    if (previous != &browserSuite) {
        replacedBrowserSuite = previous;
    }
    currentFace = &face;
    registry.Register(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion, &nativeDialogSuite);
    registry.Register(kGetFileListSuiteName, kGetFileListSuiteVersion, &browserSuite);
}

void UnregisterNativeDialogSuite() {
    SuiteRegistry& registry = SuiteRegistry::Instance();
    registry.Unregister(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion);
    if (replacedBrowserSuite != nullptr) {
        registry.Register(kGetFileListSuiteName, kGetFileListSuiteVersion, replacedBrowserSuite);
    } else {
        registry.Unregister(kGetFileListSuiteName, kGetFileListSuiteVersion);
    }
    replacedBrowserSuite = nullptr;
    currentFace = nullptr;
}

}  // namespace oxhost
