#include "host/image/ImageOrientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "host/image/DocumentAllocation.h"

namespace oxhost {
namespace {

constexpr uint8_t kExifSignature[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kEntryBytes = 12;

// A TIFF block of either byte order, read only inside its bounds.
class TiffBytes {
public:
    TiffBytes(const uint8_t* bytes, size_t length) : bytes(bytes), length(length) {
        bigEndian = length >= 2 && bytes[0] == 'M' && bytes[1] == 'M';
    }

    bool HasHeader() const {
        const bool byteOrderKnown = (bytes[0] == 'I' && bytes[1] == 'I') || bigEndian;
        return length >= 8 && byteOrderKnown && Unsigned16(2) == 42;
    }
    bool Holds(uint64_t offset, uint64_t size) const {
        return offset <= length && size <= length - offset;
    }
    // Callers check Holds first.
    uint16_t Unsigned16(size_t offset) const {
        return bigEndian ? uint16_t(bytes[offset] << 8 | bytes[offset + 1])
                         : uint16_t(bytes[offset + 1] << 8 | bytes[offset]);
    }
    uint32_t Unsigned32(size_t offset) const {
        const uint32_t high = Unsigned16(offset + (bigEndian ? 0 : 2));
        const uint32_t low = Unsigned16(offset + (bigEndian ? 2 : 0));
        return high << 16 | low;
    }

private:
    const uint8_t* bytes;
    size_t length;
    bool bigEndian = false;
};

// Mirrors every row left to right, in place.
void MirrorRows(Document& document) {
    const int planes = document.TotalPlanes();
    for (int row = 0; row < document.height; ++row) {
        for (int left = 0, right = document.width - 1; left < right; ++left, --right) {
            std::swap_ranges(document.Pixel(row, left), document.Pixel(row, left) + planes,
                             document.Pixel(row, right));
        }
    }
}

// Swaps rows top to bottom, in place.
void MirrorColumns(Document& document) {
    const size_t rowBytes = document.RowBytes();
    for (int top = 0, bottom = document.height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(document.Pixel(top, 0), document.Pixel(top, 0) + rowBytes,
                         document.Pixel(bottom, 0));
    }
}

// The document mirrored about its main diagonal: stored (x, y) shows at (y, x).
// Square blocks at a time, so that both images' rows stay in the cache.
Document Transposed(const Document& document, const std::string& path) {
    constexpr int kBlock = 64;
    Document turned = NewDocumentForFile(path, uint64_t(document.height), uint64_t(document.width),
                                         document.model, document.hasAlpha);
    const size_t planes = size_t(document.TotalPlanes());
    for (int top = 0; top < document.height; top += kBlock) {
        for (int left = 0; left < document.width; left += kBlock) {
            const int bottom = std::min(top + kBlock, document.height);
            const int right = std::min(left + kBlock, document.width);
            for (int row = top; row < bottom; ++row) {
                for (int column = left; column < right; ++column) {
                    std::memcpy(turned.Pixel(column, row), document.Pixel(row, column), planes);
                }
            }
        }
    }
    return turned;
}

}  // namespace

int ExifOrientation(const uint8_t* data, size_t length) {
    if (data == nullptr || length < sizeof kExifSignature ||
        std::memcmp(data, kExifSignature, sizeof kExifSignature) != 0) {
        return 1;
    }
    const TiffBytes tiff(data + sizeof kExifSignature, length - sizeof kExifSignature);
    if (!tiff.HasHeader()) {
        return 1;
    }
    const uint64_t directory = tiff.Unsigned32(4);
    if (!tiff.Holds(directory, 2)) {
        return 1;
    }
    const uint16_t entries = tiff.Unsigned16(size_t(directory));
    for (uint64_t index = 0; index < entries; ++index) {
        const uint64_t entry = directory + 2 + index * kEntryBytes;
        if (!tiff.Holds(entry, kEntryBytes)) {
            return 1;
        }
        if (tiff.Unsigned16(size_t(entry)) != kOrientationTag) {
            continue;
        }
        // One SHORT, held in the first two bytes of the value field.
        if (tiff.Unsigned16(size_t(entry) + 2) != kShortType ||
            tiff.Unsigned32(size_t(entry) + 4) != 1) {
            return 1;
        }
        const uint16_t orientation = tiff.Unsigned16(size_t(entry) + 8);
        return orientation >= 1 && orientation <= 8 ? orientation : 1;
    }
    return 1;
}

void OrientDocument(Document& document, int orientation, const std::string& path) {
    switch (orientation) {
        case 2:
            MirrorRows(document);
            return;
        case 3:
            MirrorRows(document);
            MirrorColumns(document);
            return;
        case 4:
            MirrorColumns(document);
            return;
        case 5:
            document = Transposed(document, path);
            return;
        case 6:  // a quarter clockwise: the bottom row becomes the left column
            MirrorColumns(document);
            document = Transposed(document, path);
            return;
        case 7:
            MirrorRows(document);
            MirrorColumns(document);
            document = Transposed(document, path);
            return;
        case 8:  // a quarter anticlockwise: the last column becomes the top row
            MirrorRows(document);
            document = Transposed(document, path);
            return;
        default:
            return;
    }
}

}  // namespace oxhost
