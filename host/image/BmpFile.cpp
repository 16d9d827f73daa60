#include "host/image/BmpFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageOrientation.h"

namespace oxhost {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kLargestHeaderBytes = 124;  // BITMAPV5HEADER

enum Compression : uint32_t {
    kPlain = 0,
    kRunLength8 = 1,
    kRunLength4 = 2,
    kBitFields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitFields = 6,
};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

// Where one channel lies in a 16- or 32-bit pixel.
struct ChannelMask {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    // The channel of `pixel` on the 0 to 255 scale.
    uint8_t Of(uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        const uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8) {
            return uint8_t(value >> (bits - 8));
        }
        const uint32_t largest = (1u << bits) - 1;
        return uint8_t((value * 255 + largest / 2) / largest);
    }
};

struct BmpLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = kPlain;
    // Red, green, blue and alpha, for 16- and 32-bit pixels.
    ChannelMask channels[4];
    bool hasAlpha = false;
    // Blue, green, red for each entry, for palette images.
    std::vector<uint8_t> palette;
    uint64_t rowBytes = 0;
};

[[noreturn]] void Damaged(const std::string& path, const std::string& problem) {
    throw HostError("'" + path + "': damaged BMP file (" + problem + ")");
}

[[noreturn]] void Unsupported(const std::string& path, const std::string& what) {
    throw HostError("'" + path + "': unsupported BMP: " + what);
}

uint32_t Little16(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8;
}

uint32_t Little32(const uint8_t* bytes) {
    return Little16(bytes) | Little16(bytes + 2) << 16;
}

// Reads exactly `count` bytes; a short read is the file ending early.
void ReadExactly(FILE* file, uint8_t* target, size_t count, const std::string& path,
                 const char* what) {
    if (std::fread(target, 1, count, file) == count) {
        return;
    }
    if (std::ferror(file)) {
        throw HostError("cannot read '" + path + "': " + std::strerror(errno));
    }
    Damaged(path, std::string("the file ends in ") + what);
}

ChannelMask MaskOf(uint32_t mask, int bitsPerPixel, const std::string& path) {
    ChannelMask channel;
    channel.mask = mask;
    if (mask == 0) {
        return channel;
    }
    while (((mask >> channel.shift) & 1u) == 0) {
        ++channel.shift;
    }
    while (channel.shift + channel.bits < 32 && ((mask >> (channel.shift + channel.bits)) & 1u)) {
        ++channel.bits;
    }
    const uint64_t contiguous = ((uint64_t(1) << channel.bits) - 1) << channel.shift;
    if (contiguous != mask || channel.shift + channel.bits > bitsPerPixel) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", unsigned(mask));
        Damaged(path, std::string("colour mask ") + text + " is not one run of bits in a " +
                          std::to_string(bitsPerPixel) + "-bit pixel");
    }
    return channel;
}

// The masks of a plain 16-bit (5-5-5) or 32-bit (8-8-8, the fourth byte
// unused) file.
void SetPlainMasks(BmpLayout& layout, const std::string& path) {
    const bool wide = layout.bitsPerPixel == 32;
    const uint32_t masks[3] = {wide ? 0xFF0000u : 0x7C00u, wide ? 0xFF00u : 0x03E0u,
                               wide ? 0xFFu : 0x1Fu};
    for (int channel = 0; channel < 3; ++channel) {
        layout.channels[channel] = MaskOf(masks[channel], layout.bitsPerPixel, path);
    }
}

void CheckEncoding(const BmpLayout& layout, const std::string& path) {
    switch (layout.compression) {
        case kPlain:
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (layout.bitsPerPixel != 16 && layout.bitsPerPixel != 32) {
                Damaged(path,
                        "colour masks for " + std::to_string(layout.bitsPerPixel) + "-bit pixels");
            }
            break;
        case kRunLength8:
        case kRunLength4:
            Unsupported(path, "run-length compression");
        case kJpeg:
        case kPng:
            Unsupported(path, "embedded JPEG or PNG data");
        default:
            Damaged(path, "compression " + std::to_string(layout.compression));
    }
    const int bits = layout.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        Unsupported(path, std::to_string(bits) + " bits per pixel");
    }
}

