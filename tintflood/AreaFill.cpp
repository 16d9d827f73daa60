// The scan of the document and the flood fill of each area it meets.
#include <cstring>

#include "AreaRuns.h"
#include "FloodFill.h"
#include "ImageAccess.h"
#include "ResultCodes.h"
#include "TintfloodPlugin.h"

int16_t TintfloodPlugin::ScanAndFill() {
    FilterRecord* record = filterRecord;
    imageBase = static_cast<uint8_t*>(record->outData);
    rowBytes = record->outRowBytes;
    columnStep = OutColumnStep(record);
    planeStep = OutPlaneStep(record);
    const int32_t rows = record->outRect.bottom;
    const int32_t columns = record->outRect.right;

    int16_t result = noErr;
    for (int32_t row = 0; row < rows && result == noErr; ++row) {
        // Painted pixels are out of range, so the next pixel in range is the
        // first of an area not met yet (or of one repainted into the range).
        for (int32_t column = NextColumnInRange(*this, row, 0); column < columns;
             column = NextColumnInRange(*this, row, column + 1)) {
            ChooseFillColor();
            if (range.Contains(areaColor, channelCount, 1)) {
                // Painted pixels would pass the test again and the fill would
                // never end: no colour can fill this range.
                ReportNoUsableFillColor();
                result = filterBadParameters;
                break;
            }
            areaLeft = areaRight = column;
            areaTop = areaBottom = row;
            areaPixels = 0;
            FillArea(uint16_t(column), uint16_t(row));
            if (settings.flagAreas || settings.joinAreas) {
                HandleSmallArea(uint16_t(column), uint16_t(row));
            }
        }
        if (result == noErr && ReportProgressAndTestAbort(record, row + 1, record->imageSize.v)) {
            result = userCanceledErr;
        }
    }
    // After an abort during the scan the seeds gathered so far are joined
    // all the same; otherwise the user can stop the joining too, with the
    // same result as stopping the scan.
    if (settings.joinAreas && !JoinSmallAreas(result == noErr)) {
        result = userCanceledErr;
    }
    return result;
}

void TintfloodPlugin::FillArea(uint16_t column, uint16_t row) {
    FillAreaByRuns(*this, column, row, [](int32_t, int32_t, int32_t) {});
}

bool TintfloodPlugin::FillPixel(int32_t column, int32_t row) {
    const Rect16& request = filterRecord->outRect;
    if (column < request.left || column >= request.right || row < request.top ||
        row >= request.bottom) {
        return false;
    }
    uint8_t* pixel = PixelAddress(uint16_t(column), uint16_t(row));
    if (!range.Contains(pixel, channelCount, planeStep)) {
        return false;
    }
    for (uint8_t k = 0; k < channelCount; ++k) {
        pixel[k * planeStep] = areaColor[k];
    }
    if (column > areaRight) {
        areaRight = column;
    } else if (column < areaLeft) {
        areaLeft = column;
    }
    if (row > areaBottom) {
        areaBottom = row;
    } else if (row < areaTop) {
        areaTop = row;
    }
    ++areaPixels;
    return true;
}

void TintfloodPlugin::ReportNoUsableFillColor() {
    Str255* message = filterRecord->errorString;
    if (message == nullptr) {
        return;
    }
    const char text[] = "no usable fill colour exists for this colour and tolerance";
    const size_t length = sizeof(text) - 1;
    (*message)[0] = uint8_t(length);
    std::memcpy(&(*message)[1], text, length);
}

void FloodFill(int32_t column, int32_t row, FillTest test) {
    SpanFill(column, row, test);
}
