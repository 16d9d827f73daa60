#include "FlattenPlugin.h"

#include <new>

#include "AboutBox.h"
#include "ImageAccess.h"
#include "ResultCodes.h"

namespace {
constexpr int32_t kAboutDialogId = 16000;
}

PluginObject* CreatePluginObject() {
    return new (std::nothrow) FlattenPlugin();
}

int16_t FlattenPlugin::DoAbout() {
    ShowAboutBox(aboutRecord->plugInRef, kAboutDialogId);
    return noErr;
}

int16_t FlattenPlugin::DoPrepare() {
    filterRecord->bufferSpace = 0;
    filterRecord->maxSpace = 0;
    return noErr;
}

int16_t FlattenPlugin::DoStart() {
    FilterRecord* record = filterRecord;
    if (record->advanceState == nullptr) {
        return filterBadParameters;
    }
    const int16_t colorPlanes = ColorPlanes(record);

    int16_t result = RequestWholeImage(record, /*withInput=*/true);
    if (result == noErr) {
        rowsDone = 0;
        FlattenJob job{};
        job.input = PlaneBuffer{static_cast<uint8_t*>(record->inData), record->inRowBytes,
                                InColumnStep(record), InPlaneStep(record)};
        job.output = PlaneBuffer{static_cast<uint8_t*>(record->outData), record->outRowBytes,
                                 OutColumnStep(record), OutPlaneStep(record)};
        job.colorPlanes = colorPlanes;
        job.height = uint16_t(record->inRect.bottom);
        job.width = uint16_t(record->inRect.right);
        job.imageMode = record->imageMode;
        if (!FlattenImage(job, nearestSearch, *this)) {
            result = userCanceledErr;
        }
    }

    EmptyOutputRequest(record);
    EmptyInputRequest(record);
    return result;
}

bool FlattenPlugin::ReportStrip(int32_t rows) {
    rowsDone += rows;
    return ReportProgressAndTestAbort(filterRecord, rowsDone, filterRecord->imageSize.v);
}
