// An error in a resource script, reported as "file.rc:LINE: message".
#pragma once

#include <stdexcept>
#include <string>

namespace oxrc {

class ScriptError : public std::runtime_error {
public:
    ScriptError(const std::string& scriptName, int line, const std::string& message)
        : std::runtime_error(scriptName + ":" + std::to_string(line) + ": " + message) {}
};

}  // namespace oxrc
