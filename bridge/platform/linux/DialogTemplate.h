// Dialog resources ("DIALOG" type) of modules built for Linux, written by the
// resource compiler and read back by the host, which builds the box from
// them. (A Windows build uses the system's own dialog templates instead.)
// Layout, all integers little-endian, no padding:
//   bytes 0-3 "OXDL", uint16 format version 1, uint16 item count N,
//   uint32 style, uint32 extended style,
//   int16 x, y, width, height (dialog units), uint16 font point size (0: none),
//   caption and font name as NUL-terminated strings,
//   then N items, each: uint32 style, uint32 extended style,
//   int16 x, y, width, height, int32 id,
//   class name and text as NUL-terminated strings.
// Styles hold the Windows window-style bits (WS_, DS_, BS_, SS_ values).
// Class names are the system classes in upper case ("BUTTON", "STATIC",
// "EDIT", ...) or a name as the script gives it; compare them ignoring case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oxres {

constexpr unsigned char kDialogMagic[4] = {'O', 'X', 'D', 'L'};
constexpr uint16_t kDialogFormatVersion = 1;

struct DialogItem {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    int32_t id = 0;
    std::string className;
    std::string text;
};

struct DialogTemplate {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    uint16_t fontSize = 0;
    std::string caption;
    std::string fontName;
    std::vector<DialogItem> items;
};

// The resource bytes of `dialog`. Strings must not contain NUL bytes; a
// template of more than 65535 items throws std::invalid_argument.
std::vector<unsigned char> WriteDialogTemplate(const DialogTemplate& dialog);

// Reads resource bytes back. False, leaving *dialog unspecified, when the
// bytes are not a complete template of this format version.
bool ReadDialogTemplate(const unsigned char* data, size_t size, DialogTemplate* dialog);

}  // namespace oxres