// The information header, and the colour masks that follow a 40-byte one;
// the file is left at the palette. Returns the bytes read since the file
// header.
uint64_t ReadInfoHeader(FILE* file, const std::string& path, BmpLayout& layout) {
    uint8_t header[kLargestHeaderBytes] = {};
    ReadExactly(file, header, 4, path, "the header");
    const uint32_t headerBytes = Little32(header);
    if (headerBytes != kCoreHeaderBytes &&
        (headerBytes < 40 || headerBytes > kLargestHeaderBytes)) {
        Unsupported(path, "a header of " + std::to_string(headerBytes) + " bytes");
    }
    ReadExactly(file, header + 4, headerBytes - 4, path, "the header");
    int64_t height = 0;
    uint32_t planes = 0;
    if (headerBytes == kCoreHeaderBytes) {
        layout.width = Little16(header + 4);
        height = Little16(header + 6);
        planes = Little16(header + 8);
        layout.bitsPerPixel = int(Little16(header + 10));
    } else {
        const int64_t width = int32_t(Little32(header + 4));
        height = int32_t(Little32(header + 8));
        if (width <= 0) {
            Damaged(path, "width " + std::to_string(width));
        }
        layout.width = uint32_t(width);
        planes = Little16(header + 12);
        layout.bitsPerPixel = int(Little16(header + 14));
        layout.compression = Little32(header + 16);
    }
    if (planes != 1) {
        Damaged(path, std::to_string(planes) + " planes");
    }
    layout.topDown = height < 0;
    layout.height = uint32_t(height < 0 ? -height : height);
    CheckEncoding(layout, path);
    CheckDocumentSides(path, layout.width, layout.height);

    uint64_t bytesRead = headerBytes;
    if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
        // Masks past the 40 bytes of the plain header follow it in the file.
        const uint32_t maskBytes = layout.compression == kAlphaBitFields ? 16 : 12;
        if (headerBytes < 40 + maskBytes) {
            ReadExactly(file, header + headerBytes, 40 + maskBytes - headerBytes, path,
                        "the colour masks");
            bytesRead = 40 + maskBytes;
        }
        const int maskCount = headerBytes >= 56 || maskBytes == 16 ? 4 : 3;
        for (int channel = 0; channel < maskCount; ++channel) {
            layout.channels[channel] =
                MaskOf(Little32(header + 40 + 4 * channel), layout.bitsPerPixel, path);
        }
        layout.hasAlpha = layout.channels[3].bits > 0;
    } else if (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32) {
        SetPlainMasks(layout, path);
    }
    if (layout.bitsPerPixel <= 8) {
        const uint32_t colorsUsed = headerBytes != kCoreHeaderBytes ? Little32(header + 32) : 0;
        const uint32_t addressable = 1u << layout.bitsPerPixel;
        const uint32_t entries = colorsUsed == 0 ? addressable : std::min(colorsUsed, addressable);
        layout.palette.resize(size_t(entries) * (headerBytes == kCoreHeaderBytes ? 3 : 4));
    }
    return bytesRead;
}

// The palette, as far as it lies before the pixel data; the file is left at
// the pixel data.
void ReadPaletteAndSkipToData(FILE* file, const std::string& path, uint64_t position,
                              uint64_t dataOffset, size_t entryBytes, BmpLayout& layout) {
    if (dataOffset < position) {
        Damaged(path, "the pixel data starts inside the header");
    }
    const uint64_t room = (dataOffset - position) / entryBytes * entryBytes;
    layout.palette.resize(size_t(std::min<uint64_t>(layout.palette.size(), room)));
    if (layout.bitsPerPixel <= 8 && layout.palette.empty()) {
        Damaged(path, "a palette image without a palette");
    }
    if (!layout.palette.empty()) {
        ReadExactly(file, layout.palette.data(), layout.palette.size(), path, "the palette");
    }
    position += layout.palette.size();
    uint8_t skipped[256];
    while (position < dataOffset) {
        const size_t step = size_t(std::min<uint64_t>(dataOffset - position, sizeof skipped));
        ReadExactly(file, skipped, step, path, "the header");
        position += step;
    }
    // Entries as blue, green, red, whatever their size in the file.
    if (entryBytes == 4) {
        for (size_t entry = 0; entry * 4 < layout.palette.size(); ++entry) {
            std::memmove(layout.palette.data() + entry * 3, layout.palette.data() + entry * 4, 3);
        }
        layout.palette.resize(layout.palette.size() / 4 * 3);
    }
}

