#include "ResourceBlob.h"

namespace oxres {

namespace {

uint32_t ReadUint32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Compares a NUL-padded stored type name with a NUL-terminated one.
bool TypeNamesEqual(const unsigned char* stored, const char* wanted) {
    for (size_t i = 0; i < kMaxTypeNameLength; ++i) {
        char storedChar = static_cast<char>(stored[i]);
        if (UpperAscii(storedChar) != UpperAscii(wanted[i])) {
            return false;
        }
        if (storedChar == '\0') {
            return true;
        }
    }
    return wanted[kMaxTypeNameLength] == '\0';
}

}  // namespace

uint32_t CountResourcesInBlob(const unsigned char* blob, size_t blobSize) {
    if (blob == nullptr || blobSize < kBlobHeaderSize) {
        return 0;
    }
    for (size_t i = 0; i < sizeof kBlobMagic; ++i) {
        if (blob[i] != kBlobMagic[i]) {
            return 0;
        }
    }
    if (ReadUint32(blob + 4) != kBlobVersion) {
        return 0;
    }
    uint32_t count = ReadUint32(blob + 8);
    if (count > (blobSize - kBlobHeaderSize) / kBlobEntrySize) {
        return 0;
    }
    return count;
}

bool ReadBlobEntry(const unsigned char* blob, size_t blobSize, uint32_t index, BlobEntry* entry) {
    if (index >= CountResourcesInBlob(blob, blobSize)) {
        return false;
    }
    const unsigned char* raw = blob + kBlobHeaderSize + static_cast<size_t>(index) * kBlobEntrySize;
    uint32_t offset = ReadUint32(raw + 12);
    uint32_t size = ReadUint32(raw + 16);
    if (offset > blobSize || size > blobSize - offset) {
        return false;
    }
    for (size_t i = 0; i < kMaxTypeNameLength; ++i) {
        entry->type[i] = static_cast<char>(raw[i]);
    }
    entry->type[kMaxTypeNameLength] = '\0';
    entry->id = ReadUint32(raw + 8);
    entry->data = blob + offset;
    entry->size = size;
    return true;
}

bool FindResourceInBlob(const unsigned char* blob, size_t blobSize, const char* type, uint32_t id,
                        const unsigned char** data, size_t* size) {
    if (type == nullptr) {
        return false;
    }
    uint32_t count = CountResourcesInBlob(blob, blobSize);
    for (uint32_t index = 0; index < count; ++index) {
        const unsigned char* raw =
            blob + kBlobHeaderSize + static_cast<size_t>(index) * kBlobEntrySize;
        if (ReadUint32(raw + 8) != id || !TypeNamesEqual(raw, type)) {
            continue;
        }
        BlobEntry entry;
        if (!ReadBlobEntry(blob, blobSize, index, &entry)) {
            return false;
        }
        *data = entry.data;
        *size = entry.size;
        return true;
    }
    return false;
}

}  // namespace oxres
