#include "Pipl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/HostError.h"
#include "hostapi/PiplKeys.h"

namespace oxhost {

namespace {

constexpr size_t kListHeaderSize = 10;      // int16 1, int32 0, int32 count
constexpr size_t kPropertyHeaderSize = 16;  // vendor, key, id, length
constexpr size_t kFilterCaseEntrySize = 4;
constexpr size_t kTerminologyFixedSize = 14;  // version, class, event, resource id

uint32_t ReadUint32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint16_t ReadUint16(const unsigned char* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

size_t PaddedLength(size_t length) {
    return (length + 3) / 4 * 4;
}

// The data of one property, with the checks that its value fits.
class PropertyParser {
public:
    PropertyParser(const unsigned char* data, size_t length, OSType key, const std::string& source)
        : data_(data), length_(length), key_(key), source_(source) {}

    void RequireLength(size_t needed) const {
        if (length_ < needed) {
            Fail("is " + std::to_string(length_) + " bytes long, too short for its value");
        }
    }

    OSType FourCharCode() const {
        RequireLength(4);
        return ReadUint32(data_);
    }

    int32_t Int32() const { return static_cast<int32_t>(FourCharCode()); }

    // One length byte, then the characters.
    std::string LengthPrefixedString() const {
        RequireLength(1);
        size_t count = data_[0];
        RequireLength(1 + count);
        return std::string(reinterpret_cast<const char*>(data_ + 1), count);
    }

    // A NUL-terminated string starting at `offset` of the data.
    std::string CString(size_t offset = 0) const {
        RequireLength(offset);
        const void* end = std::memchr(data_ + offset, '\0', length_ - offset);
        if (end == nullptr) {
            Fail("holds a string without its terminating NUL");
        }
        return std::string(reinterpret_cast<const char*>(data_ + offset),
                           static_cast<const unsigned char*>(end) - (data_ + offset));
    }

    uint16_t ModeSet() const {
        RequireLength(2);
        return static_cast<uint16_t>(data_[0] << 8 | data_[1]);
    }

    std::array<FilterCaseInfo, kFilterCaseCount> FilterCases() const {
        RequireLength(kFilterCaseCount * kFilterCaseEntrySize);
        std::array<FilterCaseInfo, kFilterCaseCount> cases;
        for (int i = 0; i < kFilterCaseCount; ++i) {
            const unsigned char* entry = data_ + i * kFilterCaseEntrySize;
            cases[i] = FilterCaseInfo{entry[0], entry[1], entry[2], entry[3]};
        }
        return cases;
    }

    PiplTerminology Terminology() const {
        RequireLength(kTerminologyFixedSize);
        PiplTerminology terminology;
        terminology.present = true;
        terminology.version = static_cast<int32_t>(ReadUint32(data_));
        terminology.classId = ReadUint32(data_ + 4);
        terminology.eventId = ReadUint32(data_ + 8);
        terminology.resourceId = static_cast<int16_t>(ReadUint16(data_ + 12));
        terminology.scope = CString(kTerminologyFixedSize);
        return terminology;
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const {
        throw HostError("'" + source_ + "' has a damaged PiPL: property '" +
                        FourCharCodeText(key_) + "' " + problem);
    }

    const unsigned char* data_;
    size_t length_;
    OSType key_;
    const std::string& source_;
};

[[noreturn]] void FailDamaged(const std::string& source, const std::string& problem) {
    throw HostError("'" + source + "' has a damaged PiPL: " + problem);
}

void StoreProperty(const PropertyParser& property, OSType key, PiplProperties& pipl) {
    switch (key) {
        case PIKindProperty:
            pipl.kind = property.FourCharCode();
            break;
        case PINameProperty:
            pipl.name = property.LengthPrefixedString();
            break;
        case PICategoryProperty:
            pipl.category = property.LengthPrefixedString();
            break;
        case PIVersionProperty:
            pipl.version = property.Int32();
            break;
        case PIWin32X86CodeProperty:
            pipl.entryPoint = property.CString();
            break;
        case PIWin64X86CodeProperty:
            pipl.entryPoint64 = property.CString();
            break;
        case PITerminologyProperty:
            pipl.terminology = property.Terminology();
            break;
        case PIImageModesProperty:
            pipl.modeSet = property.ModeSet();
            break;
        case PIEnableInfoProperty:
            pipl.enableExpression = property.CString();
            break;
        case PIFilterCaseInfoProperty:
            pipl.filterCases = property.FilterCases();
            pipl.hasFilterCaseInfo = true;
            break;
        default:
            break;  // a property this host has no use for
    }
}

}  // namespace

bool PiplProperties::SupportsMode(int imageMode) const {
    if (imageMode < 0 || imageMode > 15) {
        return false;
    }
    return (modeSet & (0x8000u >> imageMode)) != 0;
}

const std::string& PiplProperties::HostEntryPoint() const {
#if defined(_WIN64)
    return entryPoint64;
#else
    return entryPoint;
#endif
}

PiplProperties ParsePipl(const unsigned char* data, size_t size, const std::string& source) {
    if (size < kListHeaderSize) {
        FailDamaged(source, "it is only " + std::to_string(size) + " bytes long");
    }
    if (ReadUint16(data) != 1 || ReadUint32(data + 2) != 0) {
        FailDamaged(source, "its header is not version 1, 0");
    }
    int32_t count = static_cast<int32_t>(ReadUint32(data + 6));
    if (count < 0) {
        FailDamaged(source, "its property count " + std::to_string(count) + " is negative");
    }
    PiplProperties pipl;
    size_t offset = kListHeaderSize;
    for (int32_t index = 1; index <= count; ++index) {
        std::string which = "property " + std::to_string(index) + " of " + std::to_string(count);
        if (size - offset < kPropertyHeaderSize) {
            FailDamaged(source, which + " runs past the end");
        }
        const unsigned char* header = data + offset;
        OSType vendor = ReadUint32(header);
        OSType key = ReadUint32(header + 4);
        uint32_t length = ReadUint32(header + 12);
        if (vendor != PIPLVendor8BIM) {
            FailDamaged(source,
                        which + " has vendor '" + FourCharCodeText(vendor) + "', expected '8BIM'");
        }
        size_t dataOffset = offset + kPropertyHeaderSize;
        if (length > size - dataOffset) {
            FailDamaged(source, which + " ('" + FourCharCodeText(key) + "', " +
                                    std::to_string(length) + " bytes) runs past the end");
        }
        StoreProperty(PropertyParser(data + dataOffset, length, key, source), key, pipl);
        // Data is padded to 4 bytes; the last property may lack its padding.
        offset = dataOffset + std::min(PaddedLength(length), size - dataOffset);
    }
    return pipl;
}

std::string FourCharCodeText(OSType code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
            return hex;
        }
        text += c;
    }
    return text;
}

}  // namespace oxhost