void CheckDataFits(const std::string& path, uint64_t dataOffset, const BmpLayout& layout) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    const uint64_t fileBytes = std::filesystem::file_size(path, error);
    if (error) {
        return;
    }
    const uint64_t needed = layout.rowBytes * layout.height;
    const uint64_t available = fileBytes > dataOffset ? fileBytes - dataOffset : 0;
    if (available < needed) {
        Damaged(path, std::to_string(available) + " bytes of pixel data, " +
                          std::to_string(needed) + " needed for " + std::to_string(layout.width) +
                          " x " + std::to_string(layout.height));
    }
}

void StorePaletteRow(const uint8_t* source, const BmpLayout& layout, int width,
                     const std::string& path, uint8_t* target) {
    const int bits = layout.bitsPerPixel;
    const uint32_t entries = uint32_t(layout.palette.size() / 3);
    for (int column = 0; column < width; ++column, target += 3) {
        const uint32_t bit = uint32_t(column) * uint32_t(bits);
        const uint32_t index = (source[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= entries) {
            Damaged(path, "a pixel uses colour " + std::to_string(index) + " of a palette of " +
                              std::to_string(entries));
        }
        const uint8_t* color = layout.palette.data() + index * 3;
        target[0] = color[2];
        target[1] = color[1];
        target[2] = color[0];
    }
}

void StoreMaskedRow(const uint8_t* source, const BmpLayout& layout, int width, uint8_t* target) {
    const int pixelBytes = layout.bitsPerPixel / 8;
    const int planes = layout.hasAlpha ? 4 : 3;
    for (int column = 0; column < width; ++column, source += pixelBytes, target += planes) {
        const uint32_t pixel = pixelBytes == 2 ? Little16(source) : Little32(source);
        for (int plane = 0; plane < planes; ++plane) {
            target[plane] = layout.channels[plane].Of(pixel);
        }
    }
}

void StoreRow(const uint8_t* source, const BmpLayout& layout, int width, const std::string& path,
              uint8_t* target) {
    if (layout.bitsPerPixel <= 8) {
        StorePaletteRow(source, layout, width, path, target);
    } else if (layout.bitsPerPixel == 24) {
        for (int column = 0; column < width; ++column, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    } else {
        StoreMaskedRow(source, layout, width, target);
    }
}

}  // namespace

Document ReadBmpFile(const std::string& path, const ImageProgress& progress) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw HostError("cannot open '" + path + "': " + std::strerror(errno));
    }
    uint8_t fileHeader[kFileHeaderBytes];
    ReadExactly(file.get(), fileHeader, sizeof fileHeader, path, "the header");
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        throw HostError("'" + path + "': not a BMP file");
    }
    const uint64_t dataOffset = Little32(fileHeader + 10);
    BmpLayout layout;
    const uint64_t headerBytes = ReadInfoHeader(file.get(), path, layout);
    const size_t entryBytes = headerBytes == kCoreHeaderBytes ? 3 : 4;
    ReadPaletteAndSkipToData(file.get(), path, kFileHeaderBytes + headerBytes, dataOffset,
                             entryBytes, layout);
    layout.rowBytes = (uint64_t(layout.width) * uint64_t(layout.bitsPerPixel) + 31) / 32 * 4;
    CheckDataFits(path, dataOffset, layout);

    // Rows go into the document in file order, and a bottom-up image is
    // turned over at the end: the document only grows as rows arrive.
    Document document = NewGrowingDocumentForFile(path, layout.width, layout.height,
                                                  ColorModel::RGB, layout.hasAlpha);
    std::vector<uint8_t> row(size_t(layout.rowBytes));
    for (int line = 0; line < document.height; ++line) {
        ReadExactly(file.get(), row.data(), row.size(), path, "the pixel data");
        GrowDocumentToRows(document, line + 1, path);
        StoreRow(row.data(), layout, document.width, path, document.Pixel(line, 0));
        ReportImageProgress(progress, line + 1, document.height);
    }
    if (!layout.topDown) {
        OrientDocument(document, 4, path);
    }
    return document;
}

}  // namespace oxhost
