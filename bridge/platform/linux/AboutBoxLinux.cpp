// On Linux our host shows the plug-ins' native boxes through its native
// dialog suite; the box's dialog template and texts come from this module's
// own resources. A host without that suite cannot show the box: the About
// box is then skipped, and the about selector still succeeds.
#include <algorithm>
#include <cstring>

#include "AboutBox.h"
#include "AboutBoxDialog.h"
#include "ModuleResources.h"
#include "NativeDialogSuite.h"
#include "ScopedSuite.h"

namespace {

constexpr int32_t kNotShown = -1;

class HostNativeDialogs : public NativeDialogs {
public:
    explicit HostNativeDialogs(const NativeDialogSuite& suite) : suite(suite) {}

    intptr_t RunModal(void* /*plugInRef*/, int32_t dialogId, NativeWindow owner,
                      DialogProcedure procedure, intptr_t initParam) override {
        // Resources always come from this module itself on Linux.
        const ResourceBytes dialog = LoadModuleResource("DIALOG", dialogId);
        if (dialog.data == nullptr) {
            return kNotShown;
        }
        return suite.RunModal(dialog.data, dialog.size, owner, procedure, initParam);
    }
    void EndModal(NativeWindow window, intptr_t result) override { suite.EndModal(window, result); }
    NativeWindow ActiveWindow() override { return suite.ActiveWindow(); }
    int32_t LoadText(int32_t id, char* buffer, int32_t capacity) override {
        if (capacity <= 0) {
            return 0;
        }
        const ResourceBytes text = LoadModuleResource("STRING", id);
        const size_t count = text.data == nullptr ? 0 : std::min(text.size, size_t(capacity - 1));
        if (count > 0) {
            std::memcpy(buffer, text.data, count);
        }
        buffer[count] = '\0';
        return int32_t(count);
    }
    void SetItemText(NativeWindow window, int32_t itemId, const char* text) override {
        suite.SetItemText(window, itemId, text);
    }
    int32_t GetItemText(NativeWindow window, int32_t itemId, char* buffer,
                        int32_t capacity) override {
        return suite.GetItemText(window, itemId, buffer, capacity);
    }
    NativeWindow Parent(NativeWindow window) override { return suite.ParentWindow(window); }
    NativeWindow Desktop() override { return suite.DesktopWindow(); }
    ScreenRect ClientRect(NativeWindow window) override {
        OxScreenRect rect = {};
        suite.ClientRect(window, &rect);
        return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    ScreenPoint ClientToScreen(NativeWindow window, ScreenPoint point) override {
        suite.ClientToScreen(window, &point.x, &point.y);
        return point;
    }
    ScreenRect WindowRect(NativeWindow window) override {
        OxScreenRect rect = {};
        suite.WindowRect(window, &rect);
        return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    bool HasSystemMenu(NativeWindow window) override { return suite.HasSystemMenu(window) != 0; }
    int32_t Metric(SystemMetric which) override {
        switch (which) {
            case SystemMetric::ScreenWidth:
                return suite.SystemMetric(kOxMetricScreenWidth);
            case SystemMetric::ScreenHeight:
                return suite.SystemMetric(kOxMetricScreenHeight);
            case SystemMetric::TitleButtonWidth:
                return suite.SystemMetric(kOxMetricTitleButtonWidth);
        }
        return 0;
    }
    void MoveWindow(NativeWindow window, int32_t x, int32_t y) override {
        suite.MoveWindow(window, x, y);
    }

private:
    const NativeDialogSuite& suite;
};

// Every call of the adapter goes straight to the suite, so a suite with a
// missing entry is treated like a missing suite.
bool IsComplete(const NativeDialogSuite& suite) {
    return suite.RunModal != nullptr && suite.EndModal != nullptr &&
           suite.ActiveWindow != nullptr && suite.SetItemText != nullptr &&
           suite.GetItemText != nullptr && suite.ParentWindow != nullptr &&
           suite.DesktopWindow != nullptr && suite.ClientRect != nullptr &&
           suite.ClientToScreen != nullptr && suite.WindowRect != nullptr &&
           suite.HasSystemMenu != nullptr && suite.SystemMetric != nullptr &&
           suite.MoveWindow != nullptr;
}

// The host's suite, or null when this host has none.
const NativeDialogSuite* AcquireNativeDialogs(ScopedSuite& holder) {
    try {
        return holder.As<NativeDialogSuite>();
    } catch (int32_t) {
        return nullptr;
    }
}

}  // namespace

int32_t ShowAboutBox(void* plugInRef, int32_t dialogId) {
    ScopedSuite holder(kOxNativeDialogSuiteName, kOxNativeDialogSuiteVersion);
    const NativeDialogSuite* suite = AcquireNativeDialogs(holder);
    if (suite == nullptr || !IsComplete(*suite)) {
        return kNotShown;
    }
    HostNativeDialogs platform(*suite);
    return ShowAboutBox(platform, plugInRef, dialogId);
}
