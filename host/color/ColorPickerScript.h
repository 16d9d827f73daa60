// The host's colour picker. Without a window it answers picks from a
// scripted list of RGB colours, in order, and cancels every pick once the
// list is used up; a host with a display hands it an answerer instead (a
// real picker window). It records every pick asked for, answered or not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace oxhost {

struct PickedColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// What a plug-in asked the picker: the space of its starting colour, that
// colour as it gave it, the space it wants the answer in, and its prompt
// (empty when it gave none).
struct PickRequest {
    int16_t sourceSpace = 0;
    int16_t resultSpace = 0;
    int16_t startingComponents[4] = {0, 0, 0, 0};
    std::string prompt;
};

// Answers one pick, or nothing when the user cancelled it.
using PickAnswerer = std::function<std::optional<PickedColor>(const PickRequest&)>;

class ColorPickerScript {
public:
    ColorPickerScript() = default;
    explicit ColorPickerScript(std::vector<PickedColor> answers);
    explicit ColorPickerScript(PickAnswerer answerer);

    // Records the request and hands out the answerer's answer when there is
    // one, else the next scripted answer, or nothing when the script is used
    // up (the pick counts as cancelled).
    std::optional<PickedColor> Pick(const PickRequest& request);

    // Every pick asked for so far, in order.
    const std::vector<PickRequest>& Requests() const { return requests_; }

    // Scripted answers not handed out yet.
    std::size_t RemainingAnswers() const { return answers_.size() - nextAnswer_; }

private:
    std::vector<PickedColor> answers_;
    PickAnswerer answerer_;
    std::size_t nextAnswer_ = 0;
    std::vector<PickRequest> requests_;
};

}  // namespace oxhost
