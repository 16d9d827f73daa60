// Builds expected byte layouts in tests, field by field, little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace restest {

using Bytes = std::vector<unsigned char>;

class ByteBuilder {
public:
    ByteBuilder& U8(unsigned value) {
        bytes_.push_back(static_cast<unsigned char>(value));
        return *this;
    }
    ByteBuilder& U16(uint32_t value) { return LittleEndian(value, 2); }
    ByteBuilder& U32(uint32_t value) { return LittleEndian(value, 4); }
    ByteBuilder& U64(uint64_t value) { return LittleEndian(value, 8); }

    // A four-character code given in reading order, stored as a
    // little-endian 32-bit value (its characters reversed).
    ByteBuilder& FourCC(const char (&code)[5]) {
        return U32(static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
                   static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
                   static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
                   static_cast<uint32_t>(static_cast<unsigned char>(code[3])));
    }
    ByteBuilder& Text(const std::string& text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder& CString(const std::string& text) { return Text(text).U8(0); }
    ByteBuilder& LengthPrefixed(const std::string& text) {
        return U8(static_cast<unsigned>(text.size())).Text(text);
    }
    ByteBuilder& Append(const Bytes& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    ByteBuilder& ZerosTo(size_t size) {
        bytes_.resize(size, 0);
        return *this;
    }
    ByteBuilder& PadTo4() { return ZerosTo((bytes_.size() + 3) / 4 * 4); }

    size_t Size() const { return bytes_.size(); }
    const Bytes& Get() const { return bytes_; }

private:
    ByteBuilder& LittleEndian(uint64_t value, int byteCount) {
        for (int i = 0; i < byteCount; ++i) {
            bytes_.push_back(static_cast<unsigned char>(value >> (8 * i)));
        }
        return *this;
    }

    Bytes bytes_;
};

// A property list as hosts expect it: header int16 1, int32 0, int32 count,
// then each property with vendor '8BIM', its key, id 0, the padded length
// and the data padded to 4 bytes.
class PiplBuilder {
public:
    PiplBuilder& Property(const char (&key)[5], const Bytes& data) {
        Bytes padded = data;
        padded.resize((data.size() + 3) / 4 * 4, 0);
        properties_.FourCC("8BIM").FourCC(key).U32(0).U32(static_cast<uint32_t>(padded.size()));
        properties_.Append(padded);
        ++count_;
        return *this;
    }

    Bytes Build() const {
        return ByteBuilder().U16(1).U32(0).U32(count_).Append(properties_.Get()).Get();
    }

private:
    ByteBuilder properties_;
    uint32_t count_ = 0;
};

}  // namespace restest
