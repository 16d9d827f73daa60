// Exact squared Euclidean distance from line pixels to the nearest coloured
// pixel, for the stretches of an image where nearest-first searches walk far
// (thick lines, large dark areas). The search can then start at the distance
// where the first coloured pixel lies instead of testing every nearer pixel.
//
// Two passes over the image give each pixel's distance to the nearest
// coloured pixel in its column (2 bytes a pixel, kept for the run); each
// strip's rows then take the lower envelope of parabolas along the row
// (Meijster's method), 4 bytes a pixel for the strip only. Both passes are
// linear in the pixels they cover.
#pragma once

#include <cstdint>
#include <vector>

#include "FlattenImage.h"
#include "LineTest.h"

class ColouredDistance {
public:
    ColouredDistance(const FlattenJob& job, const LineTest& lineTest);

    // Computes the squared distances of rows firstRow .. firstRow + rows - 1.
    void PrepareRows(uint16_t firstRow, uint16_t rows);

    // Squared distance from (y, x) to the nearest coloured pixel; y must lie
    // in the rows last prepared. At least kUnknown when no coloured pixel
    // shares a column with any pixel of the row.
    uint32_t SquaredDistance(uint16_t y, uint16_t x) const {
        return rowDistances[size_t(y - preparedFirstRow) * width + x];
    }

    static constexpr uint32_t kUnknown = 0xFFFFFFFFu;

private:
    void ComputeColumnDistances(const FlattenJob& job, const LineTest& lineTest);
    void ComputeRow(const uint16_t* columnDistance, uint32_t* out);

    uint16_t width;
    uint16_t height;
    std::vector<uint16_t> columnDistances;  // per pixel, kNoColumnColour when none
    std::vector<uint32_t> rowDistances;     // per pixel of the prepared rows
    uint16_t preparedFirstRow = 0;
    std::vector<int32_t> envelopeColumns;  // work space of one row
    std::vector<int32_t> envelopeStarts;
};
