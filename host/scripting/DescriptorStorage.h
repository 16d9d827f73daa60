// The bytes of a descriptor inside a host handle. The layout is the host's
// own; plug-ins only pass such handles back to the host's callbacks:
//
//   "OXDS", format version (u16) 1, entry count (u32), the entries;
//   entry: key (u32), kind (u8), then by kind
//     integer i32 | float f64 | unit float: unit u32, f64 | boolean u8 (0, 1)
//     text, alias: length u32, bytes | enumerated: type u32, value u32
//     class u32 | object: class u32, length u32, a whole nested descriptor
//     reference: class u32, form u32, name length u8, name, index i32,
//                type u32, value u32
//
// All numbers little-endian; floats as their IEEE-754 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "HostTypes.h"
#include "host/scripting/Descriptor.h"

namespace oxhost {

std::vector<uint8_t> EncodeDescriptor(const Descriptor& descriptor);

// False, with `descriptor` untouched, for bytes that are not exactly one
// descriptor of the layout above: another header, a truncated or unknown
// entry, a boolean other than 0 or 1, nesting deeper than allowed, or
// trailing bytes.
bool DecodeDescriptor(const uint8_t* data, size_t size, Descriptor& descriptor);

// A new host handle holding the descriptor; null when out of memory or when
// the bytes would not fit a handle's 32-bit size. The caller owns it.
Handle NewDescriptorHandle(const Descriptor& descriptor);

// Decodes the descriptor held by a live host handle. False for a null or
// unknown handle and for damaged bytes. The handle is left as it is.
bool LoadDescriptorHandle(Handle handle, Descriptor& descriptor);

// A new host handle holding the bytes; null when out of memory or too large.
Handle NewBytesHandle(const std::string& bytes);

// The bytes of a live host handle; false for a null or unknown handle.
bool ReadHandleBytes(Handle handle, std::string& bytes);

}  // namespace oxhost
