#include "PeResources.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace oxtest {
namespace {

uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 2 > bytes.size()) {
        throw std::runtime_error("read past the end at " + std::to_string(at));
    }
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(U16(bytes, at)) | uint32_t(U16(bytes, at + 2)) << 16;
}

// The resource section of the file, and where it lies in memory (RVA).
struct ResourceSection {
    std::vector<uint8_t> bytes;
    uint32_t virtualAddress = 0;
};

ResourceSection FindResourceSection(const std::vector<uint8_t>& file) {
    if (U16(file, 0) != 0x5A4D) {
        throw std::runtime_error("no MZ header");
    }
    const uint32_t pe = U32(file, 0x3C);
    if (U32(file, pe) != 0x00004550) {
        throw std::runtime_error("no PE signature");
    }
    const uint16_t sectionCount = U16(file, pe + 6);
    const uint16_t optionalSize = U16(file, pe + 20);
    const size_t optional = pe + 24;
    const uint16_t magic = U16(file, optional);
    // The data directories follow the fixed part of the optional header,
    // which is longer in 64-bit files; the resource directory is entry 2.
    const size_t directories = optional + (magic == 0x20B ? 112 : 96);
    const uint32_t resourceRva = U32(file, directories + 2 * 8);
    ResourceSection section;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        const size_t header = optional + optionalSize + size_t(i) * 40;
        const uint32_t virtualSize = U32(file, header + 8);
        const uint32_t virtualAddress = U32(file, header + 12);
        const uint32_t rawSize = U32(file, header + 16);
        const uint32_t rawOffset = U32(file, header + 20);
        if (resourceRva >= virtualAddress && resourceRva < virtualAddress + virtualSize) {
            if (size_t(rawOffset) + rawSize > file.size()) {
                throw std::runtime_error("resource section past the end of the file");
            }
            section.bytes.assign(file.begin() + rawOffset, file.begin() + rawOffset + rawSize);
            section.virtualAddress = virtualAddress;
            return section;
        }
    }
    throw std::runtime_error("no resource section");
}

// An entry of a resource directory: its name or number, and where it leads.
struct DirectoryEntry {
    uint32_t name;
    uint32_t offset;
};

std::vector<DirectoryEntry> Entries(const std::vector<uint8_t>& section, uint32_t at) {
    const size_t count = size_t(U16(section, at + 12)) + U16(section, at + 14);
    std::vector<DirectoryEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back({U32(section, at + 16 + i * 8), U32(section, at + 20 + i * 8)});
    }
    return entries;
}

constexpr uint32_t kHighBit = 0x80000000u;

std::string NameAt(const std::vector<uint8_t>& section, uint32_t at) {
    std::string name;
    const uint16_t length = U16(section, at);
    for (uint16_t i = 0; i < length; ++i) {
        name.push_back(char(U16(section, at + 2 + i * 2u)));
    }
    return name;
}

// UTF-16 code units of our texts back to Windows-1252, which is what the
// Linux modules store; the resource compiler converted them from it.
char ToWindows1252(uint16_t unit) {
    static const uint16_t high[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (int i = 0; i < 32; ++i) {
        if (high[i] == unit) {
            return char(0x80 + i);
        }
    }
    if (unit > 0xFF) {
        throw std::runtime_error("text outside Windows-1252");
    }
    return char(unit);
}

// A NUL-terminated UTF-16 string, or an ordinal (0xFFFF then a number);
// `at` moves past it.
std::string ReadText(const std::vector<uint8_t>& bytes, size_t& at, uint16_t* ordinal) {
    std::string text;
    if (U16(bytes, at) == 0xFFFF) {
        *ordinal = U16(bytes, at + 2);
        at += 4;
        return text;
    }
    *ordinal = 0;
    for (uint16_t unit = U16(bytes, at); unit != 0; unit = U16(bytes, at)) {
        text.push_back(ToWindows1252(unit));
        at += 2;
    }
    at += 2;
    return text;
}

std::string SystemClassName(uint16_t ordinal) {
    switch (ordinal) {
        case 0x80:
            return "BUTTON";
        case 0x81:
            return "EDIT";
        case 0x82:
            return "STATIC";
        case 0x83:
            return "LISTBOX";
        case 0x84:
            return "SCROLLBAR";
        case 0x85:
            return "COMBOBOX";
        default:
            throw std::runtime_error("unknown class ordinal " + std::to_string(ordinal));
    }
}

constexpr uint32_t kSetFontStyle = 0x40;  // DS_SETFONT

}  // namespace

