#include "host/nativedialog/Windows1252.h"

#include <cstdint>

namespace oxhost {
namespace {

// Code points of bytes 0x80 to 0x9F; 0xFFFD where the code page has none.
// Every other byte is the code point of the same value (Latin-1).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::string Windows1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char byte : text) {
        const uint8_t value = uint8_t(byte);
        AppendUtf8(out, value >= 0x80 && value < 0xA0 ? kHighControls[value - 0x80] : value);
    }
    return out;
}

bool TypedByte(const char* utf8, int length, uint8_t& byte) {
    if (length == 1 && uint8_t(utf8[0]) < 0x80) {
        byte = uint8_t(utf8[0]);
        return true;
    }
    // Two-byte sequences up to U+00FF: Latin-1, the same bytes in Windows-1252.
    if (length == 2 && (uint8_t(utf8[0]) == 0xC2 || uint8_t(utf8[0]) == 0xC3) &&
        (uint8_t(utf8[1]) & 0xC0) == 0x80) {
        const uint8_t value = uint8_t(((uint8_t(utf8[0]) & 0x1F) << 6) | (uint8_t(utf8[1]) & 0x3F));
        if (value >= 0xA0) {
            byte = value;
            return true;
        }
    }
    return false;
}

}  // namespace oxhost
