// The container in which a module built for Linux carries its resources, and
// the lookup over it. Layout, all integers little-endian:
//   bytes 0-3 "OXRS", uint32 format version 1, uint32 entry count N,
//   N entries of 20 bytes {char type[8] NUL-padded, uint32 id,
//                          uint32 offset from the blob start, uint32 size},
//   then the data, each resource starting at a 4-byte aligned offset.
// Plain functions over a byte range: no allocation, no exceptions, so that
// plug-in modules compile them in as well as the host and the compiler.
#pragma once

#include <cstddef>
#include <cstdint>

namespace oxres {

constexpr unsigned char kBlobMagic[4] = {'O', 'X', 'R', 'S'};
constexpr uint32_t kBlobVersion = 1;
constexpr size_t kBlobHeaderSize = 12;
constexpr size_t kBlobEntrySize = 20;
constexpr size_t kMaxTypeNameLength = 8;
constexpr size_t kBlobDataAlignment = 4;

// One entry of the table, its data already checked to lie inside the blob.
struct BlobEntry {
    char type[kMaxTypeNameLength + 1];  // NUL-terminated
    uint32_t id;
    const unsigned char* data;
    size_t size;
};

// Number of entries when the header is valid and the whole table fits in
// the blob; 0 otherwise.
uint32_t CountResourcesInBlob(const unsigned char* blob, size_t blobSize);

// Entry `index` (< CountResourcesInBlob). False when the blob is invalid, the
// index is out of range or the entry's data runs past the end of the blob.
bool ReadBlobEntry(const unsigned char* blob, size_t blobSize, uint32_t index, BlobEntry* entry);

// Finds resource (type, id); type names compare without regard to ASCII
// case, as resource type names do on Windows. On success sets *data and
// *size to the resource bytes inside the blob. False, leaving the outputs
// untouched, when the blob is invalid or holds no such resource.
bool FindResourceInBlob(const unsigned char* blob, size_t blobSize, const char* type, uint32_t id,
                        const unsigned char** data, size_t* size);

}  // namespace oxres
