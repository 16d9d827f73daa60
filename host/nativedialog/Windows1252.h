// Texts of the plug-ins' resources are Windows-1252 bytes; screens and
// terminals want UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace oxhost {

// Every byte becomes its character in UTF-8; the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string Windows1252ToUtf8(const std::string& text);

// The byte that a typed UTF-8 text of `length` bytes stands for in
// Windows-1252: one ASCII character, or one Latin-1 character from U+00A0 on.
// False for anything else.
bool TypedByte(const char* utf8, int length, uint8_t& byte);

}  // namespace oxhost
