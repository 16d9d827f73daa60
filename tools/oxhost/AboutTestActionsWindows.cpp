#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "AboutTestActions.h"
#include "host/HostError.h"
#include "host/nativedialog/Windows1252.h"

namespace oxhost {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kWaitForBox = std::chrono::seconds(10);
constexpr auto kWaitForClose = std::chrono::seconds(10);
constexpr auto kBetweenActions = std::chrono::milliseconds(200);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kTextItem = 3;
constexpr int kSiteButton = 4;
// Inside the box, left of and above every item of the About dialog.
constexpr int kClickX = 4;
constexpr int kClickY = 4;

BOOL CALLBACK TakeDialogOfThisProcess(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::string(className) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialogOfThisProcess() {
    HWND found = nullptr;
    EnumWindows(TakeDialogOfThisProcess, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ItemText(HWND box, int item) {
    char text[1024] = {};
    GetDlgItemTextA(box, item, text, sizeof text);
    return Windows1252ToUtf8(text);
}

// Line breaks ("\r\n", "\n" or "\r") as the two characters \n, so that the
// text stays on one line.
std::string OnOneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            line += "\\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += text[i];
        }
    }
    return line;
}

// Keys go to the control that has the focus in the box's thread, where a
// real key press would arrive.
HWND FocusedControl(HWND box) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) &&
        info.hwndFocus != nullptr) {
        return info.hwndFocus;
    }
    return box;
}

void Perform(const AboutAction& action, HWND box) {
    switch (action.kind) {
        case AboutAction::Kind::Text:
            std::printf("about text: %s\n", OnOneLine(ItemText(box, kTextItem)).c_str());
            break;
        case AboutAction::Kind::PrintBox:
            std::printf("%s\n[%s]\n", ItemText(box, kTextItem).c_str(),
                        ItemText(box, kSiteButton).c_str());
            break;
        case AboutAction::Kind::Site:
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(kSiteButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, kSiteButton)));
            break;
        case AboutAction::Kind::Character:
            PostMessageA(box, WM_CHAR, WPARAM(action.character), 1);
            break;
        case AboutAction::Kind::Escape: {
            HWND target = FocusedControl(box);
            const LPARAM scanCode = LPARAM(MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16;
            PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, scanCode | 1);
            PostMessageA(target, WM_KEYUP, VK_ESCAPE, scanCode | 1 | (LPARAM(3) << 30));
            break;
        }
        case AboutAction::Kind::Click:
            PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kClickX, kClickY));
            PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(kClickX, kClickY));
            break;
    }
    std::fflush(stdout);
}

}  // namespace

std::vector<AboutAction> ParseAboutActions(const std::string& text) {
    std::vector<AboutAction> actions;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        AboutAction action;
        action.name = text.substr(start, comma - start);
        const std::string& name = action.name;
        if (name == "text") {
            action.kind = AboutAction::Kind::Text;
        } else if (name == "site") {
            action.kind = AboutAction::Kind::Site;
        } else if (name == "key:escape") {
            action.kind = AboutAction::Kind::Escape;
        } else if (name == "click") {
            action.kind = AboutAction::Kind::Click;
        } else if (name.compare(0, 5, "char:") == 0 && name.size() > 5 &&
                   name.find_first_not_of("0123456789", 5) == std::string::npos &&
                   std::atoi(name.c_str() + 5) <= 255) {
            action.kind = AboutAction::Kind::Character;
            action.character = std::atoi(name.c_str() + 5);
        } else {
            throw HostError(std::string(kAboutActionsVariable) + ": unknown action '" + name +
                            "' (text, site, char:N, key:escape, click)");
        }
        actions.push_back(action);
        start = comma + 1;
    }
    return actions;
}

struct AboutActionWatcher::State {
    std::vector<AboutAction> actions;
    std::atomic<bool> selectorReturned{false};
    bool boxAppeared = false;
    std::thread thread;

    // Waits until `done` or the selector returned; false on timeout.
    template <typename Condition>
    bool WaitFor(Clock::duration limit, Condition done) {
        const auto deadline = Clock::now() + limit;
        while (!done() && !selectorReturned) {
            if (Clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
        return true;
    }

    void Watch() {
        HWND box = nullptr;
        WaitFor(kWaitForBox, [&] { return (box = FindDialogOfThisProcess()) != nullptr; });
        if (box == nullptr) {
            return;
        }
        boxAppeared = true;
        for (const AboutAction& action : actions) {
            std::this_thread::sleep_for(kBetweenActions);
            if (!IsWindow(box)) {
                std::fprintf(stderr, "oxhost: about action '%s' not done: the box has closed\n",
                             action.name.c_str());
                continue;
            }
            Perform(action, box);
        }
        if (!WaitFor(kWaitForClose, [&] { return !IsWindow(box); })) {
            std::printf("about result: none, the box is still open 10 s after the last action\n");
            std::fflush(nullptr);
            ExitProcess(1);
        }
    }
};

AboutActionWatcher::AboutActionWatcher(std::vector<AboutAction> actions)
    : state(std::make_unique<State>()) {
    state->actions = std::move(actions);
    state->thread = std::thread([this] { state->Watch(); });
}

AboutActionWatcher::~AboutActionWatcher() {
    state->selectorReturned = true;
    if (state->thread.joinable()) {
        state->thread.join();
    }
}

bool AboutActionWatcher::BoxAppeared() {
    state->selectorReturned = true;
    if (state->thread.joinable()) {
        state->thread.join();
    }
    return state->boxAppeared;
}

}  // namespace oxhost
