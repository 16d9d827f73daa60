// Tintflood's fill of one area, by runs: the output buffer's layout decides
// which rows class serves it, and a buffer whose pixels share bytes keeps the
// plain fill, pixel by pixel through FillPixel, whose order it depends on.
#pragma once

#include <algorithm>
#include <cstdint>

#include "FloodFill.h"
#include "PixelRows.h"
#include "RunFill.h"
#include "TintfloodPlugin.h"

// Floods the area around (column, row) with the plug-in's areaColor under
// its range in force, counts it into areaPixels and the bounding box as
// FillPixel does, and hands every painted run to onRun(row, left, end) too.
template <typename OnRun>
void FillAreaByRuns(TintfloodPlugin& plugin, uint16_t column, uint16_t row, OnRun&& onRun) {
    const PixelBuffer buffer = DeliveredOutput(plugin.filterRecord, plugin.channelCount);
    const RowLayout layout = LayoutOf(buffer);
    if (layout == RowLayout::PixelByPixel) {
        SpanFill(column, row, [&plugin, &onRun](int32_t c, int32_t r) {
            if (!plugin.FillPixel(c, r)) {
                return false;
            }
            onRun(r, c, c + 1);
            return true;
        });
        return;
    }
    const auto countRun = [&plugin, &onRun](int32_t runRow, int32_t left, int32_t end) {
        plugin.areaPixels += uint32_t(end - left);
        plugin.areaLeft = std::min(plugin.areaLeft, left);
        plugin.areaRight = std::max(plugin.areaRight, end - 1);
        plugin.areaTop = std::min(plugin.areaTop, runRow);
        plugin.areaBottom = std::max(plugin.areaBottom, runRow);
        onRun(runRow, left, end);
    };
    WithPixelRows(buffer, layout, plugin.range, plugin.areaColor,
                  [&](const auto& rows) { FillRuns(rows, column, row, countRun); });
}

// The first column from `column` on in `row` of the output whose pixel is in
// the plug-in's range in force; the request's right edge when there is none.
inline int32_t NextColumnInRange(const TintfloodPlugin& plugin, int32_t row, int32_t column) {
    const PixelBuffer buffer = DeliveredOutput(plugin.filterRecord, plugin.channelCount);
    return WithPixelRows(
        buffer, LayoutOf(buffer), plugin.range, plugin.areaColor,
        [&](const auto& rows) { return NextInside(rows, rows.Row(row), column, rows.Width()); });
}
