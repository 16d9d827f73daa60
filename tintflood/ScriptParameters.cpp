#include "ScriptParameters.h"

#include <cstring>

#include "DescriptorHelpers.h"
#include "DescriptorScopes.h"
#include "HandleStrings.h"
#include "MemoryHandles.h"
#include "ResultCodes.h"
#include "ScriptKeys.h"

namespace {

const ReadDescriptorProcs* ReadingProcs(const FilterRecord* record) {
    return record->descriptorParameters->readDescriptorProcs;
}

const WriteDescriptorProcs* WritingProcs(const FilterRecord* record) {
    return record->descriptorParameters->writeDescriptorProcs;
}

bool ScriptingUsable(const FilterRecord* record) {
    return record != nullptr && DescriptorProcsUsable(record->descriptorParameters);
}

// DescriptorProcsUsable does not check the writing callbacks one by one;
// these are the ones recording calls.
bool RecordingCallbacksPresent(const WriteDescriptorProcs& procs) {
    return procs.openWriteDescriptorProc != nullptr && procs.closeWriteDescriptorProc != nullptr &&
           procs.putIntegerProc != nullptr && procs.putBooleanProc != nullptr &&
           procs.putTextProc != nullptr && procs.putObjectProc != nullptr;
}

// Reading

uint16_t* ChannelOf(RGBColor16& color, DescriptorKeyID key) {
    switch (key) {
        case keyRed:
            return &color.red;
        case keyGreen:
            return &color.green;
        case keyBlue:
            return &color.blue;
        default:
            return nullptr;
    }
}

void ReadChannels(const ReadDescriptorProcs* procs, PIReadDescriptor reader, RGBColor16& color) {
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t flags = 0;
    while (procs->getKeyProc(reader, &key, &type, &flags)) {
        uint16_t* channel = ChannelOf(color, key);
        int32_t value = 0;
        if (channel != nullptr && procs->getIntegerProc(reader, &value) == noErr) {
            *channel = uint16_t(value);
        }
    }
}

void ReadColorSetting(FilterRecord* record, PIReadDescriptor reader, RGBColor16& field) {
    // Starts from the field, so a colour that cannot be read stays as it was.
    RGBColor16 scratch = field;
    ReadColorObject(record, reader, scratch);
    field = scratch;
}

void ReadPaletteFile(FilterRecord* record, PIReadDescriptor reader, TintfloodSettings& settings) {
    Handle text = nullptr;
    ReadingProcs(record)->getTextProc(reader, &text);
    OwnedHandle owned(record->handleProcs, text);
    if (owned.Get() == nullptr) {
        return;
    }
    char name[kPaletteFileSize] = {};
    HandleToCString(record->handleProcs, owned.Get(), name, kPaletteFileSize);
    std::memcpy(settings.paletteFile, name, kPaletteFileSize);
    settings.paletteFile[kPaletteFileSize - 1] = 0;
}

void ReadBoolean(const ReadDescriptorProcs* procs, PIReadDescriptor reader, uint8_t& field) {
    Boolean value = 0;
    if (procs->getBooleanProc(reader, &value) == noErr) {
        field = value != 0 ? 1 : 0;
    }
}

// A failed getter leaves the field alone rather than taking an unset value.
bool ReadInteger(const ReadDescriptorProcs* procs, PIReadDescriptor reader, int32_t& value) {
    return procs->getIntegerProc(reader, &value) == noErr;
}

void ReadSetting(FilterRecord* record, PIReadDescriptor reader, DescriptorKeyID key,
                 TintfloodSettings& settings) {
    const ReadDescriptorProcs* procs = ReadingProcs(record);
    int32_t value = 0;
    switch (key) {
        case keyFillColor:
            ReadColorSetting(record, reader, settings.fillColor);
            break;
        case keyFlagColor:
            ReadColorSetting(record, reader, settings.flagColor);
            break;
        case keyPaletteFile:
            ReadPaletteFile(record, reader, settings);
            break;
        case keyTolerance:
            if (ReadInteger(procs, reader, value)) {
                settings.tolerance = uint16_t(value);  // the low 16 bits, unchecked
            }
            break;
        case keyFlagSize:
            if (ReadInteger(procs, reader, value)) {
                settings.flagSize = uint32_t(value);
            }
            break;
        case keyJoinSize:
            if (ReadInteger(procs, reader, value)) {
                settings.joinSize = uint32_t(value);
            }
            break;
        case keyRandomColors:
            ReadBoolean(procs, reader, settings.randomColors);
            break;
        case keyMeasureArea:
            ReadBoolean(procs, reader, settings.measureArea);
            break;
        case keyFlagAreas:
            ReadBoolean(procs, reader, settings.flagAreas);
            break;
        case keyJoinAreas:
            ReadBoolean(procs, reader, settings.joinAreas);
            break;
        default:
            break;  // not ours: passed over unread
    }
}

// Writing

void WritePaletteFile(FilterRecord* record, PIWriteDescriptor writer, const char* paletteFile) {
    // A terminated copy, so that even a damaged record is read within bounds.
    char name[kPaletteFileSize];
    std::memcpy(name, paletteFile, kPaletteFileSize);
    name[kPaletteFileSize - 1] = 0;
    Handle text = CStringToHandle(record->handleProcs, name);
    if (text == nullptr) {
        return;
    }
    // Who disposes of a text handle once put follows the host's rules for
    // putTextProc; it is not disposed of here.
    WritingProcs(record)->putTextProc(writer, keyPaletteFile, text);
}

Boolean AsBoolean(uint8_t field) {
    return field != 0 ? 1 : 0;
}

}  // namespace

