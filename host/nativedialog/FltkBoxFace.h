// The interactive face: each box is a real FLTK window on the X display,
// run modally; geometry answers come from that display and window. A box's
// frame is taken as its inner area, since the window manager's decoration
// is unknown before the box is shown (and absent under Xvfb).
#pragma once

#include <map>
#include <string>

#include "host/nativedialog/NativeDialogFace.h"

namespace oxhost {

class FltkBoxWindow;

// Test hooks, for runs without a user (tests, screenshots).
struct FltkBoxHooks {
    // >= 0: this many milliseconds after a box is shown, an Escape key event
    // is sent to its window as if the user pressed it (set by
    // OXHOST_TEST_CLOSE_AFTER_MS).
    int closeAfterMs = -1;
    // Not empty: right before that Escape, the box's inner area is saved as
    // this PNG file (set by OXHOST_TEST_SNAPSHOT).
    std::string snapshotPath;

    static FltkBoxHooks FromEnvironment();
};

class FltkBoxFace : public NativeDialogFace {
public:
    explicit FltkBoxFace(FltkBoxHooks hooks = {});
    ~FltkBoxFace() override;
    FltkBoxFace(const FltkBoxFace&) = delete;
    FltkBoxFace& operator=(const FltkBoxFace&) = delete;

    // Whether the X display ($DISPLAY) can be opened; opens it for FLTK.
    static bool OpenDisplay();

    // Title-bar buttons are taken to be this wide (X has no such metric).
    static constexpr int32_t kTitleButtonWidth = 18;

    // What went wrong in a test hook, if anything ("" when nothing).
    const std::string& HookProblem() const { return hookProblem; }

    bool RunModal(ModalBox& box, intptr_t initParam) override;
    void ItemTextChanged(ModalBox& box, int32_t itemId) override;
    OxScreenRect Screen() override;
    int32_t TitleButtonWidth() override;
    OxScreenRect ClientArea(const ModalBox& box) override;
    OxScreenRect Frame(const ModalBox& box) override;
    void Move(ModalBox& box, int32_t x, int32_t y) override;
    void OpenAddress(const std::string& address) override;

private:
    static void CloseTimeout(void* data);
    void SaveSnapshot(FltkBoxWindow& window);
    FltkBoxWindow* WindowOf(const ModalBox& box) const;

    FltkBoxHooks hooks;
    std::map<const ModalBox*, FltkBoxWindow*> windows;
    std::string hookProblem;
};

}  // namespace oxhost
