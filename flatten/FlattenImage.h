// The flatting pass: every line pixel takes the values of the nearest pixel
// that is not line work, so flat colour areas grow into the lines.
//
// The image is walked in strips of 42 rows; within a strip column by column
// from the left, down the first column, up the next, and so on, so that each
// pixel is a neighbour of the one before; coloured pixels cost a bit test in
// a mask of the strip's line pixels per column. A line pixel's search starts
// near the distance at which its predecessor's search ended (ringHint),
// which skips the inner rings inside thick lines. Where searches walk far
// (thick lines, dark pages) a search passes over every offset nearer than
// the nearest coloured pixel at once, which leaves its outcome as it was,
// also where the image edge ends it early. Only the input is read and only
// the output written, so a new value never influences another pixel.
//
// Work: about one bit test per coloured pixel, a few hundred operations per
// line pixel whose colour lies far (thick lines), more where image edges are
// near enough to end searches. Memory: a bit per pixel, and a few bytes per
// pixel of one strip.
#pragma once

#include <cstdint>

#include "NearestSearch.h"

// A buffer and its byte distances: channel p of pixel (y, x) lies at
// base + y * rowBytes + x * columnStep + p * planeStep.
struct PlaneBuffer {
    uint8_t* base;
    int32_t rowBytes;
    int32_t columnStep;
    int32_t planeStep;
};

struct FlattenJob {
    PlaneBuffer input;
    PlaneBuffer output;  // already holds the input pixels
    int16_t colorPlanes;
    uint16_t height;
    uint16_t width;
    int16_t imageMode;
};

// Told after each finished strip; answers true when the user wants to stop.
class StripReporter {
public:
    virtual bool ReportStrip(int32_t rows) = 0;

protected:
    ~StripReporter() = default;
};

constexpr uint16_t kStripRows = 42;

// Runs the pass; false when the reporter asked to stop.
bool FlattenImage(const FlattenJob& job, NearestSearch& search, StripReporter& reporter);
