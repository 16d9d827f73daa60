// The text form of a scripted face's steps, for the command line, and the
// checks that make a script's mistakes errors.
#include "host/dialog/DialogScript.h"

#include <climits>
#include <cstdlib>
#include <sstream>

#include "host/HostError.h"
#include "host/dialog/DialogSession.h"

namespace oxhost {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A target alone: "name" or a name in double quotes.
bool ReadTarget(const std::string& text, std::string& target) {
    if (!text.empty() && text[0] == '"') {
        if (text.size() < 2 || text.back() != '"') {
            return false;
        }
        target = text.substr(1, text.size() - 2);
    } else {
        target = text;
    }
    return !target.empty();
}

// Splits "TARGET = N"; false when there is no '=' or N is no whole number.
// A quoted target ends at its closing quote; otherwise at the last '='.
bool SplitTargetAndNumber(const std::string& text, std::string& target, int32_t& number) {
    size_t equals = std::string::npos;
    if (!text.empty() && text[0] == '"') {
        const size_t closing = text.find('"', 1);
        if (closing == std::string::npos) {
            return false;
        }
        equals = text.find('=', closing);
        if (equals == std::string::npos ||
            !Trimmed(text.substr(closing + 1, equals - closing - 1)).empty()) {
            return false;
        }
    } else {
        equals = text.rfind('=');
    }
    if (equals == std::string::npos || !ReadTarget(Trimmed(text.substr(0, equals)), target)) {
        return false;
    }
    const std::string digits = Trimmed(text.substr(equals + 1));
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    number = int32_t(value);
    return true;
}

// Reads "R G B", each 0 to 255.
bool ReadColor(const std::string& text, PickedColor& color) {
    std::istringstream numbers(text);
    int red = -1;
    int green = -1;
    int blue = -1;
    std::string extra;
    if (!(numbers >> red >> green >> blue) || (numbers >> extra)) {
        return false;
    }
    for (int value : {red, green, blue}) {
        if (value < 0 || value > 255) {
            return false;
        }
    }
    color = PickedColor{uint8_t(red), uint8_t(green), uint8_t(blue)};
    return true;
}

DialogStep ParseLine(const std::string& line, int lineNumber) {
    const size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string rest =
        space == std::string::npos ? std::string() : Trimmed(line.substr(space));
    std::string target;
    int32_t number = 0;
    if (verb == "ok" && rest.empty()) {
        return DialogStep::PressOk();
    }
    if (verb == "cancel" && rest.empty()) {
        return DialogStep::PressCancel();
    }
    if (verb == "click" && ReadTarget(rest, target)) {
        return DialogStep::Click(target);
    }
    PickedColor color;
    if (verb == "pick" && ReadColor(rest, color)) {
        return DialogStep::AnswerPicker(color);
    }
    if (verb == "set" && SplitTargetAndNumber(rest, target, number)) {
        return DialogStep::SetValue(target, number);
    }
    if (verb == "choose" && SplitTargetAndNumber(rest, target, number)) {
        return DialogStep::ChooseEntry(target, number);
    }
    throw HostError("dialog script line " + std::to_string(lineNumber) + ": cannot read \"" + line +
                    "\"");
}

// Checking steps

using Action = DialogStep::Action;

bool Fits(const ToolkitItem& item, Action action) {
    switch (action) {
        case Action::SetValue:
            return item.kind == kADMTextEditType;
        case Action::ChooseEntry:
            return item.list != nullptr;
        default:
            return item.kind == kADMTextCheckBoxType || item.kind == kADMTextRadioButtonType ||
                   item.kind == kADMTextPushButtonType || item.kind == kADMPicturePushButtonType ||
                   item.kind == kADMUserType;
    }
}

const char* ActionName(Action action) {
    switch (action) {
        case Action::SetValue:
            return "set";
        case Action::ChooseEntry:
            return "choose";
        default:
            return "click";
    }
}

// The item the step acts on; "" or why there is none.
std::string ChooseItem(const DialogStep& step, DialogSession& session, ToolkitItem*& chosen) {
    chosen = nullptr;
    if (step.action == Action::PressOk || step.action == Action::PressCancel) {
        const ToolkitDialog& dialog = session.Dialog();
        chosen = dialog.FindItem(step.action == Action::PressOk ? dialog.defaultItemId
                                                                : dialog.cancelItemId);
        return chosen != nullptr && session.Accepts(*chosen)
                   ? std::string()
                   : std::string("the dialog's ") +
                         (step.action == Action::PressOk ? "OK" : "Cancel") +
                         " button cannot be pressed";
    }
    const std::vector<ToolkitItem*> named = session.FindAll(step.target);
    if (named.empty()) {
        return "the dialog has no item \"" + step.target + "\"";
    }
    ToolkitItem* fitting = nullptr;
    for (ToolkitItem* item : named) {
        if (Fits(*item, step.action)) {
            if (session.Accepts(*item)) {
                chosen = item;
                return std::string();
            }
            fitting = fitting != nullptr ? fitting : item;
        }
    }
    if (fitting != nullptr) {
        return "\"" + step.target + "\" (" + DialogSession::KindName(fitting->kind) + " #" +
               std::to_string(fitting->id) + ") is disabled";
    }
    return "\"" + step.target + "\" (" + DialogSession::KindName(named.front()->kind) + " #" +
           std::to_string(named.front()->id) + ") cannot take '" + ActionName(step.action) + "'";
}

// Performs the step; "" or why it could not be done.
std::string Perform(const DialogStep& step, DialogSession& session) {
    ToolkitItem* item = nullptr;
    std::string problem = ChooseItem(step, session, item);
    if (!problem.empty()) {
        return problem;
    }
    bool done = false;
    switch (step.action) {
        case Action::SetValue:
            done = session.TypeValue(*item, step.value);
            break;
        case Action::ChooseEntry: {
            const size_t entries = item->list->entries.size();
            if (step.value < 0 || size_t(step.value) >= entries) {
                return "\"" + step.target + "\" has no entry " + std::to_string(step.value) +
                       " (its entries are 0 to " + std::to_string(int(entries) - 1) + ")";
            }
            done = session.ChooseEntry(*item, step.value);
            break;
        }
        default:
            done = session.Click(*item);
            break;
    }
    return done ? std::string() : "\"" + step.target + "\" refused the step";
}

void CancelFor(const std::string& problem, DialogSession& session, ScriptOutcome& outcome) {
    outcome.problem = problem;
    ToolkitItem* cancel = session.Dialog().FindItem(session.Dialog().cancelItemId);
    if (cancel != nullptr) {
        session.Click(*cancel);
    }
}

}  // namespace

