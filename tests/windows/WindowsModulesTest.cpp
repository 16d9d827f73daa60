// The Windows modules as files: what they export and import, and that their
// resources are those of the Linux modules, compiled from the same scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

#include "PeResources.h"
#include "WindowsBuilds.h"
#include "bridge/platform/linux/ResourceBlob.h"
#include "host/module/ElfSections.h"
#include "host/module/ModuleFile.h"
#include "tests/support/ScratchFolder.h"

namespace oxtest {
namespace {

const char* const kModules[] = {"Virarar", "Tintflood"};

std::string CommandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[4096];
    size_t count = 0;
    while (pipe && (count = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        output.append(buffer, count);
    }
    return output;
}

struct ImportsAndExports {
    std::set<std::string> exports;
    std::set<std::string> dlls;
};

// From objdump's view of the PE headers: the names of the export name
// table and the DLLs of the import table.
ImportsAndExports ReadTables(const WindowsBuild& build, const std::string& module) {
    std::istringstream lines(CommandOutput(build.triple + "-objdump -p '" + module + "'"));
    ImportsAndExports tables;
    bool inNameTable = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
            inNameTable = true;
        } else if (inNameTable && line.find(']') != std::string::npos) {
            tables.exports.insert(line.substr(line.find(']') + 2));
        } else {
            inNameTable = false;
        }
        const size_t dll = line.find("DLL Name: ");
        if (dll != std::string::npos) {
            tables.dlls.insert(line.substr(dll + 10));
        }
    }
    return tables;
}

TEST(WindowsModules, ExportOnlyTheEntryPointsAndImportOnlySystemDlls) {
    const std::vector<WindowsBuild> builds = ConfiguredWindowsBuilds();
    ASSERT_FALSE(builds.empty()) << "no Windows build configured";
    const std::set<std::string> systemDlls = {"KERNEL32.dll", "USER32.dll", "SHELL32.dll",
                                              "msvcrt.dll"};
    for (const WindowsBuild& build : builds) {
        const std::set<std::string> expected = {"PluginMain",
                                                build.is64Bit ? "GenericProc" : "_GenericProc@16"};
        for (const char* name : kModules) {
            const ImportsAndExports tables = ReadTables(build, build.bin + "/" + name + ".8bf");
            EXPECT_EQ(tables.exports, expected) << build.name << " " << name;
            ASSERT_FALSE(tables.dlls.empty()) << build.name << " " << name;
            for (const std::string& dll : tables.dlls) {
                EXPECT_TRUE(systemDlls.count(dll))
                    << build.name << " " << name << " imports " << dll;
            }
        }
    }
}

// The Linux module's resources: (type, id) -> bytes.
std::map<std::pair<std::string, uint32_t>, std::vector<uint8_t>> LinuxResources(
    const std::string& module) {
    const std::vector<unsigned char> blob = oxhost::ReadElfSection(module, "oxres");
    std::map<std::pair<std::string, uint32_t>, std::vector<uint8_t>> resources;
    const uint32_t count = oxres::CountResourcesInBlob(blob.data(), blob.size());
    for (uint32_t i = 0; i < count; ++i) {
        oxres::BlobEntry entry{};
        if (oxres::ReadBlobEntry(blob.data(), blob.size(), i, &entry)) {
            resources[{entry.type, entry.id}] =
                std::vector<uint8_t>(entry.data, entry.data + entry.size);
        }
    }
    return resources;
}

// The PE resource holding what the Linux module keeps as (type, id), in the
// Linux form: strings and dialogs decoded, the rest as it is.
std::optional<std::vector<uint8_t>> AsLinuxResource(const PeResourceMap& pe,
                                                    const std::string& type, uint32_t id) {
    if (type == "STRING") {
        const std::optional<std::string> text = PeString(pe, uint16_t(id));
        return text ? std::optional<std::vector<uint8_t>>({text->begin(), text->end()})
                    : std::nullopt;
    }
    PeResourceType key;
    if (type == "DIALOG") {
        key.number = kPeDialogType;
    } else if (type == "BITMAP") {
        key.number = kPeBitmapType;
    } else {
        key.name = type;
    }
    const auto found = pe.find({key, uint16_t(id)});
    if (found == pe.end()) {
        return std::nullopt;
    }
    if (type == "DIALOG") {
        return oxres::WriteDialogTemplate(DecodePeDialog(found->second));
    }
    return found->second;
}

// What the 64-bit PiPL adds to the 32-bit one: one more property, '8664',
// naming the same entry point, right after 'wx86'.
std::vector<uint8_t> WithWin64EntryPoint(std::vector<uint8_t> pipl) {
    const std::vector<uint8_t> win32Entry = {'6', '8', 'x', 'w'};
    const std::vector<uint8_t> property = {'M', 'I', 'B', '8', '4', '6', '6', '8', 0,   0,
                                           0,   0,   12,  0,   0,   0,   'P', 'l', 'u', 'g',
                                           'i', 'n', 'M', 'a', 'i', 'n', 0,   0};
    pipl[6] += 1;  // the property count
    auto entry = std::search(pipl.begin(), pipl.end(), win32Entry.begin(), win32Entry.end());
    // vendor 4, key 4, id 4, length 4, then 12 bytes of name
    pipl.insert(entry + 4 + 4 + 4 + 12, property.begin(), property.end());
    return pipl;
}

TEST(WindowsModules, CarryTheResourcesOfTheLinuxModules) {
    const std::string linuxBin = std::getenv("OX_PLUGIN_DIR");
    for (const WindowsBuild& build : ConfiguredWindowsBuilds()) {
        for (const char* name : kModules) {
            const auto linuxResources = LinuxResources(linuxBin + "/" + name + ".8bf");
            const PeResourceMap pe = ReadPeResources(build.bin + "/" + name + ".8bf");
            ASSERT_GE(linuxResources.size(), 7u) << name;
            size_t peResourcesSeen = 0;
            std::set<uint16_t> stringBlocks;
            for (const auto& [key, bytes] : linuxResources) {
                const auto [type, id] = key;
                SCOPED_TRACE(build.name + " " + name + " " + type + " " + std::to_string(id));
                const std::optional<std::vector<uint8_t>> windows = AsLinuxResource(pe, type, id);
                ASSERT_TRUE(windows.has_value());
                const bool win64Pipl = build.is64Bit && type == "PIPL";
                EXPECT_EQ(*windows, win64Pipl ? WithWin64EntryPoint(bytes) : bytes);
                if (type == "STRING") {
                    stringBlocks.insert(uint16_t(id / 16 + 1));
                } else {
                    ++peResourcesSeen;
                }
            }
            // Nothing more on Windows than on Linux.
            EXPECT_EQ(pe.size(), peResourcesSeen + stringBlocks.size()) << build.name << name;
        }
    }
}

}  // namespace
}  // namespace oxtest
