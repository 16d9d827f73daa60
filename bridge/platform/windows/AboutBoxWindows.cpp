// On Windows the About box is a dialog box of the system, built from dialog
// resource 16000 of the module, with GenericProc as its dialog procedure.
#include <windows.h>

#include "AboutBox.h"
#include "AboutBoxDialog.h"
#include "ModuleInstance.h"

namespace {

HWND WindowOf(NativeWindow window) {
    return static_cast<HWND>(window);
}

class WindowsDialogs : public NativeDialogs {
public:
    intptr_t RunModal(void* plugInRef, int32_t dialogId, NativeWindow owner,
                      DialogProcedure procedure, intptr_t initParam) override {
        const auto module = static_cast<HINSTANCE>(ModuleInstance(plugInRef));
        return DialogBoxParamA(module, MAKEINTRESOURCEA(dialogId), WindowOf(owner),
                               reinterpret_cast<DLGPROC>(procedure), LPARAM(initParam));
    }
    void EndModal(NativeWindow window, intptr_t result) override {
        EndDialog(WindowOf(window), INT_PTR(result));
    }
    NativeWindow ActiveWindow() override { return GetActiveWindow(); }
    int32_t LoadText(int32_t id, char* buffer, int32_t capacity) override {
        const auto module = static_cast<HINSTANCE>(ModuleInstance(nullptr));
        return LoadStringA(module, UINT(id), buffer, capacity);
    }
    void SetItemText(NativeWindow window, int32_t itemId, const char* text) override {
        SetDlgItemTextA(WindowOf(window), itemId, text);
    }
    int32_t GetItemText(NativeWindow window, int32_t itemId, char* buffer,
                        int32_t capacity) override {
        return int32_t(GetDlgItemTextA(WindowOf(window), itemId, buffer, capacity));
    }
    NativeWindow Parent(NativeWindow window) override { return GetParent(WindowOf(window)); }
    NativeWindow Desktop() override { return GetDesktopWindow(); }
    ScreenRect ClientRect(NativeWindow window) override {
        RECT rect{};
        GetClientRect(WindowOf(window), &rect);
        return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    ScreenPoint ClientToScreen(NativeWindow window, ScreenPoint point) override {
        POINT converted{point.x, point.y};
        ::ClientToScreen(WindowOf(window), &converted);
        return ScreenPoint{converted.x, converted.y};
    }
    ScreenRect WindowRect(NativeWindow window) override {
        RECT rect{};
        GetWindowRect(WindowOf(window), &rect);
        return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    bool HasSystemMenu(NativeWindow window) override {
        return (GetWindowLongA(WindowOf(window), GWL_STYLE) & WS_SYSMENU) != 0;
    }
    int32_t Metric(SystemMetric which) override {
        switch (which) {
            case SystemMetric::ScreenWidth:
                return GetSystemMetrics(SM_CXSCREEN);
            case SystemMetric::ScreenHeight:
                return GetSystemMetrics(SM_CYSCREEN);
            case SystemMetric::TitleButtonWidth:
                return GetSystemMetrics(SM_CXSIZE);
        }
        return 0;
    }
    void MoveWindow(NativeWindow window, int32_t x, int32_t y) override {
        SetWindowPos(WindowOf(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
};

}  // namespace

int32_t ShowAboutBox(void* plugInRef, int32_t dialogId) {
    WindowsDialogs platform;
    return ShowAboutBox(platform, plugInRef, dialogId);
}