OSErr ReadColorObject(FilterRecord* record, PIReadDescriptor reader, RGBColor16& color) {
    const ReadDescriptorProcs* procs = ReadingProcs(record);
    PIDescriptorHandle objectHandle = nullptr;
    const OSErr fetched = procs->getObjectProc(reader, nullptr, &objectHandle);
    OwnedHandle object(record->handleProcs, objectHandle);
    if (object.Get() == nullptr) {
        return fetched != noErr ? fetched : OSErr(nilHandleErr);
    }
    DescriptorKeyID channelKeys[] = {keyRed, keyGreen, keyBlue, 0};
    NestedReader channels(procs, object.Get(), channelKeys);
    if (channels.Get() == nullptr) {
        return paramErr;
    }
    color = RGBColor16{0, 0, 0};
    ReadChannels(procs, channels.Get(), color);
    return channels.Close();
}

bool ReadScriptParameters(FilterRecord* record, TintfloodSettings& settings) {
    if (!ScriptingUsable(record)) {
        return true;
    }
    DescriptorKeyID keys[] = {keyFlagColor,
                              keyFillColor,
                              keyPaletteFile,
                              keyTolerance,
                              keyRandomColors,
                              keyMeasureArea,
                              keyFlagAreas,
                              keyJoinAreas,
                              keyFlagSize,
                              keyJoinSize,
                              0};
    {
        ReplayReader reader(record, keys);
        if (reader.Get() != nullptr) {
            DescriptorKeyID key = 0;
            DescriptorTypeID type = 0;
            int32_t flags = 0;
            while (ReadingProcs(record)->getKeyProc(reader.Get(), &key, &type, &flags)) {
                ReadSetting(record, reader.Get(), key, settings);
            }
        }
    }
    return DialogRequested(record->descriptorParameters);
}

void WriteColorObject(FilterRecord* record, PIWriteDescriptor writer, DescriptorKeyID key,
                      const RGBColor16& color) {
    const WriteDescriptorProcs* procs = WritingProcs(record);
    NestedWriter channels(procs, record->handleProcs);
    if (channels.Get() == nullptr) {
        return;
    }
    procs->putIntegerProc(channels.Get(), keyRed, int32_t(color.red));
    procs->putIntegerProc(channels.Get(), keyGreen, int32_t(color.green));
    procs->putIntegerProc(channels.Get(), keyBlue, int32_t(color.blue));
    procs->putIntegerProc(channels.Get(), keyColorEnd, 0);

    PIDescriptorHandle object = nullptr;
    if (channels.Close(object) == noErr && object != nullptr) {
        PutDescriptorObject(record->descriptorParameters, record->handleProcs, writer, key,
                            classRGBColor, object);
    }
    // An object that was not put is still ours.
    if (object != nullptr) {
        HandleDispose(record->handleProcs, object);
    }
}

void WriteScriptParameters(FilterRecord* record, const TintfloodSettings& settings) {
    if (!ScriptingUsable(record) || !RecordingCallbacksPresent(*WritingProcs(record))) {
        return;
    }
    RecordWriter writer(record);
    if (writer.Get() == nullptr) {
        return;
    }
    const WriteDescriptorProcs* procs = WritingProcs(record);
    WriteColorObject(record, writer.Get(), keyFillColor, settings.fillColor);
    WriteColorObject(record, writer.Get(), keyFlagColor, settings.flagColor);
    WritePaletteFile(record, writer.Get(), settings.paletteFile);
    procs->putIntegerProc(writer.Get(), keyTolerance, int32_t(settings.tolerance));
    procs->putBooleanProc(writer.Get(), keyRandomColors, AsBoolean(settings.randomColors));
    procs->putBooleanProc(writer.Get(), keyMeasureArea, AsBoolean(settings.measureArea));
    procs->putBooleanProc(writer.Get(), keyFlagAreas, AsBoolean(settings.flagAreas));
    procs->putBooleanProc(writer.Get(), keyJoinAreas, AsBoolean(settings.joinAreas));
    procs->putIntegerProc(writer.Get(), keyFlagSize, int32_t(settings.flagSize));
    procs->putIntegerProc(writer.Get(), keyJoinSize, int32_t(settings.joinSize));
    writer.Close();
}
