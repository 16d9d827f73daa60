#include "host/run/RequestBuffer.h"

#include <cstring>

#include "host/image/LargeBuffer.h"

namespace oxhost {
namespace {

constexpr uint8_t kGuardByte = 0xA5;
constexpr size_t kTailGuardBytes = 64;

}  // namespace

bool RectIsEmpty(const Rect16& rect) {
    return rect.top >= rect.bottom || rect.left >= rect.right;
}

bool RequestFits(const Document& document, const Rect16& rect, int16_t loPlane, int16_t hiPlane) {
    if (RectIsEmpty(rect)) {
        return true;
    }
    return rect.top >= 0 && rect.left >= 0 && rect.bottom <= document.height &&
           rect.right <= document.width && loPlane >= 0 && loPlane <= hiPlane &&
           hiPlane < document.TotalPlanes();
}

RequestBuffer::RequestBuffer(const Document& document, const Rect16& rect, int16_t loPlane,
                             int16_t hiPlane, const BufferLayout& layout)
    : rect(rect), loPlane(loPlane), planeCount(hiPlane - loPlane + 1) {
    if (RectIsEmpty(rect)) {
        return;
    }
    SetSteps(layout);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ReserveLargeBuffer(bytes, imageBytes + kTailGuardBytes);
    if (CopiesWholeRows(document) && rowPadding == 0) {
        // The rows follow one another with nothing between them: append them,
        // so that each byte of a buffer of hundreds of megabytes is written once.
        const size_t rowBytesUsed = size_t(width) * size_t(planeCount);
        for (int row = 0; row < height; ++row) {
            const uint8_t* from = document.Pixel(rect.top + row, rect.left);
            bytes.insert(bytes.end(), from, from + rowBytesUsed);
        }
        bytes.insert(bytes.end(), kTailGuardBytes, kGuardByte);
        return;
    }
    bytes.assign(imageBytes + kTailGuardBytes, kGuardByte);
    if (CopiesWholeRows(document)) {
        for (int row = 0; row < height; ++row) {
            std::memcpy(&bytes[Offset(row, 0, 0)], document.Pixel(rect.top + row, rect.left),
                        size_t(width) * size_t(planeCount));
        }
        return;
    }
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const uint8_t* pixel = document.Pixel(rect.top + row, rect.left + column);
            for (int plane = 0; plane < planeCount; ++plane) {
                bytes[Offset(row, column, plane)] = pixel[loPlane + plane];
            }
        }
    }
}

bool RequestBuffer::CanUseDocumentRows(const Document& document, const Rect16& rect,
                                       int16_t loPlane, int16_t hiPlane,
                                       const BufferLayout& layout) {
    return !RectIsEmpty(rect) && layout.arrangement == BufferLayout::Arrangement::Interleaved &&
           layout.rowPadding == 0 && rect.left == 0 && rect.right == document.width &&
           loPlane == 0 && hiPlane == document.TotalPlanes() - 1;
}

RequestBuffer RequestBuffer::OverDocumentRows(Document& document, const Rect16& rect,
                                              const BufferLayout& layout) {
    RequestBuffer buffer;
    buffer.rect = rect;
    buffer.planeCount = document.TotalPlanes();
    buffer.SetSteps(layout);
    buffer.documentRows = document.Pixel(rect.top, 0);
    return buffer;
}

void RequestBuffer::SetSteps(const BufferLayout& layout) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    rowPadding = layout.rowPadding;
    if (layout.arrangement == BufferLayout::Arrangement::Planar) {
        columnBytes = 1;
        rowBytes = width + rowPadding;
        planeBytes = rowBytes * height;
        imageBytes = size_t(planeBytes) * size_t(planeCount);
    } else {
        columnBytes = planeCount;
        planeBytes = 1;
        rowBytes = width * planeCount + rowPadding;
        imageBytes = size_t(rowBytes) * size_t(height);
    }
    reportedColumnBytes = layout.zeroSteps ? 0 : columnBytes;
    reportedPlaneBytes = layout.zeroSteps ? 0 : planeBytes;
}

void* RequestBuffer::Data() {
    if (documentRows != nullptr) {
        return documentRows;
    }
    return bytes.empty() ? nullptr : bytes.data();
}

size_t RequestBuffer::Offset(int row, int column, int plane) const {
    return size_t(row) * size_t(rowBytes) + size_t(column) * size_t(columnBytes) +
           size_t(plane) * size_t(planeBytes);
}

bool RequestBuffer::CopiesWholeRows(const Document& document) const {
    return columnBytes == planeCount && planeBytes == 1 && loPlane == 0 &&
           planeCount == document.TotalPlanes();
}

void RequestBuffer::CommitTo(Document& document) const {
    if (bytes.empty()) {
        return;
    }
    if (CopiesWholeRows(document)) {
        for (int row = 0; row < rect.bottom - rect.top; ++row) {
            std::memcpy(document.Pixel(rect.top + row, rect.left), &bytes[Offset(row, 0, 0)],
                        size_t(rect.right - rect.left) * size_t(planeCount));
        }
        return;
    }
    for (int row = 0; row < rect.bottom - rect.top; ++row) {
        for (int column = 0; column < rect.right - rect.left; ++column) {
            uint8_t* pixel = document.Pixel(rect.top + row, rect.left + column);
            for (int plane = 0; plane < planeCount; ++plane) {
                pixel[loPlane + plane] = bytes[Offset(row, column, plane)];
            }
        }
    }
}

void RequestBuffer::MoveInto(Document& document) {
    const bool wholeDocument = !bytes.empty() && rect.top == 0 && rect.left == 0 &&
                               rect.bottom == document.height && rect.right == document.width &&
                               rowPadding == 0 && CopiesWholeRows(document) &&
                               imageBytes == document.pixels.size();
    if (!wholeDocument) {
        CommitTo(document);
        return;
    }
    bytes.resize(imageBytes);  // the tail guard goes; the memory stays
    document.pixels.swap(bytes);
}

bool RequestBuffer::GuardsIntact() const {
    if (bytes.empty()) {
        return true;
    }
    for (size_t i = imageBytes; i < bytes.size(); ++i) {
        if (bytes[i] != kGuardByte) {
            return false;
        }
    }
    if (rowPadding == 0) {
        return true;
    }
    const int rowsPerPlane = rect.bottom - rect.top;
    const int planesOfRows = columnBytes == 1 ? planeCount : 1;
    const int32_t usedRowBytes = rowBytes - rowPadding;
    for (int block = 0; block < planesOfRows * rowsPerPlane; ++block) {
        const size_t padStart = size_t(block) * size_t(rowBytes) + size_t(usedRowBytes);
        for (int32_t i = 0; i < rowPadding; ++i) {
            if (bytes[padStart + size_t(i)] != kGuardByte) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace oxhost
