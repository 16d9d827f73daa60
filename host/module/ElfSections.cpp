#include "ElfSections.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "host/HostError.h"

namespace oxhost {

namespace {

constexpr size_t kIdentSize = 16;
constexpr unsigned char kElfMagic[4] = {0x7F, 'E', 'L', 'F'};
constexpr unsigned char kClass32 = 1;
constexpr unsigned char kClass64 = 2;
constexpr unsigned char kLittleEndian = 1;
constexpr uint32_t kSectionTypeNoBits = 8;  // occupies no bytes in the file (.bss)
constexpr uint16_t kExtendedSectionIndex = 0xFFFF;

uint64_t ReadLittleEndian(const unsigned char* bytes, size_t byteCount) {
    uint64_t value = 0;
    for (size_t i = byteCount; i > 0; --i) {
        value = value << 8 | bytes[i - 1];
    }
    return value;
}

// Where the fields this reader needs lie, for one ELF class.
struct ElfLayout {
    size_t headerSize;
    size_t sectionTableOffsetField;  // e_shoff
    size_t addressSize;              // of e_shoff, sh_offset, sh_size
    size_t sectionEntrySizeField;    // e_shentsize; e_shnum and e_shstrndx follow
    size_t sectionEntrySize;         // smallest valid e_shentsize
    size_t sectionOffsetField;       // sh_offset
    size_t sectionSizeField;         // sh_size
    size_t sectionLinkField;         // sh_link
};

constexpr ElfLayout kLayout32 = {52, 0x20, 4, 0x2E, 40, 0x10, 0x14, 0x18};
constexpr ElfLayout kLayout64 = {64, 0x28, 8, 0x3A, 64, 0x18, 0x20, 0x28};

struct SectionHeader {
    uint32_t nameOffset;
    uint32_t type;
    uint64_t offset;
    uint64_t size;
};

// Reads ranges of one file, each checked against the file size.
class CheckedFile {
public:
    explicit CheckedFile(const std::string& path) : path_(path), stream_(path, std::ios::binary) {
        if (!stream_) {
            throw HostError("'" + path + "' cannot be opened");
        }
        stream_.seekg(0, std::ios::end);
        std::streamoff end = stream_.tellg();
        if (end < 0) {
            throw HostError("'" + path + "' cannot be read");
        }
        size_ = static_cast<uint64_t>(end);
    }

    uint64_t Size() const { return size_; }

    // `what` names the range in the message when it lies beyond the end.
    std::vector<unsigned char> Read(uint64_t offset, uint64_t size, const std::string& what) {
        if (offset > size_ || size > size_ - offset) {
            throw HostError("'" + path_ + "' is truncated: its " + what +
                            " lies beyond the end of the file");
        }
        std::vector<unsigned char> bytes(static_cast<size_t>(size));
        stream_.seekg(static_cast<std::streamoff>(offset));
        stream_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
        if (!stream_) {
            throw HostError("'" + path_ + "' cannot be read");
        }
        return bytes;
    }

private:
    std::string path_;
    std::ifstream stream_;
    uint64_t size_ = 0;
};

class ElfReader {
public:
    explicit ElfReader(const std::string& path) : path_(path), file_(path) {
        ReadHeader();
        ReadSectionTable();
    }

