// Names of the result codes a plug-in can return, for messages to the user.
#pragma once

#include <cstdint>
#include <string>

namespace oxhost {

// "-128 userCanceledErr"; unknown codes read "-1 (unknown result)".
std::string DescribeResult(int32_t code);

}  // namespace oxhost
