#include "DialogPlacement.h"

#include <algorithm>

namespace {

// The parent's inner area in screen coordinates; the desktop stands in for
// a box without a parent.
ScreenRect ParentArea(NativeDialogs& platform, NativeWindow dialog) {
    NativeWindow parent = platform.Parent(dialog);
    if (parent == nullptr) {
        parent = platform.Desktop();
    }
    const ScreenRect client = platform.ClientRect(parent);
    const ScreenPoint topLeft = platform.ClientToScreen(parent, {client.left, client.top});
    const ScreenPoint bottomRight = platform.ClientToScreen(parent, {client.right, client.bottom});
    return ScreenRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

}  // namespace

void PlaceDialog(NativeDialogs& platform, NativeWindow dialog) {
    const ScreenRect parent = ParentArea(platform, dialog);

    int32_t shift = platform.Metric(SystemMetric::TitleButtonWidth);
    if (!platform.HasSystemMenu(dialog)) {
        shift -= shift / 3;
    }

    const ScreenRect frame = platform.WindowRect(dialog);
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const int32_t parentWidth = parent.right - parent.left;
    const int32_t parentHeight = parent.bottom - parent.top;

    int32_t x = parent.left + std::max(0, parentWidth - width) / 2 - shift;
    int32_t y = parent.top + std::max(0, parentHeight - height) / 3;

    const int32_t screenWidth = platform.Metric(SystemMetric::ScreenWidth);
    const int32_t screenHeight = platform.Metric(SystemMetric::ScreenHeight);
    if (x + width > screenWidth) {
        x = std::max(0, screenWidth - width);
    }
    if (y + height > screenHeight) {
        y = std::max(0, screenHeight - height);
    }
    platform.MoveWindow(dialog, x, y);
}
