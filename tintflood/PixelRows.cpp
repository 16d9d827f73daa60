#include "PixelRows.h"

#include "ImageAccess.h"

namespace {

// Pixels whose channels lie within their column step, in rows that do not
// meet.
bool IsInterleavedApart(const PixelBuffer& buffer) {
    const int64_t channelSpan = int64_t(buffer.channelCount - 1) * buffer.planeStep;
    return buffer.planeStep > 0 && buffer.columnStep > channelSpan &&
           int64_t(buffer.width) * buffer.columnStep <= buffer.rowBytes;
}

// Rows that do not meet in planes that do not meet.
bool IsPlanesApart(const PixelBuffer& buffer) {
    const int64_t rowSpan = int64_t(buffer.width - 1) * buffer.columnStep;
    const int64_t planeSpan = int64_t(buffer.height - 1) * buffer.rowBytes + rowSpan;
    return buffer.columnStep > 0 && buffer.rowBytes > rowSpan &&
           (buffer.channelCount == 1 || buffer.planeStep > planeSpan);
}

}  // namespace

PixelBuffer DeliveredOutput(const FilterRecord* record, uint8_t channelCount) {
    PixelBuffer buffer;
    buffer.base = static_cast<uint8_t*>(record->outData);
    buffer.rowBytes = record->outRowBytes;
    buffer.columnStep = OutColumnStep(record);
    buffer.planeStep = OutPlaneStep(record);
    buffer.width = record->outRect.right;
    buffer.height = record->outRect.bottom;
    buffer.channelCount = channelCount;
    buffer.fromOrigin = record->outRect.left == 0 && record->outRect.top == 0;
    return buffer;
}

RowLayout LayoutOf(const PixelBuffer& buffer) {
    if (!buffer.fromOrigin || buffer.channelCount == 0 || buffer.width <= 0 || buffer.height <= 0) {
        return RowLayout::PixelByPixel;
    }
    if (IsInterleavedApart(buffer)) {
        if (buffer.planeStep == 1 && buffer.columnStep == buffer.channelCount) {
            if (buffer.channelCount == 3) {
                return RowLayout::Packed3;
            }
            if (buffer.channelCount == 4) {
                return RowLayout::Packed4;
            }
        }
        return RowLayout::Stepped;
    }
    if (IsPlanesApart(buffer)) {
        return buffer.columnStep == 1 ? RowLayout::Planar : RowLayout::Stepped;
    }
    return RowLayout::PixelByPixel;
}
