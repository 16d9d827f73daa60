#include "ResourceBlobWriter.h"

#include <stdexcept>

#include "ResourceBlob.h"

namespace oxres {

namespace {

void AppendUint32(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

size_t AlignUp(size_t value) {
    return (value + kBlobDataAlignment - 1) / kBlobDataAlignment * kBlobDataAlignment;
}

void CheckTypeName(const std::string& type) {
    if (type.empty() || type.size() > kMaxTypeNameLength) {
        throw std::invalid_argument("resource type name '" + type +
                                    "' must have 1 to 8 characters");
    }
}

}  // namespace

std::vector<unsigned char> WriteResourceBlob(const std::vector<Resource>& resources) {
    std::vector<unsigned char> blob(kBlobMagic, kBlobMagic + sizeof kBlobMagic);
    AppendUint32(blob, kBlobVersion);
    AppendUint32(blob, static_cast<uint32_t>(resources.size()));

    size_t dataOffset = kBlobHeaderSize + resources.size() * kBlobEntrySize;
    for (const Resource& resource : resources) {
        CheckTypeName(resource.type);
        std::string paddedType = resource.type;
        paddedType.resize(kMaxTypeNameLength, '\0');
        blob.insert(blob.end(), paddedType.begin(), paddedType.end());
        AppendUint32(blob, resource.id);
        AppendUint32(blob, static_cast<uint32_t>(dataOffset));
        AppendUint32(blob, static_cast<uint32_t>(resource.data.size()));
        dataOffset = AlignUp(dataOffset + resource.data.size());
    }
    for (const Resource& resource : resources) {
        blob.resize(AlignUp(blob.size()), 0);
        blob.insert(blob.end(), resource.data.begin(), resource.data.end());
    }
    return blob;
}

}  // namespace oxres
