// A descriptor as JSON, for action files a person can read and edit: an array
// of entries in order, each {"key", "type", ...the value's fields}. Keys and
// other four-character codes are text of four characters, spaces kept
// ("Ar  "); codes with characters that are not printable ASCII are written
// as hexadecimal ("0x00000000").
//
//   integer    {"value": -5}          float      {"value": 1.5}
//   unitFloat  {"unit", "value"}      boolean    {"value": true}
//   text       {"value": "..."}, or {"hex": "..."} for bytes that are not UTF-8
//   alias      {"hex": "..."}         enumerated {"enumType", "value"}
//   class      {"class"}              object     {"class", "entries": [...]}
//   reference  {"desiredClass", "keyForm", "name" (hex), "index", "referenceType", "value"}
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "host/scripting/Descriptor.h"

namespace oxhost {

// Why JSON could not be read as a descriptor, naming the entry.
class DescriptorJsonError : public std::runtime_error {
public:
    explicit DescriptorJsonError(const std::string& message) : std::runtime_error(message) {}
};

std::string CodeText(OSType code);
// False for text that is neither four printable characters nor 0x and eight
// hexadecimal digits.
bool ParseCodeText(const std::string& text, OSType& code);

// The fields of an entry keep the order above. Throws DescriptorJsonError for
// a number JSON cannot hold (infinite, NaN).
nlohmann::ordered_json DescriptorToJson(const Descriptor& descriptor);
// Throws DescriptorJsonError for anything but an array of well-formed entries
// of known types, objects nested no deeper than kMaxDescriptorDepth.
Descriptor DescriptorFromJson(const nlohmann::ordered_json& entries);

// Far deeper than any descriptor (an object entry costs two levels), shallow
// enough for the library's recursive printing and copying.
constexpr int kMaxJsonNesting = 100;

// Parses the text of a JSON file. Throws DescriptorJsonError, one line that
// gives the line of the file, for text that is not JSON, for nesting deeper
// than kMaxJsonNesting, and for numbers too large for a double.
nlohmann::ordered_json ParseJsonText(const std::string& text);

// The entries one a line, an object's nested entries on lines of their own,
// indented by `indent` spaces more than the array's brackets.
std::string FormatDescriptorJson(const nlohmann::ordered_json& entries, int indent);

}  // namespace oxhost
