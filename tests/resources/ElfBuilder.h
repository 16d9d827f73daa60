// Builds small ELF files by hand for the tests of the host's ELF reader.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "ByteBuilder.h"

namespace restest {

struct TestSection {
    std::string name;
    uint32_t type;  // 1 progbits, 3 strtab, 8 nobits
    Bytes data;
};

struct ElfOptions {
    bool is64 = true;
    bool extendedNumbering = false;  // count and name table index in section 0
    uint16_t sectionEntrySize = 0;   // 0: the standard size
};

// A minimal relocatable ELF file: header, section data, the section name
// table, then the section header table, as a linker lays them out.
inline Bytes BuildElf(const std::vector<TestSection>& sections, const ElfOptions& options = {}) {
    std::vector<TestSection> all = {{"", 0, {}}};
    all.insert(all.end(), sections.begin(), sections.end());
    Bytes names = {0};
    std::vector<uint32_t> nameOffsets;
    for (TestSection& section : all) {
        nameOffsets.push_back(section.name.empty() ? 0 : static_cast<uint32_t>(names.size()));
        if (!section.name.empty()) {
            names.insert(names.end(), section.name.begin(), section.name.end());
            names.push_back(0);
        }
    }
    nameOffsets.push_back(static_cast<uint32_t>(names.size()));
    const std::string tableName = ".shstrtab";
    names.insert(names.end(), tableName.begin(), tableName.end());
    names.push_back(0);
    all.push_back({tableName, 3, names});

    const size_t headerSize = options.is64 ? 64 : 52;
    const uint16_t entrySize =
        options.sectionEntrySize != 0 ? options.sectionEntrySize : (options.is64 ? 64 : 40);
    std::vector<uint64_t> offsets;
    ByteBuilder body;
    body.ZerosTo(headerSize);
    for (const TestSection& section : all) {
        offsets.push_back(body.Size());
        if (section.type != 8) {
            body.Append(section.data);
        }
    }
    body.PadTo4();
    const uint64_t tableOffset = body.Size();
    const uint16_t count = static_cast<uint16_t>(all.size());
    const uint16_t nameTableIndex = static_cast<uint16_t>(all.size() - 1);

    ByteBuilder table;
    for (size_t i = 0; i < all.size(); ++i) {
        uint64_t size = all[i].data.size();
        uint32_t link = 0;
        if (i == 0 && options.extendedNumbering) {
            size = count;
            link = nameTableIndex;
        }
        size_t start = table.Size();
        table.U32(nameOffsets[i]).U32(all[i].type);
        if (options.is64) {
            table.U64(0).U64(0).U64(offsets[i]).U64(size).U32(link).U32(0).U64(1).U64(0);
        } else {
            table.U32(0)
                .U32(0)
                .U32(static_cast<uint32_t>(offsets[i]))
                .U32(static_cast<uint32_t>(size))
                .U32(link)
                .U32(0)
                .U32(1)
                .U32(0);
        }
        table.ZerosTo(start + entrySize);
    }

    ByteBuilder header;
    header.U8(0x7F).Text("ELF").U8(options.is64 ? 2 : 1).U8(1).U8(1).ZerosTo(16);
    header.U16(1).U16(options.is64 ? 62 : 3).U32(1);  // relocatable, x86-64 / i386, version 1
    if (options.is64) {
        header.U64(0).U64(0).U64(tableOffset);
    } else {
        header.U32(0).U32(0).U32(static_cast<uint32_t>(tableOffset));
    }
    header.U32(0).U16(static_cast<uint32_t>(headerSize)).U16(0).U16(0).U16(entrySize);
    header.U16(options.extendedNumbering ? 0 : count)
        .U16(options.extendedNumbering ? 0xFFFF : nameTableIndex);

    Bytes file = body.Get();
    std::copy(header.Get().begin(), header.Get().end(), file.begin());
    file.insert(file.end(), table.Get().begin(), table.Get().end());
    return file;
}

}  // namespace restest
