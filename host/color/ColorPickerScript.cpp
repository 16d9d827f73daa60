#include "host/color/ColorPickerScript.h"

#include <utility>

namespace oxhost {

ColorPickerScript::ColorPickerScript(std::vector<PickedColor> answers)
    : answers_(std::move(answers)) {}

ColorPickerScript::ColorPickerScript(PickAnswerer answerer) : answerer_(std::move(answerer)) {}

std::optional<PickedColor> ColorPickerScript::Pick(const PickRequest& request) {
    requests_.push_back(request);
    if (answerer_) {
        return answerer_(request);
    }
    if (nextAnswer_ >= answers_.size()) {
        return std::nullopt;
    }
    return answers_[nextAnswer_++];
}

}  // namespace oxhost
