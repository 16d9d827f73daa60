#include "host/run/ResultNames.h"

#include "ResultCodes.h"

namespace oxhost {

std::string DescribeResult(int32_t code) {
    const char* name = nullptr;
    switch (code) {
        case noErr:
            name = "noErr";
            break;
        case paramErr:
            name = "paramErr";
            break;
        case memFullErr:
            name = "memFullErr";
            break;
        case nilHandleErr:
            name = "nilHandleErr";
            break;
        case userCanceledErr:
            name = "userCanceledErr";
            break;
        case filterBadParameters:
            name = "filterBadParameters";
            break;
        case filterBadMode:
            name = "filterBadMode";
            break;
        default:
            name = "(unknown result)";
            break;
    }
    return std::to_string(code) + " " + name;
}

}  // namespace oxhost
