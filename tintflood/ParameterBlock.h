// The ParameterBlock: the 296-byte image of a TintfloodSettings record that
// the host keeps in FilterRecord.parameters between selectors and runs.
// Multi-byte fields are little-endian; the padding bytes and byteOrderFlag
// are neither written nor read.
#pragma once

#include <cstdint>

#include "FilterRecord.h"
#include "TintfloodSettings.h"

constexpr int32_t kParameterBlockSize = 296;

// Byte offsets of the fields in the block.
namespace parameter_block {
constexpr int kSignature = 0;
constexpr int kVersion = 4;
constexpr int kFillColor = 8;  // red, green, blue: 2 bytes each
constexpr int kPaletteFile = 14;
constexpr int kTolerance = 270;
constexpr int kReservedFlag = 272;
constexpr int kRandomColors = 273;
constexpr int kMeasureArea = 274;
constexpr int kFlagAreas = 275;
constexpr int kFlagColor = 276;  // red, green, blue: 2 bytes each
constexpr int kFlagSize = 284;
constexpr int kJoinAreas = 288;
constexpr int kJoinSize = 292;
}  // namespace parameter_block

// Makes FilterRecord.parameters a 296-byte host handle (created or resized)
// and writes `settings` into it. Stores nothing when the host offers no
// usable handle callbacks or the handle cannot be made or resized.
void StoreParameterBlock(FilterRecord* record, const TintfloodSettings& settings);

// Reads the block into `settings`. True for a block of this plug-in and
// version. A block of another plug-in, version or size puts `settings` to its
// defaults and gives false; no block, or no usable handle callbacks to check
// it with, gives false and leaves `settings` alone.
bool LoadParameterBlock(FilterRecord* record, TintfloodSettings& settings);
