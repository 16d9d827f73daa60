#include "host/dialog/FltkFace.h"

#include <FL/Fl.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/x.H>

#include <cstdlib>
#include <string>
#include <utility>

#include "ColorServices.h"
#include "host/dialog/DialogSession.h"

namespace oxhost {
namespace {

// FLTK would end the process when it cannot open a display; opening it
// here first turns that into an answer. FLTK keeps the connection open for
// the rest of the process.
bool OpenDisplay() {
    if (fl_display != nullptr) {
        return true;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

struct AutoPress {
    std::vector<int32_t> ids;
    double delaySeconds = 0.3;
};

// ID[,ID...][:DELAY_MS]; nothing for an unset or malformed value.
AutoPress ParseAutoPress(const char* value) {
    AutoPress press;
    if (value == nullptr) {
        return press;
    }
    const std::string text = value;
    const size_t colon = text.find(':');
    const std::string ids = text.substr(0, colon);
    size_t start = 0;
    while (start <= ids.size()) {
        const size_t comma = std::min(ids.find(',', start), ids.size());
        const std::string one = ids.substr(start, comma - start);
        char* end = nullptr;
        const long id = std::strtol(one.c_str(), &end, 10);
        if (one.empty() || *end != '\0') {
            return {};
        }
        press.ids.push_back(int32_t(id));
        start = comma + 1;
    }
    if (colon != std::string::npos) {
        char* end = nullptr;
        const long milliseconds = std::strtol(text.c_str() + colon + 1, &end, 10);
        if (*end != '\0' || milliseconds < 0) {
            return {};
        }
        press.delaySeconds = double(milliseconds) / 1000.0;
    }
    return press;
}

// The presses still to make on one window; removes its timeout when the
// window is gone first.
class AutoPresser {
public:
    AutoPresser(FltkDialogWindow& window, AutoPress press, std::vector<std::string>& problems)
        : window(window), press(std::move(press)), problems(problems) {
        if (!this->press.ids.empty()) {
            Fl::add_timeout(this->press.delaySeconds, OnTime, this);
        }
    }
    ~AutoPresser() { Fl::remove_timeout(OnTime, this); }
    AutoPresser(const AutoPresser&) = delete;
    AutoPresser& operator=(const AutoPresser&) = delete;

private:
    static void OnTime(void* self) {
        auto& presser = *static_cast<AutoPresser*>(self);
        const int32_t id = presser.press.ids[presser.next++];
        if (presser.next < presser.press.ids.size()) {
            Fl::repeat_timeout(presser.press.delaySeconds, OnTime, self);
        }
        if (id == 0) {
            presser.window.Close();
        } else if (!presser.window.Press(id)) {
            presser.problems.push_back("item " + std::to_string(id) + " refused the press");
        }
    }

    FltkDialogWindow& window;
    const AutoPress press;
    std::vector<std::string>& problems;
    size_t next = 0;
};

uint8_t ComponentByte(int16_t component) {
    return uint8_t(component < 0 ? 0 : component > 255 ? 255 : component);
}

}  // namespace

std::optional<PickedColor> PickColorInWindow(const PickRequest& request) {
    uchar red = 255;
    uchar green = 255;
    uchar blue = 255;
    if (request.sourceSpace == plugIncolorServicesRGBSpace) {
        red = ComponentByte(request.startingComponents[0]);
        green = ComponentByte(request.startingComponents[1]);
        blue = ComponentByte(request.startingComponents[2]);
    }
    const std::string title = request.prompt.empty() ? "Choose a Color" : request.prompt;
    if (!OpenDisplay() || fl_color_chooser(title.c_str(), red, green, blue, 1) == 0) {
        return std::nullopt;
    }
    return PickedColor{red, green, blue};
}

bool FltkFace::DisplayAvailable() {
    return OpenDisplay();
}

int32_t FltkFace::Run(DialogSession& session) {
    ++dialogsRun;
    if (!OpenDisplay()) {
        problems.push_back("no display to show dialog \"" + session.Dialog().caption + "\" on");
        return session.EndedBy();
    }
    FltkDialogWindow window(session);
    window.Show();
    lastShown = window.Describe(capture);
    running = &session;
    {
        const AutoPresser presser(window, ParseAutoPress(std::getenv(kAutoPressVariable)),
                                  problems);
        while (window.Running()) {
            Fl::wait();
        }
    }
    running = nullptr;
    lastEnded = window.Describe(false);
    return session.EndedBy();
}

PickAnswerer FltkFace::PickerAnswerer(PickAnswerer pick) {
    return [this, pick = std::move(pick)](const PickRequest& request) {
        if (running != nullptr) {
            running->Deactivate();
        }
        return pick ? pick(request) : std::nullopt;
    };
}

}  // namespace oxhost
