#include "host/dialog/ScriptedFace.h"

#include <utility>

#include "host/dialog/DialogSession.h"

namespace oxhost {

DialogStep DialogStep::SetValue(std::string target, int32_t value) {
    DialogStep step;
    step.action = Action::SetValue;
    step.target = std::move(target);
    step.value = value;
    return step;
}

DialogStep DialogStep::Click(std::string target) {
    DialogStep step;
    step.action = Action::Click;
    step.target = std::move(target);
    return step;
}

DialogStep DialogStep::ChooseEntry(std::string target, int32_t index) {
    DialogStep step;
    step.action = Action::ChooseEntry;
    step.target = std::move(target);
    step.value = index;
    return step;
}

DialogStep DialogStep::PressOk() {
    DialogStep step;
    step.action = Action::PressOk;
    return step;
}

DialogStep DialogStep::PressCancel() {
    DialogStep step;
    step.action = Action::PressCancel;
    return step;
}

DialogStep DialogStep::Inspect(std::function<void(DialogSession&)> look) {
    DialogStep step;
    step.action = Action::Inspect;
    step.look = std::move(look);
    return step;
}

DialogStep DialogStep::AnswerPicker(const PickedColor& color) {
    DialogStep step;
    step.action = Action::AnswerPicker;
    step.color = color;
    return step;
}

std::vector<PickedColor> PickerAnswersOf(const std::vector<DialogStep>& steps) {
    std::vector<PickedColor> answers;
    for (const DialogStep& step : steps) {
        if (step.action == DialogStep::Action::AnswerPicker) {
            answers.push_back(step.color);
        }
    }
    return answers;
}

ScriptedFace::ScriptedFace(std::vector<DialogStep> steps) : steps(steps.begin(), steps.end()) {}

int32_t ScriptedFace::Run(DialogSession& session) {
    ++dialogsRun;
    while (!steps.empty() && !session.Ended()) {
        const DialogStep step = std::move(steps.front());
        steps.pop_front();
        Perform(step, session);
    }
    return session.EndedBy();
}

void ScriptedFace::Perform(const DialogStep& step, DialogSession& session) {
    using Action = DialogStep::Action;
    if (step.action == Action::AnswerPicker) {
        return;  // answered by the colour services
    }
    if (step.action == Action::Inspect) {
        if (step.look) {
            step.look(session);
        }
        return;
    }
    ToolkitItem* item = nullptr;
    switch (step.action) {
        case Action::PressOk:
            item = session.Dialog().FindItem(session.Dialog().defaultItemId);
            break;
        case Action::PressCancel:
            item = session.Dialog().FindItem(session.Dialog().cancelItemId);
            break;
        default:
            item = session.Find(step.target);
            break;
    }
    if (item == nullptr) {
        problems.push_back("no item \"" + step.target + "\"");
        return;
    }
    bool done = false;
    switch (step.action) {
        case Action::SetValue:
            done = session.TypeValue(*item, step.value);
            break;
        case Action::ChooseEntry:
            done = session.ChooseEntry(*item, step.value);
            break;
        default:
            done = session.Click(*item);
            break;
    }
    if (!done) {
        problems.push_back("item \"" + (step.target.empty() ? item->text : step.target) +
                           "\" refused the step");
    }
}

}  // namespace oxhost
