#include "host/color/ColorPickerScript.h"

#include <utility>

namespace oxhost {

ColorPickerScript::ColorPickerScript(std::vector<PickedColor> answers)
    : answers_(std::move(answers)) {}

std::optional<PickedColor> ColorPickerScript::Pick(const PickRequest& request) {
    requests_.push_back(request);
    if (nextAnswer_ >= answers_.size()) {
        return std::nullopt;
    }
    return answers_[nextAnswer_++];
}

}  // namespace oxhost
