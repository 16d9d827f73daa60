// The plug-in property list (resource "PIPL" 16000) of a filter module: what
// the host learns about a module before it calls it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "hostapi/HostTypes.h"

namespace oxhost {

constexpr int kFilterCaseCount = 7;

// How the module wants one filter case handled ('fici').
struct FilterCaseInfo {
    uint8_t inputHandling = 0;   // filterDataHandling... of the input
    uint8_t outputHandling = 0;  // filterDataHandling... of the output
    uint8_t flags1 = 0;
    uint8_t flags2 = 0;
};

// Where the module's scripting terminology lies ('hstm').
struct PiplTerminology {
    bool present = false;
    int32_t version = 0;
    OSType classId = 0;
    OSType eventId = 0;
    int16_t resourceId = 0;  // of the "AETE" resource
    std::string scope;
};

struct PiplProperties {
    OSType kind = 0;               // PIFilterKind for a filter
    std::string name;              // menu name, possibly ending in "..."
    std::string category;          // submenu
    int32_t version = 0;           // interface version, 16.16
    std::string entryPoint;        // 'wx86': name of the exported entry
    std::string entryPoint64;      // '8664': the same for a 64-bit Windows module
    uint16_t modeSet = 0;          // bit (0x8000 >> mode) for each mode offered
    std::string enableExpression;  // 'enbl', kept as text
    bool hasFilterCaseInfo = false;
    std::array<FilterCaseInfo, kFilterCaseCount> filterCases{};  // cases 1 to 7
    PiplTerminology terminology;

    // Whether the module offers image mode `imageMode` (plugInMode...).
    bool SupportsMode(int imageMode) const;

    // The entry point this host build calls: '8664' in a 64-bit Windows
    // host, 'wx86' everywhere else (the Linux modules name theirs there).
    const std::string& HostEntryPoint() const;
};

// Parses the bytes of a PiPL resource; properties the host does not use are
// skipped. `source` names the module in messages. Throws HostError when the
// list is damaged: wrong header, a vendor other than '8BIM', a length running
// past the end, or a property too short for its value.
PiplProperties ParsePipl(const unsigned char* data, size_t size, const std::string& source);

// 'abcd' for printable codes, 0x61626364 otherwise; for messages.
std::string FourCharCodeText(OSType code);

}  // namespace oxhost
