#include "host/nativedialog/ScriptedBoxFace.h"

#include <utility>

namespace oxhost {

ScriptedBoxFace::ScriptedBoxFace(std::vector<BoxStep> steps, int32_t screenWidth,
                                 int32_t screenHeight)
    : steps(std::move(steps)), screenWidth(screenWidth), screenHeight(screenHeight) {}

bool ScriptedBoxFace::RunModal(ModalBox& box, intptr_t initParam) {
    ShownBox record;
    record.layout = box.Layout();
    const size_t index = shown.size();
    shown.push_back(record);

    box.Initialise(initParam);
    for (const BoxItem& item : box.Layout().items) {
        shown[index].texts[item.id] = item.text;
    }
    shown[index].frame = Frame(box);

    int32_t taken = 0;
    while (!box.Ended() && nextStep < steps.size()) {
        const BoxStep step = steps[nextStep++];
        ++taken;
        Take(box, step);
    }
    // `shown` may have grown while nested boxes ran.
    shown[index].stepsTaken = taken;
    shown[index].ended = box.Ended();
    if (!box.Ended()) {
        box.End(-1);
    }
    shown[index].result = box.Result();
    return true;
}

void ScriptedBoxFace::Take(ModalBox& box, const BoxStep& step) {
    switch (step.kind) {
        case BoxStep::Kind::Press:
            box.Press(int32_t(step.value));
            break;
        case BoxStep::Kind::Type:
            box.Type(uint8_t(step.value));
            break;
        case BoxStep::Kind::ClickBackground:
            box.ClickBackground();
            break;
        case BoxStep::Kind::End:
            box.End(step.value);
            break;
    }
}

void ScriptedBoxFace::ItemTextChanged(ModalBox& /*box*/, int32_t /*itemId*/) {
    // Nothing is drawn; the box holds the text.
}

OxScreenRect ScriptedBoxFace::Screen() {
    return {0, 0, screenWidth, screenHeight};
}

int32_t ScriptedBoxFace::TitleButtonWidth() {
    return kTitleButtonWidth;
}

OxScreenRect ScriptedBoxFace::ClientArea(const ModalBox& box) {
    return {box.left, box.top, box.left + box.Layout().width, box.top + box.Layout().height};
}

OxScreenRect ScriptedBoxFace::Frame(const ModalBox& box) {
    return ClientArea(box);
}

void ScriptedBoxFace::Move(ModalBox& box, int32_t x, int32_t y) {
    box.left = x;
    box.top = y;
}

void ScriptedBoxFace::OpenAddress(const std::string& address) {
    addresses.push_back(address);
}

}  // namespace oxhost
