// The text form of a scripted face's steps, for the command line.
#include <cstdlib>
#include <sstream>

#include "host/HostError.h"
#include "host/dialog/ScriptedFace.h"

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

// Splits "TARGET = N"; false when there is no '=' or N is no whole number.
bool SplitTargetAndNumber(const std::string& text, std::string& target, int32_t& number) {
    const size_t equals = text.rfind('=');
    if (equals == std::string::npos) {
        return false;
    }
    target = Trimmed(text.substr(0, equals));
    const std::string digits = Trimmed(text.substr(equals + 1));
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (target.empty() || digits.empty() || *end != '\0' || value < INT32_MIN ||
        value > INT32_MAX) {
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
    if (verb == "click" && !rest.empty()) {
        return DialogStep::Click(rest);
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

}  // namespace

std::vector<DialogStep> ParseDialogScript(const std::string& text) {
    std::vector<DialogStep> steps;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        steps.push_back(ParseLine(line, lineNumber));
    }
    return steps;
}

}  // namespace oxhost
