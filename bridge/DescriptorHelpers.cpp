#include "DescriptorHelpers.h"

#include "MemoryHandles.h"
#include "ResultCodes.h"

namespace {

bool AllReadingCallbacksPresent(const ReadDescriptorProcs& procs) {
    const void* const callbacks[] = {
        reinterpret_cast<const void*>(procs.openReadDescriptorProc),
        reinterpret_cast<const void*>(procs.closeReadDescriptorProc),
        reinterpret_cast<const void*>(procs.getKeyProc),
        reinterpret_cast<const void*>(procs.getIntegerProc),
        reinterpret_cast<const void*>(procs.getFloatProc),
        reinterpret_cast<const void*>(procs.getUnitFloatProc),
        reinterpret_cast<const void*>(procs.getBooleanProc),
        reinterpret_cast<const void*>(procs.getTextProc),
        reinterpret_cast<const void*>(procs.getAliasProc),
        reinterpret_cast<const void*>(procs.getEnumeratedProc),
        reinterpret_cast<const void*>(procs.getClassProc),
        reinterpret_cast<const void*>(procs.getSimpleReferenceProc),
        reinterpret_cast<const void*>(procs.getObjectProc),
        reinterpret_cast<const void*>(procs.getCountProc),
        reinterpret_cast<const void*>(procs.getStringProc),
        reinterpret_cast<const void*>(procs.getPinnedIntegerProc),
        reinterpret_cast<const void*>(procs.getPinnedFloatProc),
        reinterpret_cast<const void*>(procs.getPinnedUnitFloatProc),
    };
    for (const void* callback : callbacks) {
        if (callback == nullptr) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool DescriptorProcsUsable(const PIDescriptorParameters* parameters) {
    if (parameters == nullptr ||
        parameters->descriptorParametersVersion != kCurrentDescriptorParametersVersion) {
        return false;
    }
    const ReadDescriptorProcs* reading = parameters->readDescriptorProcs;
    const WriteDescriptorProcs* writing = parameters->writeDescriptorProcs;
    if (reading == nullptr || writing == nullptr) {
        return false;
    }
    if (reading->readDescriptorProcsVersion != kCurrentReadDescriptorProcsVersion ||
        reading->numReadDescriptorProcs < kCurrentReadDescriptorProcsCount) {
        return false;
    }
    if (writing->writeDescriptorProcsVersion != kCurrentWriteDescriptorProcsVersion ||
        writing->numWriteDescriptorProcs < kCurrentWriteDescriptorProcsCount) {
        return false;
    }
    return AllReadingCallbacksPresent(*reading);
}

OSErr CloseDescriptorReader(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                            PIReadDescriptor& reader) {
    const OSErr result = parameters->readDescriptorProcs->closeReadDescriptorProc(reader);
    HandleDispose(handleProcs, parameters->descriptor);
    parameters->descriptor = nullptr;
    reader = nullptr;
    return result;
}

OSErr CloseDescriptorWriter(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                            PIWriteDescriptor& writer) {
    if (parameters->descriptor != nullptr) {
        HandleDispose(handleProcs, parameters->descriptor);
        parameters->descriptor = nullptr;
    }
    PIDescriptorHandle finished = nullptr;
    const OSErr result =
        parameters->writeDescriptorProcs->closeWriteDescriptorProc(writer, &finished);
    parameters->descriptor = finished;
    parameters->recordInfo = plugInDialogOptional;
    writer = nullptr;
    return result;
}

OSErr PutDescriptorObject(PIDescriptorParameters* parameters, const HandleProcs* handleProcs,
                          PIWriteDescriptor writer, DescriptorKeyID key, DescriptorClassID type,
                          PIDescriptorHandle& object) {
    const OSErr result = parameters->writeDescriptorProcs->putObjectProc(writer, key, type, object);
    if (result == noErr) {
        HandleDispose(handleProcs, object);
        object = nullptr;
    }
    return result;
}

bool DialogRequested(const PIDescriptorParameters* parameters) {
    return parameters != nullptr && parameters->playInfo == plugInDialogDisplay;
}
