#include "ImageAccess.h"

#include "FilterCases.h"

int16_t ColorPlanes(const FilterRecord* record) {
    if (record->filterCase <= filterCaseFlatImageWithSelection) {
        return record->planes;
    }
    return record->outLayerPlanes;
}

int32_t OutColumnStep(const FilterRecord* record) {
    return record->outColumnBytes != 0 ? record->outColumnBytes : ColorPlanes(record);
}

int32_t OutPlaneStep(const FilterRecord* record) {
    return record->outPlaneBytes != 0 ? record->outPlaneBytes : 1;
}

int32_t InColumnStep(const FilterRecord* record) {
    return record->inColumnBytes != 0 ? record->inColumnBytes : ColorPlanes(record);
}

int32_t InPlaneStep(const FilterRecord* record) {
    return record->inPlaneBytes != 0 ? record->inPlaneBytes : 1;
}

OSErr RequestWholeImage(FilterRecord* record, bool withInput) {
    const int16_t planes = ColorPlanes(record);
    const Rect16 whole{0, 0, record->imageSize.v, record->imageSize.h};
    record->outLoPlane = 0;
    record->outHiPlane = int16_t(planes - 1);
    if (withInput) {
        record->inLoPlane = 0;
        record->inHiPlane = int16_t(planes - 1);
    }
    record->outRect = whole;
    if (withInput) {
        record->inRect = whole;
    }
    return record->advanceState();
}

void EmptyOutputRequest(FilterRecord* record) {
    record->outRect = Rect16{0, 0, 0, 0};
}

void EmptyInputRequest(FilterRecord* record) {
    record->inRect = Rect16{0, 0, 0, 0};
}

bool ReportProgressAndTestAbort(FilterRecord* record, int32_t rowsDone, int32_t totalRows) {
    if (record->progressProc != nullptr) {
        record->progressProc(rowsDone, totalRows);
    }
    return record->abortProc != nullptr && record->abortProc() != 0;
}
