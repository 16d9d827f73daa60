// A scripted screen for the About box logic: windows are small integers,
// RunModal plays the init message and then the queued messages through the
// dialog procedure until the box is ended, and every call is recorded.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "NativeDialogs.h"

namespace abouttest {

struct QueuedMessage {
    uint32_t message;
    uintptr_t wordParam;
    intptr_t longParam;
};

class FakeNativeDialogs : public NativeDialogs {
public:
    static NativeWindow Window(intptr_t number) { return reinterpret_cast<NativeWindow>(number); }

    // The box RunModal opens, the host's active window and the desktop.
    const NativeWindow box = Window(1);
    const NativeWindow host = Window(2);
    const NativeWindow desktop = Window(3);

    // Screen layout: client rectangles and their screen offsets per window.
    std::map<NativeWindow, ScreenRect> clientRects;
    std::map<NativeWindow, ScreenPoint> clientOrigins;
    std::map<NativeWindow, NativeWindow> parents;
    ScreenRect boxFrame{0, 0, 300, 200};
    bool boxHasSystemMenu = true;
    int32_t screenWidth = 1920;
    int32_t screenHeight = 1080;
    int32_t titleButtonWidth = 18;

    std::map<int32_t, std::string> strings;     // LoadText
    std::map<int32_t, std::string> itemTexts;   // Set/GetItemText of the box
    std::vector<QueuedMessage> queuedMessages;  // played after init
    bool sendInit = true;

    // What happened.
    bool ran = false;
    void* runPlugInRef = nullptr;
    int32_t runDialogId = 0;
    NativeWindow runOwner = nullptr;
    DialogProcedure runProcedure = nullptr;
    intptr_t runInitParam = 0;
    std::vector<intptr_t> endResults;
    std::vector<int32_t> loadTextCapacities;
    std::vector<ScreenPoint> moves;
    size_t messagesDelivered = 0;

    intptr_t RunModal(void* plugInRef, int32_t dialogId, NativeWindow owner,
                      DialogProcedure procedure, intptr_t initParam) override {
        ran = true;
        runPlugInRef = plugInRef;
        runDialogId = dialogId;
        runOwner = owner;
        runProcedure = procedure;
        runInitParam = initParam;
        parents[box] = owner;
        if (sendInit) {
            procedure(box, kDialogInitMessage, 0, initParam);
        }
        for (const QueuedMessage& queued : queuedMessages) {
            if (!endResults.empty()) {
                break;
            }
            procedure(box, queued.message, queued.wordParam, queued.longParam);
            ++messagesDelivered;
        }
        return endResults.empty() ? -1 : endResults.front();
    }
    void EndModal(NativeWindow window, intptr_t result) override {
        if (window == box) {
            endResults.push_back(result);
        }
    }
    NativeWindow ActiveWindow() override { return host; }
    int32_t LoadText(int32_t id, char* buffer, int32_t capacity) override {
        loadTextCapacities.push_back(capacity);
        const std::string text = strings.count(id) != 0 ? strings[id] : std::string();
        const size_t count = std::min(text.size(), size_t(capacity - 1));
        text.copy(buffer, count);
        buffer[count] = '\0';
        return int32_t(count);
    }
    void SetItemText(NativeWindow window, int32_t itemId, const char* text) override {
        if (window == box) {
            itemTexts[itemId] = text;
        }
    }
    int32_t GetItemText(NativeWindow window, int32_t itemId, char* buffer,
                        int32_t capacity) override {
        const std::string text = window == box ? itemTexts[itemId] : std::string();
        const size_t count = std::min(text.size(), size_t(capacity - 1));
        text.copy(buffer, count);
        buffer[count] = '\0';
        return int32_t(count);
    }
    NativeWindow Parent(NativeWindow window) override {
        return parents.count(window) != 0 ? parents[window] : nullptr;
    }
    NativeWindow Desktop() override { return desktop; }
    ScreenRect ClientRect(NativeWindow window) override { return clientRects[window]; }
    ScreenPoint ClientToScreen(NativeWindow window, ScreenPoint point) override {
        const ScreenPoint origin = clientOrigins[window];
        return ScreenPoint{point.x + origin.x, point.y + origin.y};
    }
    ScreenRect WindowRect(NativeWindow window) override {
        return window == box ? boxFrame : ScreenRect{};
    }
    bool HasSystemMenu(NativeWindow window) override { return window == box && boxHasSystemMenu; }
    int32_t Metric(SystemMetric which) override {
        switch (which) {
            case SystemMetric::ScreenWidth:
                return screenWidth;
            case SystemMetric::ScreenHeight:
                return screenHeight;
            case SystemMetric::TitleButtonWidth:
                return titleButtonWidth;
        }
        return 0;
    }
    void MoveWindow(NativeWindow window, int32_t x, int32_t y) override {
        if (window == box) {
            moves.push_back(ScreenPoint{x, y});
        }
    }

    // A parent window of `size` whose inner area starts at `origin` on the screen.
    void PlaceHost(ScreenPoint origin, int32_t width, int32_t height) {
        clientRects[host] = ScreenRect{0, 0, width, height};
        clientOrigins[host] = origin;
    }
};

}  // namespace abouttest
