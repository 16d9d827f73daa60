// One delivered buffer: the requested planes of the requested rectangle,
// copied out of the document in a given layout, and copied back afterwards
// (output buffers). Guard bytes after each row and after the buffer reveal a
// plug-in that writes outside what it was given. An input buffer of whole
// rows of every plane, interleaved, can instead be the document's own rows,
// as real hosts hand out pointers into their tiles: no copy, and no guards.
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

    // Whole rows of every plane in the interleaved layout without padding:
    // the document's rows are already such a buffer, byte for byte.
    static bool CanUseDocumentRows(const Document& document, const Rect16& rect, int16_t loPlane,
                                   int16_t hiPlane, const BufferLayout& layout);
    // The rows of rect in `document` itself, which must outlive the buffer
    // and keep its size; CanUseDocumentRows must hold. Steps and reported
    // values are those of a copy in the same layout.
    static RequestBuffer OverDocumentRows(Document& document, const Rect16& rect,
                                          const BufferLayout& layout);

    // Null for an empty rectangle.
    void* Data();
    int32_t RowBytes() const { return rowBytes; }
    // The steps as reported to the plug-in (0 when the layout says so).
    int32_t ReportedColumnBytes() const { return reportedColumnBytes; }
    int32_t ReportedPlaneBytes() const { return reportedPlaneBytes; }

    // Puts the buffer's pixels back into the same rectangle and planes
    // (nothing to do for the document's own rows). A copy of the whole
    // document in its own layout becomes the document's pixels, and the
    // buffer keeps the old ones: a whole-image run's commit copies nothing.
    void MoveInto(Document& document);
    // True when no guard byte was overwritten; the document's own rows have none.
    bool GuardsIntact() const;

private:
    void CommitTo(Document& document) const;
    void SetSteps(const BufferLayout& layout);
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
    uint8_t* documentRows = nullptr;  // set instead of bytes when not a copy
};

// True when rect lies within the document and lo..hi are planes of it.
bool RequestFits(const Document& document, const Rect16& rect, int16_t loPlane, int16_t hiPlane);
bool RectIsEmpty(const Rect16& rect);

}  // namespace oxhost