    std::optional<std::vector<unsigned char>> FindSection(const std::string& name) {
        if (sectionCount_ == 0) {
            return std::nullopt;
        }
        std::vector<unsigned char> names =
            ReadSectionBytes(Section(nameTableIndex_), "section name table");
        for (uint64_t index = 0; index < sectionCount_; ++index) {
            SectionHeader header = Section(index);
            if (SectionNameIs(names, header.nameOffset, name)) {
                return ReadSectionBytes(header, "section '" + name + "'");
            }
        }
        return std::nullopt;
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const {
        throw HostError("'" + path_ + "' " + problem);
    }

    void ReadHeader() {
        if (file_.Size() < kIdentSize) {
            Fail("is not an ELF file");
        }
        std::vector<unsigned char> ident = file_.Read(0, kIdentSize, "ELF header");
        if (std::memcmp(ident.data(), kElfMagic, sizeof kElfMagic) != 0) {
            Fail("is not an ELF file");
        }
        if (ident[4] != kClass32 && ident[4] != kClass64) {
            Fail("is an ELF file of unknown class " + std::to_string(ident[4]));
        }
        if (ident[5] != kLittleEndian) {
            Fail("is not a little-endian ELF file");
        }
        layout_ = ident[4] == kClass64 ? &kLayout64 : &kLayout32;
        header_ = file_.Read(0, layout_->headerSize, "ELF header");
    }

    void ReadSectionTable() {
        const ElfLayout& layout = *layout_;
        uint64_t tableOffset = Field(header_, layout.sectionTableOffsetField, layout.addressSize);
        entrySize_ = Field(header_, layout.sectionEntrySizeField, 2);
        sectionCount_ = Field(header_, layout.sectionEntrySizeField + 2, 2);
        nameTableIndex_ = Field(header_, layout.sectionEntrySizeField + 4, 2);
        if (tableOffset == 0) {
            sectionCount_ = 0;
            return;
        }
        if (entrySize_ < layout.sectionEntrySize) {
            Fail("is corrupt: section header size " + std::to_string(entrySize_) + " is too small");
        }
        // Section 0 holds the real count and name table index when they do
        // not fit in the ELF header.
        table_ = file_.Read(tableOffset, entrySize_, "section header table");
        if (sectionCount_ == 0) {
            sectionCount_ = Field(table_, layout.sectionSizeField, layout.addressSize);
        }
        if (nameTableIndex_ == kExtendedSectionIndex) {
            nameTableIndex_ = Field(table_, layout.sectionLinkField, 4);
        }
        if (sectionCount_ > file_.Size() / entrySize_) {
            Fail("is truncated: its section header table lies beyond the end of the file");
        }
        table_ = file_.Read(tableOffset, sectionCount_ * entrySize_, "section header table");
        if (sectionCount_ != 0 && nameTableIndex_ >= sectionCount_) {
            Fail("is corrupt: its section name table index is out of range");
        }
    }

    static uint64_t Field(const std::vector<unsigned char>& bytes, size_t offset, size_t size) {
        return ReadLittleEndian(bytes.data() + offset, size);
    }

    SectionHeader Section(uint64_t index) const {
        const ElfLayout& layout = *layout_;
        const unsigned char* entry = table_.data() + index * entrySize_;
        SectionHeader header;
        header.nameOffset = static_cast<uint32_t>(ReadLittleEndian(entry, 4));
        header.type = static_cast<uint32_t>(ReadLittleEndian(entry + 4, 4));
        header.offset = ReadLittleEndian(entry + layout.sectionOffsetField, layout.addressSize);
        header.size = ReadLittleEndian(entry + layout.sectionSizeField, layout.addressSize);
        return header;
    }

    std::vector<unsigned char> ReadSectionBytes(const SectionHeader& header,
                                                const std::string& what) {
        if (header.type == kSectionTypeNoBits) {
            Fail("is corrupt: its " + what + " has no bytes in the file");
        }
        return file_.Read(header.offset, header.size, what);
    }

    bool SectionNameIs(const std::vector<unsigned char>& names, uint32_t nameOffset,
                       const std::string& wanted) const {
        if (nameOffset >= names.size()) {
            Fail("is corrupt: a section name lies outside the section name table");
        }
        size_t available = names.size() - nameOffset;
        if (wanted.size() >= available) {
            return false;
        }
        return std::memcmp(names.data() + nameOffset, wanted.data(), wanted.size()) == 0 &&
               names[nameOffset + wanted.size()] == '\0';
    }

    std::string path_;
    CheckedFile file_;
    const ElfLayout* layout_ = nullptr;
    std::vector<unsigned char> header_;
    std::vector<unsigned char> table_;
    uint64_t entrySize_ = 0;
    uint64_t sectionCount_ = 0;
    uint64_t nameTableIndex_ = 0;
};

}  // namespace

std::optional<std::vector<unsigned char>> FindElfSection(const std::string& path,
                                                         const std::string& sectionName) {
    return ElfReader(path).FindSection(sectionName);
}

std::vector<unsigned char> ReadElfSection(const std::string& path, const std::string& sectionName) {
    std::optional<std::vector<unsigned char>> bytes = FindElfSection(path, sectionName);
    if (!bytes) {
        throw HostError("'" + path + "' has no section '" + sectionName + "'");
    }
    return *bytes;
}

}  // namespace oxhost