PeResourceMap ReadPeResources(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(stream)),
                                    std::istreambuf_iterator<char>());
    PeResourceMap resources;
    try {
        const ResourceSection section = FindResourceSection(file);
        const std::vector<uint8_t>& bytes = section.bytes;
        for (const DirectoryEntry& type : Entries(bytes, 0)) {
            PeResourceType key;
            if (type.name & kHighBit) {
                key.name = NameAt(bytes, type.name & ~kHighBit);
            } else {
                key.number = uint16_t(type.name);
            }
            for (const DirectoryEntry& id : Entries(bytes, type.offset & ~kHighBit)) {
                if (id.name & kHighBit) {
                    continue;  // named resources: ours are all numbered
                }
                const std::vector<DirectoryEntry> languages = Entries(bytes, id.offset & ~kHighBit);
                if (languages.empty()) {
                    continue;
                }
                const uint32_t dataEntry = languages.front().offset;
                const uint32_t dataRva = U32(bytes, dataEntry);
                const uint32_t size = U32(bytes, dataEntry + 4);
                const size_t start = size_t(dataRva - section.virtualAddress);
                if (start + size > bytes.size()) {
                    throw std::runtime_error("resource data past the section's end");
                }
                resources[{key, uint16_t(id.name)}] =
                    std::vector<uint8_t>(bytes.begin() + start, bytes.begin() + start + size);
            }
        }
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("'" + path + "': " + error.what());
    }
    return resources;
}

std::optional<std::string> PeString(const PeResourceMap& resources, uint16_t id) {
    // Strings live in blocks of 16: block id / 16 + 1, position id % 16.
    PeResourceType type;
    type.number = kPeStringType;
    const auto block = resources.find({type, uint16_t(id / 16 + 1)});
    if (block == resources.end()) {
        return std::nullopt;
    }
    size_t at = 0;
    for (int position = 0; position < 16; ++position) {
        const uint16_t length = U16(block->second, at);
        at += 2;
        if (position == id % 16) {
            if (length == 0) {
                return std::nullopt;
            }
            std::string text;
            for (uint16_t i = 0; i < length; ++i) {
                text.push_back(ToWindows1252(U16(block->second, at + i * 2u)));
            }
            return text;
        }
        at += size_t(length) * 2;
    }
    return std::nullopt;
}

oxres::DialogTemplate DecodePeDialog(const std::vector<uint8_t>& bytes) {
    oxres::DialogTemplate dialog;
    dialog.style = U32(bytes, 0);
    if (U16(bytes, 2) == 0xFFFF) {
        throw std::runtime_error("DIALOGEX templates are not read");
    }
    dialog.extendedStyle = U32(bytes, 4);
    const uint16_t itemCount = U16(bytes, 8);
    dialog.x = int16_t(U16(bytes, 10));
    dialog.y = int16_t(U16(bytes, 12));
    dialog.width = int16_t(U16(bytes, 14));
    dialog.height = int16_t(U16(bytes, 16));
    size_t at = 18;
    uint16_t ordinal = 0;
    ReadText(bytes, at, &ordinal);  // menu
    ReadText(bytes, at, &ordinal);  // window class
    dialog.caption = ReadText(bytes, at, &ordinal);
    if (dialog.style & kSetFontStyle) {
        dialog.fontSize = U16(bytes, at);
        at += 2;
        dialog.fontName = ReadText(bytes, at, &ordinal);
    }
    for (uint16_t i = 0; i < itemCount; ++i) {
        at = (at + 3) & ~size_t(3);  // items start on 32-bit boundaries
        oxres::DialogItem item;
        item.style = U32(bytes, at);
        item.extendedStyle = U32(bytes, at + 4);
        item.x = int16_t(U16(bytes, at + 8));
        item.y = int16_t(U16(bytes, at + 10));
        item.width = int16_t(U16(bytes, at + 12));
        item.height = int16_t(U16(bytes, at + 14));
        item.id = U16(bytes, at + 16);
        at += 18;
        item.className = ReadText(bytes, at, &ordinal);
        if (ordinal != 0) {
            item.className = SystemClassName(ordinal);
        }
        item.text = ReadText(bytes, at, &ordinal);
        at += 2 + U16(bytes, at);  // creation data
        dialog.items.push_back(item);
    }
    return dialog;
}

}  // namespace oxtest
