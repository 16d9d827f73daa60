#include "host/nativedialog/FltkBoxFace.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "host/nativedialog/BrowserLauncher.h"
#include "host/nativedialog/FltkBoxWindow.h"

namespace oxhost {
namespace {

constexpr int32_t kCancelItem = 2;

// Keeps the face's map of windows in step with the box being run.
class WindowEntry {
public:
    WindowEntry(std::map<const ModalBox*, FltkBoxWindow*>& windows, const ModalBox& box,
                FltkBoxWindow& window)
        : windows(windows), box(box) {
        windows[&box] = &window;
    }
    ~WindowEntry() { windows.erase(&box); }
    WindowEntry(const WindowEntry&) = delete;
    WindowEntry& operator=(const WindowEntry&) = delete;

private:
    std::map<const ModalBox*, FltkBoxWindow*>& windows;
    const ModalBox& box;
};

// One pending close hook; removed when the box is over, however it ended.
struct CloseRequest {
    FltkBoxFace* face;
    FltkBoxWindow* window;
    ModalBox* box;
};

}  // namespace

FltkBoxHooks FltkBoxHooks::FromEnvironment() {
    FltkBoxHooks hooks;
    if (const char* delay = std::getenv("OXHOST_TEST_CLOSE_AFTER_MS")) {
        hooks.closeAfterMs = std::atoi(delay);
    }
    if (const char* path = std::getenv("OXHOST_TEST_SNAPSHOT")) {
        hooks.snapshotPath = path;
    }
    return hooks;
}

FltkBoxFace::FltkBoxFace(FltkBoxHooks hooks) : hooks(std::move(hooks)) {}

FltkBoxFace::~FltkBoxFace() = default;

bool FltkBoxFace::OpenDisplay() {
    if (fl_display != nullptr) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    // Opened here rather than by FLTK, which ends the process when it cannot.
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

bool FltkBoxFace::RunModal(ModalBox& box, intptr_t initParam) {
    if (!OpenDisplay()) {
        return false;
    }
    auto window = std::make_unique<FltkBoxWindow>(box);
    WindowEntry entry(windows, box, *window);
    box.Initialise(initParam);
    if (!box.Ended()) {
        window->set_modal();
        window->show();
        // Keys go to the box even where no window manager gives it the focus.
        Fl::focus(window.get());
        CloseRequest request{this, window.get(), &box};
        if (hooks.closeAfterMs >= 0) {
            Fl::add_timeout(hooks.closeAfterMs / 1000.0, CloseTimeout, &request);
        }
        while (!box.Ended() && window->shown()) {
            Fl::wait();
        }
        Fl::remove_timeout(CloseTimeout, &request);
        // Hidden by anything but EndModal: as if closed with the close button.
        box.End(kCancelItem);
    }
    window->hide();
    Fl::flush();
    return true;
}

void FltkBoxFace::CloseTimeout(void* data) {
    const CloseRequest& request = *static_cast<CloseRequest*>(data);
    if (!request.face->hooks.snapshotPath.empty()) {
        request.face->SaveSnapshot(*request.window);
    }
    // Through FLTK's own keyboard routing, as a key the user pressed.
    static char escapeText[] = "\x1b";
    Fl::e_keysym = FL_Escape;
    Fl::e_text = escapeText;
    Fl::e_length = 1;
    Fl::handle(FL_KEYBOARD, request.window);
    // A run under the hook must end, and tell when the key did not do it.
    if (!request.box->Ended()) {
        request.face->hookProblem = "the Escape key left the box open";
        request.box->End(-1);
    } else if (request.box->Result() != 0) {
        request.face->hookProblem =
            "the Escape key closed the box with " + std::to_string(request.box->Result());
    }
    // Fl::wait() does not return after a timeout's callback by itself; the
    // window going away is an X event that wakes it.
    request.window->hide();
}

void FltkBoxFace::SaveSnapshot(FltkBoxWindow& window) {
    window.redraw();
    Fl::flush();
    window.make_current();
    const int width = window.w();
    const int height = window.h();
    // fl_read_image hands out an array made with new[].
    std::unique_ptr<uchar[]> pixels(fl_read_image(nullptr, 0, 0, width, height));
    if (pixels == nullptr) {
        hookProblem = "cannot read the box's pixels";
        return;
    }
    Document snapshot;
    snapshot.width = width;
    snapshot.height = height;
    snapshot.pixels.assign(pixels.get(), pixels.get() + size_t(width) * size_t(height) * 3);
    try {
        SaveImageFile(snapshot, hooks.snapshotPath);
    } catch (const HostError& error) {
        hookProblem = error.what();
    }
}

FltkBoxWindow* FltkBoxFace::WindowOf(const ModalBox& box) const {
    const auto found = windows.find(&box);
    return found == windows.end() ? nullptr : found->second;
}

void FltkBoxFace::ItemTextChanged(ModalBox& box, int32_t itemId) {
    if (FltkBoxWindow* window = WindowOf(box)) {
        window->RefreshItem(itemId);
    }
}

OxScreenRect FltkBoxFace::Screen() {
    if (!OpenDisplay()) {
        return {0, 0, 0, 0};
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Fl::screen_xywh(x, y, width, height, 0);
    return {0, 0, x + width, y + height};
}

int32_t FltkBoxFace::TitleButtonWidth() {
    return kTitleButtonWidth;
}

OxScreenRect FltkBoxFace::ClientArea(const ModalBox& box) {
    const FltkBoxWindow* window = WindowOf(box);
    if (window == nullptr) {
        return {0, 0, 0, 0};
    }
    return {window->x(), window->y(), window->x() + window->w(), window->y() + window->h()};
}

OxScreenRect FltkBoxFace::Frame(const ModalBox& box) {
    return ClientArea(box);
}

void FltkBoxFace::Move(ModalBox& box, int32_t x, int32_t y) {
    if (FltkBoxWindow* window = WindowOf(box)) {
        window->position(x, y);
    }
}

void FltkBoxFace::OpenAddress(const std::string& address) {
    LaunchBrowser(address);
}

}  // namespace oxhost
