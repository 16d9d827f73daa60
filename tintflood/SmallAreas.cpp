// Small areas: flagged with the marker colour, or queued and later joined to
// the colour of the nearest normal area around them.
#include "NearestSearch.h"
#include "TintfloodPlugin.h"

bool TintfloodPlugin::IsSmall(uint32_t limit) const {
    if (settings.measureArea) {
        return areaPixels <= limit;
    }
    return uint32_t(areaRight - areaLeft) < limit && uint32_t(areaBottom - areaTop) < limit;
}

void TintfloodPlugin::HandleSmallArea(uint16_t column, uint16_t row) {
    const bool flag = settings.flagAreas && IsSmall(settings.flagSize);
    const bool join = settings.joinAreas && IsSmall(settings.joinSize);
    if (join) {
        AddJoinSeed(column, row);
    }
    if (!flag && !join) {
        return;
    }
    // The range becomes exactly the colour just painted, so the refill
    // covers this area and nothing else.
    for (int k = 0; k < 4; ++k) {
        range.low[k] = range.high[k] = areaColor[k];
    }
    ConvertRGBColor(settings.flagColor, areaColor);
    if (IsUsableFillColor()) {
        FillArea(column, row);
    }
    SetRange(settings.fillColor, settings.tolerance);
}

void TintfloodPlugin::AddJoinSeed(uint16_t column, uint16_t row) {
    joinSeeds.push_back((PackedPoint(row) << 16) | PackedPoint(column));
}

void TintfloodPlugin::JoinSmallAreas() {
    SetRange(settings.flagColor, 0);
    NearestSearch search;
    const int32_t lastRow = filterRecord->outRect.bottom - 1;
    const int32_t lastColumn = filterRecord->outRect.right - 1;
    for (const PackedPoint seed : joinSeeds) {
        const int32_t column = int32_t(seed & 0xFFFF);
        const int32_t row = int32_t(seed >> 16);
        search.boundTop = -row;
        search.boundLeft = -column;
        search.boundBottom = lastRow - row;
        search.boundRight = lastColumn - column;
        int dx = 0;
        int dy = 0;
        for (bool more = search.Begin(dx, dy, 0); more; more = search.Next(dx, dy)) {
            const uint8_t* candidate = PixelAddress(uint32_t(column + dx), uint32_t(row + dy));
            bool black = true;
            for (uint8_t k = 0; k < channelCount && black; ++k) {
                black = candidate[k * planeStep] == 0;
            }
            // Line work and flagged areas (this one included) give no colour.
            if (black || range.Contains(candidate, channelCount, planeStep)) {
                continue;
            }
            for (uint8_t k = 0; k < channelCount && k < 4; ++k) {
                areaColor[k] = candidate[k * planeStep];
            }
            if (IsUsableFillColor()) {
                FillArea(uint16_t(column), uint16_t(row));
                break;
            }
        }
    }
}
