// One delivered buffer: the requested planes of the requested rectangle,
// copied out of the document in a given layout, and copied back afterwards
// (output buffers). Guard bytes after each row and after the buffer reveal a
// plug-in that writes outside what it was given.
#pragma once

#include <cstdint>
#include <vector>

#include "HostTypes.h"
#include "host/image/Document.h"
#include "host/run/BufferLayout.h"

namespace oxhost {

class RequestBuffer {
public:
    RequestBuffer() = default;

    // Planes lo..hi of rect; an empty rectangle gives an empty buffer. The
    // caller has checked the request against the document.
    RequestBuffer(const Document& document, const Rect16& rect, int16_t loPlane, int16_t hiPlane,
                  const BufferLayout& layout);

    bool Empty() const { return bytes.empty(); }
    void* Data() { return Empty() ? nullptr : bytes.data(); }
    int32_t RowBytes() const { return rowBytes; }
    // The steps as reported to the plug-in (0 when the layout says so).
    int32_t ReportedColumnBytes() const { return reportedColumnBytes; }
    int32_t ReportedPlaneBytes() const { return reportedPlaneBytes; }

    // Copies the buffer's pixels back into the same rectangle and planes.
    void CommitTo(Document& document) const;
    // True when no guard byte was overwritten.
    bool GuardsIntact() const;

private:
    size_t Offset(int row, int column, int plane) const;
    // Interleaved buffers of every plane match the document's rows byte for byte.
    bool CopiesWholeRows(const Document& document) const;

    Rect16 rect{0, 0, 0, 0};
    int16_t loPlane = 0;
    int planeCount = 0;
    int32_t rowBytes = 0;
    int32_t columnBytes = 0;
    int32_t planeBytes = 0;
    int32_t reportedColumnBytes = 0;
    int32_t reportedPlaneBytes = 0;
    int32_t rowPadding = 0;
    size_t imageBytes = 0;
    std::vector<uint8_t> bytes;
};

// True when rect lies within the document and lo..hi are planes of it.
bool RequestFits(const Document& document, const Rect16& rect, int16_t loPlane, int16_t hiPlane);
bool RectIsEmpty(const Rect16& rect);

}  // namespace oxhost
