// The folder of the host program that loaded this module (not the module's
// own), ending with a path separator; "" when it cannot be found.
#pragma once

#include <string>

std::string HostFolder();
