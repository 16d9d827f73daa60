// The whole chain on a real module: oxrc output compiled into a module, the
// module's own lookup, and the host reading the same file from disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "ByteBuilder.h"
#include "ProbeModules.h"
#include "TemporaryFolder.h"
#include "bridge/ModuleResources.h"
#include "bridge/platform/linux/ResourceBlob.h"
#include "host/HostError.h"
#include "host/module/ElfSections.h"
#include "host/module/ModuleFile.h"

namespace {

using restest::ByteBuilder;
using restest::Bytes;

using ProbeLoadResourceProc = int (*)(const char*, int, const unsigned char**, size_t*);

struct ResourceCase {
    const char* type;
    int id;
};

const ResourceCase kProbeResources[] = {
    {"PIPL", 16000}, {"STRING", 1}, {"string", 2}, {"DATA", 7},     {"WORDS", 8},
    {"STRING", 3},   {"PIPL", 1},   {"DATA", -1},  {"NOSUCHTY", 7},
};

std::optional<Bytes> LoadThroughModule(ProbeLoadResourceProc load, const char* type, int id) {
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!load(type, id, &data, &size)) {
        return std::nullopt;
    }
    return Bytes(data, data + size);
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(ModuleResources, ModuleSeesTheSameResourcesAsTheHostReadsFromItsFile) {
    restest::LoadedLibrary probe(restest::kResourceProbe);
    ASSERT_TRUE(probe.IsLoaded()) << dlerror();
    auto load = reinterpret_cast<ProbeLoadResourceProc>(probe.Symbol("ProbeLoadResource"));
    ASSERT_NE(load, nullptr);
    for (const ResourceCase& resource : kProbeResources) {
        EXPECT_EQ(LoadThroughModule(load, resource.type, resource.id),
                  oxhost::ReadModuleResource(restest::kResourceProbe, resource.type, resource.id))
            << resource.type << " " << resource.id;
    }
}

TEST(ModuleResources, ProbeResourcesHoldWhatTheScriptSays) {
    const std::string& path = restest::kResourceProbe;
    EXPECT_EQ(oxhost::ReadModuleResource(path, "STRING", 1), BytesOf("first string"));
    EXPECT_EQ(oxhost::ReadModuleResource(path, "STRING", 2), BytesOf("second \"quoted\" string\n"));
    EXPECT_EQ(oxhost::ReadModuleResource(path, "DATA", 7),
              restest::ReadWholeFile(restest::kProbeDataFile));
    EXPECT_EQ(oxhost::ReadModuleResource(path, "WORDS", 8),
              ByteBuilder().U16(1).U16(0xFFFE).U32(0x10000).Get());
    EXPECT_FALSE(oxhost::ReadModuleResource(path, "STRING", 3).has_value());
}

TEST(ModuleResources, ResourceSectionHoldsTheWholeContainer) {
    Bytes section = oxhost::ReadElfSection(restest::kResourceProbe, oxhost::kResourceSectionName);
    ASSERT_GE(section.size(), 12u);
    EXPECT_EQ(std::string(section.begin(), section.begin() + 4), "OXRS");
    EXPECT_EQ(oxres::CountResourcesInBlob(section.data(), section.size()), 5u);
}

TEST(ModuleResources, ProgramWithoutEmbeddedResourcesHasNone) {
    EXPECT_FALSE(oxhost::ReadModuleResource("/proc/self/exe", "PIPL", 16000).has_value());
    // This test program links the module-side lookup but embeds nothing.
    EXPECT_EQ(LoadModuleResource("PIPL", 16000).data, nullptr);
}

TEST(ModuleResources, TruncatedModuleFailsCleanlyOrReadsTheSameSection) {
    Bytes module = restest::ReadWholeFile(restest::kResourceProbe);
    Bytes section = oxhost::ReadElfSection(restest::kResourceProbe, "oxres");
    restest::TemporaryFolder folder;
    size_t step = std::max<size_t>(1, module.size() / 97);
    for (size_t size = 0; size < module.size(); size += (size + 512 < module.size() ? step : 1)) {
        std::string path = folder.Write("cut.8bf", Bytes(module.begin(), module.begin() + size));
        try {
            std::optional<Bytes> cut = oxhost::FindElfSection(path, "oxres");
            EXPECT_EQ(cut, section) << size;
        } catch (const oxhost::HostError&) {
        }
    }
}

}  // namespace
