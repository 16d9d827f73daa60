// How the engines see the document: the plane count, the steps of the
// delivered buffers, the one whole-image request, and progress with abort.
// All values are derived from the FilterRecord afresh at each use.
#pragma once

#include <cstdint>

#include "FilterRecord.h"

// Colour planes to request and process: flat images count all planes, layers
// only their colour planes (transparency is not a colour plane).
int16_t ColorPlanes(const FilterRecord* record);

// Byte distances in the delivered buffers; a host's 0 means interleaved.
int32_t OutColumnStep(const FilterRecord* record);
int32_t OutPlaneStep(const FilterRecord* record);
int32_t InColumnStep(const FilterRecord* record);
int32_t InPlaneStep(const FilterRecord* record);

// Address of channel `plane` of the output pixel at (row, column).
inline uint8_t* OutPixelChannel(const FilterRecord* record, uint16_t row, uint16_t column,
                                int plane) {
    return static_cast<uint8_t*>(record->outData) + intptr_t(row) * record->outRowBytes +
           intptr_t(column) * OutColumnStep(record) + intptr_t(plane) * OutPlaneStep(record);
}

// Asks for all colour planes of the whole document in one output buffer (and
// the same input buffer when withInput), then calls advanceState once and
// returns its result. The caller checks that advanceState exists.
OSErr RequestWholeImage(FilterRecord* record, bool withInput);

// Sets the request rectangles to empty so the host asks for nothing more.
void EmptyOutputRequest(FilterRecord* record);
void EmptyInputRequest(FilterRecord* record);

// Reports rowsDone of totalRows, then asks whether the user wants to stop.
bool ReportProgressAndTestAbort(FilterRecord* record, int32_t rowsDone, int32_t totalRows);
