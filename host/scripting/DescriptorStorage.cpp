#include "host/scripting/DescriptorStorage.h"

#include <cstring>
#include <limits>

#include "host/run/HostHandles.h"

namespace oxhost {
namespace {

constexpr char kMagic[4] = {'O', 'X', 'D', 'S'};
constexpr uint16_t kFormatVersion = 1;

class ByteWriter {
public:
    void U8(uint8_t value) { bytes.push_back(value); }
    void U16(uint16_t value) {
        U8(uint8_t(value));
        U8(uint8_t(value >> 8));
    }
    void U32(uint32_t value) {
        U16(uint16_t(value));
        U16(uint16_t(value >> 16));
    }
    void F64(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        U32(uint32_t(bits));
        U32(uint32_t(bits >> 32));
    }
    void Bytes(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

    std::vector<uint8_t> bytes;
};

// Every read checks the remaining length; after a failed read the reader
// stays failed and yields zeros.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data(data), size(size) {}

    bool Ok() const { return ok; }
    bool AtEnd() const { return offset == size; }
    size_t Remaining() const { return size - offset; }

    uint8_t U8() { return Take(1) ? data[offset - 1] : 0; }
    uint16_t U16() {
        const uint16_t low = U8();
        return uint16_t(low | uint16_t(U8()) << 8);
    }
    uint32_t U32() {
        const uint32_t low = U16();
        return low | uint32_t(U16()) << 16;
    }
    double F64() {
        const uint64_t low = U32();
        const uint64_t bits = low | uint64_t(U32()) << 32;
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string Bytes(size_t count) {
        if (!Take(count)) {
            return std::string();
        }
        return std::string(reinterpret_cast<const char*>(data + offset - count), count);
    }
    const uint8_t* Skip(size_t count) { return Take(count) ? data + offset - count : nullptr; }
    void Fail() { ok = false; }

private:
    bool Take(size_t count) {
        if (!ok || count > size - offset) {
            ok = false;
            return false;
        }
        offset += count;
        return true;
    }

    const uint8_t* data;
    size_t size;
    size_t offset = 0;
    bool ok = true;
};

void EncodeInto(const Descriptor& descriptor, ByteWriter& out);

void EncodeEntry(const DescriptorEntry& entry, ByteWriter& out) {
    out.U32(entry.key);
    out.U8(uint8_t(entry.kind));
    switch (entry.kind) {
        case DescriptorKind::Integer:
            out.U32(uint32_t(entry.integer));
            break;
        case DescriptorKind::Float:
            out.F64(entry.number);
            break;
        case DescriptorKind::UnitFloat:
            out.U32(entry.code);
            out.F64(entry.number);
            break;
        case DescriptorKind::Boolean:
            out.U8(entry.integer != 0 ? 1 : 0);
            break;
        case DescriptorKind::Text:
        case DescriptorKind::Alias:
            out.U32(uint32_t(entry.bytes.size()));
            out.Bytes(entry.bytes);
            break;
        case DescriptorKind::Enumerated:
            out.U32(entry.code);
            out.U32(entry.enumValue);
            break;
        case DescriptorKind::Class:
            out.U32(entry.code);
            break;
        case DescriptorKind::Object: {
            out.U32(entry.code);
            ByteWriter nested;
            EncodeInto(entry.object, nested);
            out.U32(uint32_t(nested.bytes.size()));
            out.bytes.insert(out.bytes.end(), nested.bytes.begin(), nested.bytes.end());
            break;
        }
        case DescriptorKind::Reference: {
            const DescriptorReference& reference = entry.reference;
            const std::string name = reference.name.substr(0, 255);
            out.U32(reference.desiredClass);
            out.U32(reference.keyForm);
            out.U8(uint8_t(name.size()));
            out.Bytes(name);
            out.U32(uint32_t(reference.index));
            out.U32(reference.type);
            out.U32(reference.value);
            break;
        }
    }
}

void EncodeInto(const Descriptor& descriptor, ByteWriter& out) {
    for (char c : kMagic) {
        out.U8(uint8_t(c));
    }
    out.U16(kFormatVersion);
    out.U32(uint32_t(descriptor.entries.size()));
    for (const DescriptorEntry& entry : descriptor.entries) {
        EncodeEntry(entry, out);
    }
}

bool DecodeWhole(const uint8_t* data, size_t size, int depth, Descriptor& descriptor);

bool DecodeEntry(ByteReader& in, int depth, DescriptorEntry& entry) {
    entry.key = in.U32();
    const uint8_t kind = in.U8();
    if (kind > uint8_t(DescriptorKind::Reference)) {
        return false;
    }
    entry.kind = DescriptorKind(kind);
    switch (entry.kind) {
        case DescriptorKind::Integer:
            entry.integer = int32_t(in.U32());
            break;
        case DescriptorKind::Float:
            entry.number = in.F64();
            break;
        case DescriptorKind::UnitFloat:
            entry.code = in.U32();
            entry.number = in.F64();
            break;
        case DescriptorKind::Boolean:
            entry.integer = in.U8();
            if (entry.integer > 1) {
                return false;
            }
            break;
        case DescriptorKind::Text:
        case DescriptorKind::Alias:
            entry.bytes = in.Bytes(in.U32());
            break;
        case DescriptorKind::Enumerated:
            entry.code = in.U32();
            entry.enumValue = in.U32();
            break;
        case DescriptorKind::Class:
            entry.code = in.U32();
            break;
        case DescriptorKind::Object: {
            entry.code = in.U32();
            const uint32_t length = in.U32();
            const uint8_t* nested = in.Skip(length);
            if (nested == nullptr || depth >= kMaxDescriptorDepth ||
                !DecodeWhole(nested, length, depth + 1, entry.object)) {
                return false;
            }
            break;
        }
        case DescriptorKind::Reference: {
            DescriptorReference& reference = entry.reference;
            reference.desiredClass = in.U32();
            reference.keyForm = in.U32();
            reference.name = in.Bytes(in.U8());
            reference.index = int32_t(in.U32());
            reference.type = in.U32();
            reference.value = in.U32();
            break;
        }
    }
    return in.Ok();
}

bool DecodeWhole(const uint8_t* data, size_t size, int depth, Descriptor& descriptor) {
    ByteReader in(data, size);
    const uint8_t* magic = in.Skip(sizeof kMagic);
    if (magic == nullptr || std::memcmp(magic, kMagic, sizeof kMagic) != 0 ||
        in.U16() != kFormatVersion) {
        return false;
    }
    const uint32_t count = in.U32();
    Descriptor decoded;
    for (uint32_t i = 0; i < count && in.Ok(); ++i) {
        DescriptorEntry entry;
        if (!DecodeEntry(in, depth, entry)) {
            return false;
        }
        decoded.entries.push_back(std::move(entry));
    }
    if (!in.Ok() || !in.AtEnd()) {
        return false;
    }
    descriptor = std::move(decoded);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodeDescriptor(const Descriptor& descriptor) {
    ByteWriter out;
    EncodeInto(descriptor, out);
    return out.bytes;
}

bool DecodeDescriptor(const uint8_t* data, size_t size, Descriptor& descriptor) {
    if (data == nullptr) {
        return false;
    }
    return DecodeWhole(data, size, 1, descriptor);
}

Handle NewBytesHandle(const std::string& bytes) {
    if (bytes.size() > size_t(std::numeric_limits<int32_t>::max())) {
        return nullptr;
    }
    HostHandles& handles = HostHandles::Instance();
    Handle handle = handles.New(int32_t(bytes.size()));
    if (handle != nullptr && !bytes.empty()) {
        std::memcpy(handles.Lock(handle), bytes.data(), bytes.size());
        handles.Unlock(handle);
    }
    return handle;
}

bool ReadHandleBytes(Handle handle, std::string& bytes) {
    HostHandles& handles = HostHandles::Instance();
    if (handle == nullptr || !handles.IsLive(handle)) {
        return false;
    }
    const char* data = static_cast<const char*>(handles.Lock(handle));
    bytes.assign(data, size_t(handles.Size(handle)));
    handles.Unlock(handle);
    return true;
}

Handle NewDescriptorHandle(const Descriptor& descriptor) {
    const std::vector<uint8_t> bytes = EncodeDescriptor(descriptor);
    return NewBytesHandle(std::string(bytes.begin(), bytes.end()));
}

bool LoadDescriptorHandle(Handle handle, Descriptor& descriptor) {
    std::string bytes;
    if (!ReadHandleBytes(handle, bytes)) {
        return false;
    }
    return DecodeDescriptor(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                            descriptor);
}

}  // namespace oxhost
