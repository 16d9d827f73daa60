// The one exception type of the host library: a message for the user, one
// line, saying what failed and on which file.
#pragma once

#include <stdexcept>
#include <string>

namespace oxhost {

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace oxhost
