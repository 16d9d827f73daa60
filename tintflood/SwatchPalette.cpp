#include "SwatchPalette.h"

#include <fstream>

#include "ColorServices.h"
#include "HostFolder.h"

namespace {

bool ReadBigEndian16(std::istream& file, uint16_t& value) {
    unsigned char bytes[2];
    if (!file.read(reinterpret_cast<char*>(bytes), 2)) {
        return false;
    }
    value = uint16_t((bytes[0] << 8) | bytes[1]);
    return true;
}

bool ReadEntry(std::istream& file, SwatchEntry& entry) {
    return ReadBigEndian16(file, entry.space) && ReadBigEndian16(file, entry.w) &&
           ReadBigEndian16(file, entry.x) && ReadBigEndian16(file, entry.y) &&
           ReadBigEndian16(file, entry.z);
}

constexpr uint16_t kSwatchFileVersion = 1;

}  // namespace

SwatchPalette::SwatchPalette(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    uint16_t version = 0;
    uint16_t count = 0;
    if (!file || !ReadBigEndian16(file, version) || version != kSwatchFileVersion ||
        !ReadBigEndian16(file, count)) {
        return;
    }
    for (uint16_t i = 0; i < count; ++i) {
        SwatchEntry entry{};
        if (!ReadEntry(file, entry)) {
            break;
        }
        entries.push_back(entry);
    }
    cursor = 0;
}

void SwatchPalette::NextSwatch(SwatchEntry& entry) {
    if (entries.empty()) {
        return;
    }
    if (cursor >= entries.size()) {
        cursor = 0;
    }
    entry = entries[cursor++];
}

int16_t SwatchSpaceToHost(uint16_t space) {
    switch (space) {
        case 0:
            return plugIncolorServicesRGBSpace;
        case 1:
            return plugIncolorServicesHSBSpace;
        case 2:
            return plugIncolorServicesCMYKSpace;
        case 7:
            return plugIncolorServicesLabSpace;
        case 8:
            return plugIncolorServicesGraySpace;
        default:
            return -1;
    }
}

void SwatchRequestComponents(const SwatchEntry& entry, int16_t components[4]) {
    auto highByte = [](uint16_t value) { return int16_t(value >> 8); };
    components[0] = components[1] = components[2] = components[3] = 0;
    switch (SwatchSpaceToHost(entry.space)) {
        case plugIncolorServicesRGBSpace:
            components[0] = highByte(entry.w);
            components[1] = highByte(entry.x);
            components[2] = highByte(entry.y);
            break;
        case plugIncolorServicesHSBSpace:
            components[0] = int16_t(entry.w / 182);  // hue in degrees
            components[1] = highByte(entry.x);
            components[2] = highByte(entry.y);
            break;
        case plugIncolorServicesCMYKSpace:
            components[0] = highByte(entry.w);
            components[1] = highByte(entry.x);
            components[2] = highByte(entry.y);
            components[3] = highByte(entry.z);
            break;
        case plugIncolorServicesLabSpace:
            components[0] = int16_t(entry.w / 39);
            components[1] = int16_t(int16_t(entry.x) / 100 + 128);
            components[2] = int16_t(int16_t(entry.y) / 100 + 128);
            break;
        case plugIncolorServicesGraySpace:
            components[0] = int16_t(entry.w / 39);
            break;
        default:
            break;
    }
}

std::string SwatchFolder() {
#ifdef _WIN32
    return HostFolder() + "Presets\\Color Swatches\\";
#else
    return HostFolder() + "Presets/Color Swatches/";
#endif
}