std::vector<ScriptLine> ParseDialogScriptLines(const std::string& text) {
    std::vector<ScriptLine> steps;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        steps.push_back(ScriptLine{ParseLine(line, lineNumber), lineNumber});
    }
    return steps;
}

std::vector<DialogStep> ParseDialogScript(const std::string& text) {
    std::vector<DialogStep> steps;
    for (ScriptLine& line : ParseDialogScriptLines(text)) {
        steps.push_back(std::move(line.step));
    }
    return steps;
}

std::vector<DialogStep> CheckedDialogSteps(const std::vector<ScriptLine>& lines,
                                           const std::shared_ptr<ScriptOutcome>& outcome) {
    std::vector<DialogStep> steps;
    for (const ScriptLine& line : lines) {
        if (line.step.action == Action::AnswerPicker) {
            steps.push_back(line.step);
            continue;
        }
        steps.push_back(DialogStep::Inspect([line, outcome](DialogSession& session) {
            const std::string problem = Perform(line.step, session);
            if (!problem.empty()) {
                CancelFor("line " + std::to_string(line.lineNumber) + ": " + problem, session,
                          *outcome);
            }
        }));
    }
    // Reached only when no step ended the dialog; the face then cancels it.
    steps.push_back(DialogStep::Inspect([outcome](DialogSession&) { outcome->ranOut = true; }));
    return steps;
}

}  // namespace oxhost
