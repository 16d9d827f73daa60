#include "ParameterBlock.h"

#include "MemoryHandles.h"
#include "ResultCodes.h"

namespace {

using namespace parameter_block;

void PutU16(uint8_t* block, int offset, uint16_t value) {
    block[offset] = uint8_t(value);
    block[offset + 1] = uint8_t(value >> 8);
}

void PutU32(uint8_t* block, int offset, uint32_t value) {
    PutU16(block, offset, uint16_t(value));
    PutU16(block, offset + 2, uint16_t(value >> 16));
}

uint16_t GetU16(const uint8_t* block, int offset) {
    return uint16_t(block[offset] | block[offset + 1] << 8);
}

uint32_t GetU32(const uint8_t* block, int offset) {
    return uint32_t(GetU16(block, offset)) | uint32_t(GetU16(block, offset + 2)) << 16;
}

void PutColor(uint8_t* block, int offset, const RGBColor16& color) {
    PutU16(block, offset, color.red);
    PutU16(block, offset + 2, color.green);
    PutU16(block, offset + 4, color.blue);
}

RGBColor16 GetColor(const uint8_t* block, int offset) {
    return RGBColor16{GetU16(block, offset), GetU16(block, offset + 2), GetU16(block, offset + 4)};
}

// The characters up to the first zero byte, then zeros to the end of the
// field; the last byte is always zero, so the result is a terminated name.
void CopyName(char* destination, const char* source) {
    bool ended = false;
    for (int i = 0; i < kPaletteFileSize; ++i) {
        ended = ended || source[i] == 0 || i == kPaletteFileSize - 1;
        destination[i] = ended ? 0 : source[i];
    }
}

void WriteFields(uint8_t* block, const TintfloodSettings& settings) {
    PutU32(block, kSignature, settings.signature);
    PutU16(block, kVersion, uint16_t(settings.version));
    PutColor(block, kFillColor, settings.fillColor);
    CopyName(reinterpret_cast<char*>(block + kPaletteFile), settings.paletteFile);
    PutU16(block, kTolerance, settings.tolerance);
    block[kReservedFlag] = settings.reservedFlag;
    block[kRandomColors] = settings.randomColors;
    block[kMeasureArea] = settings.measureArea;
    block[kFlagAreas] = settings.flagAreas;
    PutColor(block, kFlagColor, settings.flagColor);
    PutU32(block, kFlagSize, settings.flagSize);
    block[kJoinAreas] = settings.joinAreas;
    PutU32(block, kJoinSize, settings.joinSize);
}

void ReadFields(const uint8_t* block, TintfloodSettings& settings) {
    settings.signature = GetU32(block, kSignature);
    settings.version = int16_t(GetU16(block, kVersion));
    settings.fillColor = GetColor(block, kFillColor);
    CopyName(settings.paletteFile, reinterpret_cast<const char*>(block + kPaletteFile));
    settings.tolerance = GetU16(block, kTolerance);
    settings.reservedFlag = block[kReservedFlag];
    settings.randomColors = block[kRandomColors];
    settings.measureArea = block[kMeasureArea];
    settings.flagAreas = block[kFlagAreas];
    settings.flagColor = GetColor(block, kFlagColor);
    settings.flagSize = GetU32(block, kFlagSize);
    settings.joinAreas = block[kJoinAreas];
    settings.joinSize = GetU32(block, kJoinSize);
}

// The data of the parameters handle when it holds a whole block, else null.
// The host lets a plug-in reach a handle's data by dereferencing it once.
uint8_t* WholeBlock(const FilterRecord* record) {
    const HandleProcs* procs = record->handleProcs;
    if (procs->getSizeProc(record->parameters) < kParameterBlockSize) {
        return nullptr;
    }
    return reinterpret_cast<uint8_t*>(*record->parameters);
}

}  // namespace

void StoreParameterBlock(FilterRecord* record, const TintfloodSettings& settings) {
    // Without the host's handles there is nowhere the host would keep a block.
    if (record == nullptr || !HandleProcsUsable(record->handleProcs)) {
        return;
    }
    const HandleProcs* procs = record->handleProcs;
    if (record->parameters == nullptr) {
        record->parameters = procs->newProc(kParameterBlockSize);
        if (record->parameters == nullptr) {
            return;
        }
    } else if (procs->setSizeProc(record->parameters, kParameterBlockSize) != noErr) {
        return;
    }
    uint8_t* block = WholeBlock(record);
    if (block != nullptr) {
        WriteFields(block, settings);
    }
}

bool LoadParameterBlock(FilterRecord* record, TintfloodSettings& settings) {
    if (record == nullptr || record->parameters == nullptr ||
        !HandleProcsUsable(record->handleProcs)) {
        return false;
    }
    const uint8_t* block = WholeBlock(record);
    if (block != nullptr) {
        ReadFields(block, settings);
    }
    if (block == nullptr || !settings.IsValid()) {
        settings.SetDefaults();
        return false;
    }
    return true;
}
