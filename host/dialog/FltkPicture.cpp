#include "host/dialog/FltkPicture.h"

#include <FL/Fl_Image.H>

#include <cstdlib>

#include "host/HostError.h"
#include "host/dialog/PluginAccessTable.h"
#include "host/module/ModuleFile.h"

namespace oxhost {
namespace {

uint32_t Read32(const std::vector<unsigned char>& bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

uint16_t Read16(const std::vector<unsigned char>& bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

constexpr size_t kInfoHeaderSize = 40;
constexpr int kLargestSide = 4096;  // far more than any button picture

}  // namespace

bool DecodeBitmap24(const std::vector<unsigned char>& bytes, std::vector<unsigned char>& rgb,
                    int& width, int& height) {
    if (bytes.size() < kInfoHeaderSize) {
        return false;
    }
    const uint32_t headerSize = Read32(bytes, 0);
    const int32_t fileWidth = int32_t(Read32(bytes, 4));
    const int32_t fileHeight = int32_t(Read32(bytes, 8));
    const uint16_t bitsPerPixel = Read16(bytes, 14);
    const uint32_t compression = Read32(bytes, 16);
    const int32_t rows = std::abs(fileHeight);
    if (headerSize < kInfoHeaderSize || headerSize > bytes.size() || bitsPerPixel != 24 ||
        compression != 0 || fileWidth <= 0 || fileWidth > kLargestSide || rows == 0 ||
        rows > kLargestSide) {
        return false;
    }
    const size_t rowBytes = (size_t(fileWidth) * 3 + 3) / 4 * 4;
    if (bytes.size() - headerSize < rowBytes * size_t(rows)) {
        return false;
    }
    width = fileWidth;
    height = rows;
    rgb.assign(size_t(width) * size_t(height) * 3, 0);
    const bool bottomUp = fileHeight > 0;
    for (int row = 0; row < height; ++row) {
        const size_t fileRow = size_t(bottomUp ? height - 1 - row : row);
        const unsigned char* source = bytes.data() + headerSize + fileRow * rowBytes;
        unsigned char* target = rgb.data() + size_t(row) * size_t(width) * 3;
        for (int column = 0; column < width; ++column) {
            target[column * 3] = source[column * 3 + 2];
            target[column * 3 + 1] = source[column * 3 + 1];
            target[column * 3 + 2] = source[column * 3];
        }
    }
    return true;
}

FltkPicture::FltkPicture(void* plugin, int32_t resourceId) {
    const PluginAccess* access = PluginAccessTable::Instance().Find(plugin);
    if (access == nullptr || access->modulePath.empty() || resourceId == 0) {
        return;
    }
    std::optional<std::vector<unsigned char>> bytes;
    try {
        bytes = ReadModuleResource(access->modulePath, "BITMAP", resourceId);
    } catch (const HostError&) {
        return;  // the button shows without its picture
    }
    int width = 0;
    int height = 0;
    if (bytes && DecodeBitmap24(*bytes, pixels, width, height)) {
        image = std::make_unique<Fl_RGB_Image>(pixels.data(), width, height, 3);
    }
}

FltkPicture::~FltkPicture() = default;

}  // namespace oxhost
